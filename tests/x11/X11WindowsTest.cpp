#include "X11TestSupport.h"
#include "platform/linux/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>

using namespace morvane::test;
using morvane::platform::x11::X11ErrorTrap;

namespace {

constexpr XId kNoSuchWindow = 0x7FFFFF01;

int g_outsideErrors = 0;
int CountOutside(Display*, XErrorEvent*) {
    ++g_outsideErrors;
    return 0;
}

class X11WindowsTest : public X11Test {};

TEST_F(X11WindowsTest, TrapsCatchErrorsOfTheirConnectionAndNestAndRestoreTheHandler) {
    const XErrorHandler before = XSetErrorHandler(&CountOutside);
    g_outsideErrors = 0;
    {
        X11ErrorTrap outer(m_x->Handle());
        {
            X11ErrorTrap inner(m_x->Handle());
            XWindowAttributes attributes;
            XGetWindowAttributes(m_x->Handle(), kNoSuchWindow, &attributes);
            EXPECT_TRUE(inner.Failed());
            EXPECT_EQ(inner.LastError(), BadWindow);
        }
        EXPECT_FALSE(outer.Failed()) << "the inner trap took the error";
        XMapWindow(m_x->Handle(), kNoSuchWindow); // asynchronous: found by the destructor
    }
    EXPECT_EQ(g_outsideErrors, 0);
    // With no trap the handler in place before is back.
    XMapWindow(m_x->Handle(), kNoSuchWindow);
    m_x->Sync();
    EXPECT_EQ(g_outsideErrors, 1);
    XSetErrorHandler(before);
}

TEST_F(X11WindowsTest, AWindowThatIsGoneAnswersNeutrallyAndItsErrorsGoNoFurther) {
    TestWindow doomed = StartWindow({"--geometry", "120x90+40+40"});
    const XId window = doomed.window;
    doomed.process.reset();
    ASSERT_TRUE(WaitUntil([&] { return !m_x->Exists(window); }));
    // An error that escaped a call would reach this handler; Xlib's own would print it and end
    // the test program.
    const XErrorHandler before = XSetErrorHandler(&CountOutside);
    g_outsideErrors = 0;
    for (const XId gone : {window, kNoSuchWindow, XId{0}}) {
        SCOPED_TRACE(gone);
        EXPECT_FALSE(m_x->Exists(gone));
        EXPECT_FALSE(m_x->IsClient(gone));
        EXPECT_EQ(m_x->ManagedWindowOf(gone), 0U);
        EXPECT_TRUE(m_x->Descendants(gone).empty());
        EXPECT_TRUE(m_x->Cardinals(gone, "_NET_WM_STATE").empty());
        EXPECT_EQ(m_x->TransientFor(gone), 0U);
        EXPECT_FALSE(m_x->Map(gone));
        EXPECT_FALSE(m_x->Unmap(gone));
        EXPECT_FALSE(m_x->Lower(gone));
        EXPECT_FALSE(m_x->Repaint(gone));
        EXPECT_EQ(m_x->Parent(gone), 0U);
        EXPECT_TRUE(m_x->Children(gone).empty());
        EXPECT_EQ(m_x->TopLevelOf(gone), 0U);
        EXPECT_EQ(m_x->ClientOf(gone), 0U);
        EXPECT_FALSE(m_x->OuterRect(gone).has_value());
        EXPECT_FALSE(m_x->MapStateOf(gone).has_value());
        EXPECT_EQ(m_x->Title(gone), "");
        EXPECT_EQ(m_x->WmClass(gone), (std::pair<std::string, std::string>{}));
        EXPECT_EQ(m_x->ProcessId(gone), 0);
        EXPECT_EQ(m_x->WmState(gone), -1);
        EXPECT_FALSE(m_x->SetTitle(gone, "x"));
        EXPECT_FALSE(m_x->Raise(gone));
        EXPECT_FALSE(m_x->MoveResize(gone, 1, 1, 10, 10));
        EXPECT_FALSE(m_x->AskToClose(gone));
        EXPECT_FALSE(m_x->Activate(gone));
        EXPECT_FALSE(m_x->ChangeNetWmState(gone, morvane::platform::x11::StateAction::Add,
                                           "_NET_WM_STATE_ABOVE"));
    }
    m_x->Sync();
    EXPECT_EQ(g_outsideErrors, 0);
    XSetErrorHandler(before);
}

TEST_F(X11WindowsTest, TitlesRoundTripThroughBothNameProperties) {
    const TestWindow target = StartWindow({"--geometry", "160x90+40+700"});
    for (const std::string title :
         {"plain", "caf\u00e9 \u00e0 la carte", "\u65e5\u672c\u8a9e", ""}) {
        SCOPED_TRACE(title);
        ASSERT_TRUE(m_x->SetTitle(target.window, title));
        EXPECT_EQ(m_x->Title(target.window), title);
    }
}

} // namespace
