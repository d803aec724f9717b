#include "X11TestSupport.h"
#include "platform/Enumerator.h"
#include "platform/linux/WindowSystem.h"
#include "platform/linux/x11/X11PickFrame.h"

#include <algorithm>

using namespace morvane::test;
using morvane::platform::Enumerator;
using morvane::platform::WindowId;
using morvane::platform::WindowSystem;

namespace {

constexpr std::int32_t kFirst = 0;
constexpr std::int32_t kLast = 1;
constexpr std::int32_t kNext = 2;
constexpr std::int32_t kPrevious = 3;
constexpr std::int32_t kChild = 5;

class EnumeratorWindowsTest : public X11Test {
protected:
    /// A piece of the window manager's decorations around the client (not the client's way
    /// down from the frame).
    XId Decoration(XId client) {
        const XId frame = m_x->TopLevelOf(client);
        for (const XId candidate : m_x->Descendants(frame)) {
            bool onClientPath = false;
            for (XId up = client; up != 0; up = m_x->Parent(up)) {
                onClientPath = onClientPath || up == candidate;
            }
            if (!onClientPath && m_x->ClientOf(candidate) == client &&
                m_x->ManagedWindowOf(candidate) == client) {
                return candidate;
            }
        }
        return 0;
    }

    // A connection of its own, as a program using the enumerator would have.
    std::unique_ptr<WindowSystem> m_windows = WindowSystem::Open();
    Enumerator m_e{m_windows.get()};
};

TEST_F(EnumeratorWindowsTest, TreeQueriesNameTheProgramsWindowForEveryPartOfIt) {
    const TestWindow target = StartWindow({"--title", "Za\u017c\u00f3\u0142\u0107", "--geometry",
                                           "240x160+80+80", "--child", "60x40+20+20"});
    const XId frame = m_x->TopLevelOf(target.window);
    const XId decoration = Decoration(target.window);
    ASSERT_NE(decoration, 0U) << "openbox draws decorations in windows of their own";

    struct Case {
        const char* name;
        XId window;
        WindowId parent;
        WindowId progenitor;
        std::string className;
    };
    const Case cases[] = {
        {"client", target.window, 0, target.window, "MorvaneTest"},
        {"control", target.child, target.window, target.window, ""},
        {"frame", frame, 0, frame, ""},
        {"decoration", decoration, m_x->Parent(decoration), frame, ""},
        {"none", 0, 0, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(m_e.ParentWind(c.window), c.parent);
        EXPECT_EQ(m_e.Progenitor(c.window), c.progenitor);
        EXPECT_EQ(m_e.ClassName(c.window), c.className);
        EXPECT_EQ(m_e.IsValidWindow(c.window), c.window != 0);
        EXPECT_EQ(m_e.WindProcess(c.window), c.window != 0 ? target.process->Pid() : 0);
        EXPECT_EQ(m_e.WindThread(c.window), 0);
    }
    EXPECT_EQ(m_e.GetWindText(target.window), "Za\u017c\u00f3\u0142\u0107");
    EXPECT_EQ(m_e.GetWindTextLength(target.window), 6);
    EXPECT_EQ(m_e.DesktopWind(), m_x->Root());
    EXPECT_EQ(m_e.WindProcess(m_x->Root()), 0);

    m_e.SetWindText(target.window, "Renamed");
    EXPECT_EQ(m_e.GetWindText(target.window), "Renamed");
}

TEST_F(EnumeratorWindowsTest, WindowStatesFollowTheRequests) {
    const TestWindow target = StartWindow({"--geometry", "200x140+400+80"});
    const TestWindow other = StartWindow({"--geometry", "200x140+700+80"});
    const XId w = target.window;
    auto reaches = [&](std::int32_t pos) {
        return WaitUntil([&] { return m_e.WindPos(w) == pos; });
    };

    m_e.SetWindPos(w, 1);
    EXPECT_TRUE(reaches(1)) << "maximised";
    m_e.SetWindPos(w, 3); // no such state: nothing is asked
    EXPECT_EQ(m_e.WindPos(w), 1);
    m_e.SetWindPos(w, 2);
    EXPECT_TRUE(reaches(2)) << "minimised";
    EXPECT_TRUE(m_e.IsVisible(w)) << "a minimised window still counts as shown";
    m_e.SetWindPos(w, 0);
    EXPECT_TRUE(reaches(0)) << "normal again";
    EXPECT_EQ(m_e.WindPos(target.child), 0);

    EXPECT_TRUE(m_e.SetOntop(w, true));
    EXPECT_TRUE(WaitUntil([&] { return m_e.IsOnTop(w); }));
    EXPECT_TRUE(m_e.SetOntop(w, false));
    EXPECT_TRUE(WaitUntil([&] { return !m_e.IsOnTop(w); }));

    m_e.ForeGround(other.window);
    ASSERT_TRUE(WaitUntil([&] { return m_x->ActiveWindow() == other.window; }));
    EXPECT_FALSE(m_e.Flash(w, true)) << "it was not the active window";
    EXPECT_TRUE(
        WaitUntil([&] { return m_x->HasNetWmState(w, "_NET_WM_STATE_DEMANDS_ATTENTION"); }));
    m_e.Flash(w, false);
    EXPECT_TRUE(
        WaitUntil([&] { return !m_x->HasNetWmState(w, "_NET_WM_STATE_DEMANDS_ATTENTION"); }));

    EXPECT_TRUE(m_e.SetVisible(w, false));
    EXPECT_TRUE(WaitUntil([&] { return !m_e.IsVisible(w); }));
    EXPECT_FALSE(m_e.SetVisible(w, true));
    EXPECT_TRUE(WaitUntil([&] { return m_e.IsVisible(w) && WaitManaged(w); }));
}

TEST_F(EnumeratorWindowsTest, MovesSizesAndRestacks) {
    const TestWindow a = StartWindow({"--geometry", "200x140+100+450", "--child", "50x40+10+10"});
    const TestWindow b = StartWindow({"--geometry", "200x140+150+500"});

    m_e.SetWinSizePos(a.window, 500, 420, 260, 180);
    EXPECT_TRUE(WaitUntil([&] {
        const auto rect = m_x->OuterRect(a.window);
        return rect && rect->width == 260 && rect->height == 180 &&
               m_x->OuterRect(m_x->TopLevelOf(a.window))->x == 500;
    }));
    m_e.SetWinSizePos(a.child, 30, 35, 70, 20); // a control moves inside its window
    EXPECT_TRUE(WaitUntil([&] {
        const auto child = m_x->OuterRect(a.child);
        const auto parent = m_x->OuterRect(a.window);
        return child && parent && *child == Rect{parent->x + 30, parent->y + 35, 70, 20};
    }));

    auto onTop = [&](XId window) {
        return WaitUntil([&] {
            const auto stack = m_x->StackingClients();
            return !stack.empty() && stack.back() == window;
        });
    };
    m_e.BringToTop(a.window);
    ASSERT_TRUE(onTop(a.window));
    EXPECT_EQ(m_e.GetRelWindow(b.window, kFirst), a.window);
    EXPECT_EQ(m_e.GetRelWindow(a.window, kNext), b.window);
    EXPECT_EQ(m_e.GetRelWindow(b.window, kPrevious), a.window);
    m_e.SendToBottom(a.window);
    EXPECT_TRUE(WaitUntil([&] {
        const auto stack = m_x->StackingClients();
        return !stack.empty() && stack.front() == a.window;
    }));
    EXPECT_EQ(m_e.GetRelWindow(b.window, kLast), a.window);
    EXPECT_EQ(m_e.GetRelWindow(a.window, kChild), a.child);
    EXPECT_EQ(m_e.GetRelWindow(a.child, kChild), 0U);
    EXPECT_EQ(m_e.GetRelWindow(0, kFirst), 0U);
}

TEST_F(EnumeratorWindowsTest, TerminateWindAsksPolitelyAndOnlyThoseWhoListen) {
    TestWindow polite = StartWindow({"--geometry", "150x100+900+450"});
    TestWindow deaf = StartWindow({"--geometry", "150x100+900+650", "--no-delete"});
    m_e.TerminateWind(m_x->TopLevelOf(polite.window)); // the frame stands for the program
    m_e.TerminateWind(deaf.window);
    EXPECT_EQ(polite.process->WaitExit(), 3) << "closed through WM_DELETE_WINDOW";
    m_x->Sync();
    EXPECT_TRUE(deaf.process->Running()) << "never forced";
    EXPECT_TRUE(m_e.IsValidWindow(deaf.window));
}

TEST_F(EnumeratorWindowsTest, IconsAndRepaint) {
    const TestWindow withIcon =
        StartWindow({"--geometry", "150x100+600+700", "--icons", "32", "--child", "60x40+5+5"});
    EXPECT_EQ(m_e.GetBigIconH(withIcon.window), withIcon.window);
    EXPECT_EQ(m_e.GetSmallIconH(withIcon.window), withIcon.window);
    EXPECT_EQ(m_e.GetBigIconH(withIcon.child), 0U) << "a control carries no icon";

    // Spoil the control's pixels behind its back; a forced redraw paints them afresh.
    const auto control = m_x->OuterRect(withIcon.child);
    ASSERT_TRUE(control.has_value());
    const Pixels clean = Grab(*m_x, *control);
    {
        morvane::platform::x11::X11PickFrame spoiler(*m_x,
                                                     morvane::platform::x11::FrameStyle::Invert);
        spoiler.Draw(*control);
        m_x->Sync();
        ASSERT_NE(Grab(*m_x, *control), clean);
        m_e.ForceRedraw(withIcon.child);
        EXPECT_TRUE(WaitUntil([&] { return Grab(*m_x, *control) == clean; }));
        spoiler.EraseByRepaint(); // nothing of it may stay on the screen for the next test
    }
}

TEST_F(EnumeratorWindowsTest, SnapshotHoldsTopLevelsThenDescendantsThenTheRootOnce) {
    const TestWindow target =
        StartWindow({"--geometry", "150x100+300+700", "--child", "40x30+5+5"});
    std::vector<WindowId> winds;
    m_e.ReturnWindEnum(winds);
    ASSERT_GE(winds.size(), 5U);
    EXPECT_EQ(winds.front(), 0U);
    EXPECT_EQ(winds.back(), m_x->Root());
    EXPECT_EQ(std::count(winds.begin(), winds.end(), m_x->Root()), 1);
    EXPECT_EQ(m_e.NumOfWinds(), static_cast<std::int32_t>(winds.size() - 1));

    auto at = [&](XId window) {
        return std::find(winds.begin(), winds.end(), window);
    };
    const XId frame = m_x->TopLevelOf(target.window);
    ASSERT_NE(at(frame), winds.end());
    ASSERT_NE(at(target.window), winds.end());
    ASSERT_NE(at(target.child), winds.end());
    EXPECT_LT(at(frame), at(target.window));
    EXPECT_LT(at(target.window), at(target.child));
    // Every top-level window comes before every descendant.
    const auto tops = m_x->Children(m_x->Root());
    for (const XId top : tops) {
        EXPECT_LT(at(top), at(target.window));
    }
}

} // namespace
