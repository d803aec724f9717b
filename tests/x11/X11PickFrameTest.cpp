#include "platform/linux/x11/X11PickFrame.h"
#include "X11TestSupport.h"
#include "platform/linux/x11/X11WindowPicker.h"

#include <X11/Xlib.h>

using namespace morvane::test;
using morvane::platform::x11::FrameStyle;
using morvane::platform::x11::X11PickFrame;
using morvane::platform::x11::X11WindowPicker;

namespace {

constexpr std::uint32_t kRootColour = 0x204060;

bool InBand(const Rect& frame, int x, int y) {
    for (const Rect& strip : X11PickFrame::Band(frame)) {
        if (Contains(strip, x, y)) {
            return true;
        }
    }
    return false;
}

class X11PickFrameTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped()) {
            return;
        }
        PaintRoot(kRootColour);
        MovePointer(*m_x, 1275, 1019); // away from every window: no hover effects
    }

    /// The screen around the window, once the window manager has finished painting it.
    Pixels Settled(const Rect& area) {
        Pixels last = Grab(*m_x, area);
        int same = 0;
        WaitUntil([&] {
            Pixels now = Grab(*m_x, area);
            same = now == last ? same + 1 : 0;
            last = std::move(now);
            return same >= 3;
        });
        return last;
    }

    /// Checks that `after` is `before` with exactly the frame's band inverted.
    static void ExpectInvertedBand(const Pixels& before, const Pixels& after, const Rect& frame) {
        ASSERT_EQ(before.rect, after.rect);
        int wrong = 0;
        for (int y = before.rect.y; y < before.rect.y + before.rect.height; ++y) {
            for (int x = before.rect.x; x < before.rect.x + before.rect.width; ++x) {
                const std::uint32_t expected =
                    InBand(frame, x, y) ? (~before.At(x, y) & 0xFFFFFF) : before.At(x, y);
                if (after.At(x, y) != expected && ++wrong <= 5) {
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex
                                  << after.At(x, y) << ", expected " << expected;
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }
};

TEST_F(X11PickFrameTest, FrameInvertsOnlyItsBandAndASecondDrawRestoresEveryPixel) {
    const TestWindow target = StartWindow({"--geometry", "260x180+200+200"});
    X11WindowPicker picker(FrameStyle::Invert);
    const auto frame = picker.FrameRectFor(target.window);
    ASSERT_TRUE(frame.has_value());
    // The whole decorated window is outlined, title bar included.
    EXPECT_EQ(frame, m_x->OuterRect(m_x->TopLevelOf(target.window)));
    const Rect area = Grow(*frame, 12);
    const Pixels before = Settled(area);

    picker.DrawFrame(target.window);
    m_x->Sync();
    const Pixels drawn = Grab(*m_x, area);
    ExpectInvertedBand(before, drawn, *frame);

    picker.DrawFrame(target.window); // the same window again: already outlined
    m_x->Sync();
    EXPECT_EQ(Grab(*m_x, area), drawn);

    picker.EraseFrame();
    m_x->Sync();
    EXPECT_EQ(Grab(*m_x, area), before);
}

TEST_F(X11PickFrameTest, OutlineMovesFromWindowToWindowAndToAControl) {
    const TestWindow first = StartWindow({"--geometry", "200x150+100+500"});
    const TestWindow second =
        StartWindow({"--geometry", "240x160+500+500", "--child", "80x50+40+40"});
    X11WindowPicker picker(FrameStyle::Invert);
    const Rect area{60, 440, 760, 300};
    const Pixels clean = Settled(area);

    picker.DrawFrame(first.window);
    picker.DrawFrame(second.window);
    m_x->Sync();
    ExpectInvertedBand(clean, Grab(*m_x, area), *picker.FrameRectFor(second.window));

    // A control inside the program's window is outlined on its own.
    const auto control = m_x->OuterRect(second.child);
    ASSERT_TRUE(control.has_value());
    EXPECT_EQ(picker.FrameRectFor(second.child), control);
    picker.DrawFrame(second.child);
    m_x->Sync();
    ExpectInvertedBand(clean, Grab(*m_x, area), *control);

    picker.EraseFrame();
    m_x->Sync();
    EXPECT_EQ(Grab(*m_x, area), clean);
}

TEST_F(X11PickFrameTest, NothingRemainsWhenTheOutlinedWindowMovedOrVanished) {
    TestWindow target = StartWindow({"--geometry", "200x150+100+150"});
    X11WindowPicker picker(FrameStyle::Invert);
    const XId frameWindow = m_x->TopLevelOf(target.window);
    const auto oldFrame = picker.FrameRectFor(target.window);
    ASSERT_TRUE(oldFrame.has_value());
    const Pixels cleanLook = Settled(*oldFrame);

    picker.DrawFrame(target.window);
    m_x->Sync();
    // The window moves while outlined; the server carries its inverted pixels along.
    ASSERT_TRUE(m_x->MoveResize(target.window, 700, 150, 200, 150));
    ASSERT_TRUE(WaitUntil([&] { return m_x->OuterRect(frameWindow) != oldFrame; }));
    const auto newFrame = m_x->OuterRect(frameWindow);
    ASSERT_TRUE(newFrame.has_value());
    ASSERT_EQ(newFrame->width, oldFrame->width);
    picker.EraseFrame();

    // Where it was, the desktop shows again; where it is, it looks as it did before the frame.
    EXPECT_TRUE(WaitUntil([&] {
        const Pixels old = Grab(*m_x, *oldFrame);
        return std::all_of(old.rgb.begin(), old.rgb.end(),
                           [](std::uint32_t p) { return p == kRootColour; });
    }));
    EXPECT_TRUE(WaitUntil([&] {
        Pixels now = Grab(*m_x, *newFrame);
        now.rect = cleanLook.rect;
        return now == cleanLook;
    }));

    // Outlined, then gone: its place is the desktop's again.
    picker.DrawFrame(target.window);
    m_x->Sync();
    const auto lastFrame = *picker.FrameRectFor(target.window);
    target.process.reset();
    ASSERT_TRUE(WaitUntil([&] { return !m_x->Exists(target.window); }));
    picker.EraseFrame();
    EXPECT_TRUE(WaitUntil([&] {
        const Pixels gone = Grab(*m_x, lastFrame);
        return std::all_of(gone.rgb.begin(), gone.rgb.end(),
                           [](std::uint32_t p) { return p == kRootColour; });
    }));
}

TEST_F(X11PickFrameTest, OverlayShowsTheBandLetsThePointerThroughAndLeavesNothing) {
    const TestWindow target = StartWindow({"--geometry", "220x160+300+300"});
    X11WindowPicker picker(FrameStyle::Overlay);
    ASSERT_EQ(picker.Style(), FrameStyle::Overlay);
    const auto frame = picker.FrameRectFor(target.window);
    ASSERT_TRUE(frame.has_value());
    const Rect area = Grow(*frame, 10);
    const Pixels before = Settled(area);

    picker.DrawFrame(target.window);
    m_x->Sync();
    const Pixels drawn = Grab(*m_x, area);
    EXPECT_NE(drawn.At(frame->x + 2, frame->y + frame->height / 2),
              before.At(frame->x + 2, frame->y + frame->height / 2));
    EXPECT_EQ(drawn.At(frame->x + X11PickFrame::kWidth + 3, frame->y + frame->height / 2),
              before.At(frame->x + X11PickFrame::kWidth + 3, frame->y + frame->height / 2));
    // On the band, the pointer still finds the window below the overlay.
    MovePointer(*m_x, frame->x + frame->width / 2, frame->y + frame->height - 2);
    const auto picked = picker.WindowUnderPointer();
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(picked->topLevel, target.window);

    MovePointer(*m_x, 1275, 1019);
    picker.EraseFrame();
    EXPECT_TRUE(WaitUntil([&] { return Grab(*m_x, area) == before; }));
}

TEST_F(X11PickFrameTest, PickerTakesItsFrameAlongWhenItGoes) {
    const TestWindow target = StartWindow({"--geometry", "200x150+800+200"});
    const auto frame = m_x->OuterRect(m_x->TopLevelOf(target.window));
    ASSERT_TRUE(frame.has_value());
    const Rect area = Grow(*frame, 8);
    const Pixels before = Settled(area);
    {
        X11WindowPicker picker(FrameStyle::Invert);
        picker.DrawFrame(target.window);
        m_x->Sync();
        EXPECT_NE(Grab(*m_x, area), before);
    }
    m_x->Sync();
    EXPECT_EQ(Grab(*m_x, area), before);
}

TEST_F(X11PickFrameTest, VanishedOrBogusWindowsAreHarmless) {
    X11WindowPicker picker(FrameStyle::Invert);
    const Rect area{0, 0, 64, 64};
    const Pixels before = Grab(*m_x, area);
    picker.DrawFrame(0x7FFFFF01); // no such window
    picker.DrawFrame(m_x->Root());
    picker.EraseFrame();
    m_x->Sync();
    EXPECT_EQ(Grab(*m_x, area), before);
    EXPECT_FALSE(picker.FrameRectFor(0x7FFFFF01).has_value());
}

TEST(X11PickFrameBand, StripsCoverTheEdgeOnceAndSmallRectanglesWhole) {
    const auto band = X11PickFrame::Band({10, 20, 100, 50});
    ASSERT_EQ(band.size(), 4U);
    int covered = 0;
    for (int y = 20; y < 70; ++y) {
        for (int x = 10; x < 110; ++x) {
            const int hits = static_cast<int>(std::count_if(
                band.begin(), band.end(), [&](const Rect& r) { return Contains(r, x, y); }));
            const bool edge = x < 16 || x >= 104 || y < 26 || y >= 64;
            EXPECT_EQ(hits, edge ? 1 : 0) << x << "," << y;
            covered += hits;
        }
    }
    EXPECT_EQ(covered, 100 * 50 - 88 * 38);
    EXPECT_EQ(X11PickFrame::Band({0, 0, 12, 40}), (std::vector<Rect>{{0, 0, 12, 40}}));
    EXPECT_TRUE(X11PickFrame::Band({0, 0, 0, 40}).empty());
}

} // namespace
