#include "WindowTestRig.h"

#include "platform/windows/InvertedFrame.h"
#include "platform/windows/WindowsCursor.h"
#include "platform/windows/WindowsProgramIconLookup.h"
#include "platform/windows/WindowsWindowPicker.h"

#include <gtest/gtest.h>

// The picker, the pointer and program icons on Wine's desktop, over windows of this test.

namespace morvane::platform {
namespace {

using test::CaptureScreen;
using test::PixelOf;
using test::PumpUntil;
using test::ScreenShows;
using test::TestClass;
using test::TestWindow;

std::string Utf8(const std::wstring& wide) {
    std::string out(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(),
                                                                 static_cast<int>(wide.size()),
                                                                 nullptr, 0, nullptr, nullptr)),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), out.data(),
                        static_cast<int>(out.size()), nullptr, nullptr);
    return out;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

bool PointerAt(int x, int y) {
    SetCursorPos(x, y);
    return PumpUntil([&] {
        POINT at{};
        return GetCursorPos(&at) != FALSE && at.x == x && at.y == y;
    });
}

RECT Inflated(RECT rect, int by) {
    InflateRect(&rect, by, by);
    return rect;
}

// Unframed popups above everything, each painted in its own colour.
class PickerTest : public ::testing::Test {
protected:
    static constexpr COLORREF kBlue = RGB(40, 90, 200);
    static constexpr COLORREF kOrange = RGB(200, 120, 30);
    static constexpr RECT kFirst{200, 150, 400, 300};
    static constexpr RECT kSecond{450, 150, 600, 260};
    static constexpr RECT kButton{20, 20, 80, 60}; // inside the first

    void SetUp() override {
        const RECT belowButton{kFirst.left, kFirst.top + kButton.bottom, kFirst.right,
                               kFirst.bottom};
        ASSERT_TRUE(PumpUntil([&] {
            return ScreenShows(belowButton, kBlue) && ScreenShows(kSecond, kOrange);
        })) << "the test windows never showed on the screen";
    }

    TestWindow m_first{L"Première – pierwsza", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, kFirst, kBlue};
    TestWindow m_button{L"OK", WS_CHILD | WS_VISIBLE, 0, kButton, kOrange, m_first.Get()};
    TestWindow m_second{L"Druga", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, kSecond, kOrange};
};

TEST_F(PickerTest, NamesTheWindowUnderThePointerAndItsProgram) {
    WindowsWindowPicker picker;
    ASSERT_TRUE(picker.IsAvailable());
    EXPECT_EQ(picker.UnavailableReason(), "");

    // Over a control: the control is outlined, the program's window is what is named.
    ASSERT_TRUE(PointerAt(kFirst.left + 50, kFirst.top + 40));
    const auto overButton = picker.WindowUnderPointer();
    ASSERT_TRUE(overButton);
    EXPECT_EQ(overButton->deepest, m_button.Id());
    EXPECT_EQ(overButton->topLevel, m_first.Id());
    EXPECT_EQ(overButton->pid, static_cast<ProcessId>(GetCurrentProcessId()));
    const std::string own = Utf8(test::OwnPath());
    EXPECT_EQ(Lower(overButton->executablePath), Lower(own));
    EXPECT_EQ(overButton->programName, own.substr(own.find_last_of('\\') + 1));
    EXPECT_EQ(overButton->title, "Première – pierwsza");
    EXPECT_EQ(overButton->className, "MorvaneFenêtreTest");
    EXPECT_EQ(overButton->icon.width, TestClass::kIconSide);
    EXPECT_EQ(overButton->icon.argb, TestClass::IconPixels());
    EXPECT_EQ(overButton->iconName, overButton->executablePath);

    ASSERT_TRUE(PointerAt(kSecond.left + 5, kSecond.bottom - 5));
    const auto overSecond = picker.WindowUnderPointer();
    ASSERT_TRUE(overSecond);
    EXPECT_EQ(overSecond->deepest, m_second.Id());
    EXPECT_EQ(overSecond->topLevel, m_second.Id());
    EXPECT_EQ(overSecond->title, "Druga");

    // No window of any program there: nothing to pick.
    ASSERT_TRUE(PointerAt(kSecond.right + 100, kSecond.bottom + 100));
    EXPECT_FALSE(picker.WindowUnderPointer());
}

TEST_F(PickerTest, FrameInvertsExactlyItsBandAndGoesWithoutATrace) {
    // Both windows and a margin of whatever lies around them.
    const RECT area{kFirst.left - 10, kFirst.top - 10, kSecond.right + 10, kSecond.bottom + 50};
    const int width = area.right - area.left;
    const std::vector<std::uint32_t> before = CaptureScreen(area);
    const auto expectFramed = [&](const std::vector<RECT>& framed) {
        const std::vector<std::uint32_t> now = CaptureScreen(area);
        int wrong = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                bool inBand = false;
                for (const RECT& rect : framed) {
                    const RECT inner = Inflated(rect, -windows::InvertedFrame::kWidth);
                    const POINT at{x, y};
                    inBand =
                        inBand || (PtInRect(&rect, at) != FALSE && PtInRect(&inner, at) == FALSE);
                }
                const std::size_t i =
                    static_cast<std::size_t>(y - area.top) * width + (x - area.left);
                const std::uint32_t want = inBand ? (~before[i] & 0x00FFFFFFU) : before[i];
                wrong += now[i] != want ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels that differ from the expected screen";
    };

    {
        WindowsWindowPicker picker;
        picker.DrawFrame(m_first.Id());
        expectFramed({kFirst});
        picker.DrawFrame(m_first.Id()); // already outlined: not inverted back
        expectFramed({kFirst});
        picker.DrawFrame(m_button.Id()); // the control alone, inside its window
        RECT button{};
        GetWindowRect(m_button.Get(), &button);
        expectFramed({button});
        picker.DrawFrame(m_second.Id());
        expectFramed({kSecond});
        picker.EraseFrame();
        expectFramed({});
        picker.EraseFrame(); // nothing drawn: nothing inverted
        expectFramed({});
        picker.DrawFrame(m_first.Id());
    } // the picker takes its frame along
    expectFramed({});
}

TEST_F(PickerTest, FrameOfAWindowThatMovedIsRepaintedAway) {
    WindowsWindowPicker picker;
    picker.DrawFrame(m_second.Id());
    const RECT moved{kSecond.left, kSecond.top + 60, kSecond.right, kSecond.bottom + 60};
    SetWindowPos(m_second.Get(), nullptr, moved.left, moved.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The window is at its new place once its inside shows there; its edge may show the frame
    // it took along, or not, as the X server moved it.
    ASSERT_TRUE(PumpUntil(
        [&] { return ScreenShows(Inflated(moved, -windows::InvertedFrame::kWidth), kOrange); }));
    // Inverting the old place again would mark the part of the window that moved there.
    picker.EraseFrame();
    EXPECT_TRUE(PumpUntil([&] { return ScreenShows(moved, kOrange); }))
        << "inverted pixels stayed on the window that moved";
}

TEST(WindowsCursorTest, ReadsWhereThePointerWasPut) {
    WindowsCursor cursor;
    EXPECT_TRUE(cursor.IsAvailable());
    for (const Point at : {Point{123, 234}, Point{321, 99}}) {
        ASSERT_TRUE(PointerAt(at.x, at.y));
        EXPECT_EQ(cursor.Position(), at);
    }
}

TEST(WindowsProgramIconLookupTest, NamesTheExecutableItselfWhenItExists) {
    WindowsProgramIconLookup lookup;
    ProgramIdentity program;
    program.executablePath = Utf8(test::OwnPath());
    EXPECT_EQ(lookup.IconFor(program), program.executablePath);
    for (const char* unusable : {"", "morvane.exe", "C:\\no\\such\\program.exe", "C:\\windows"}) {
        program.executablePath = unusable;
        EXPECT_EQ(lookup.IconFor(program), "") << unusable;
    }
}

} // namespace
} // namespace morvane::platform
