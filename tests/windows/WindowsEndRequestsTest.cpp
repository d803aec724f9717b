// The session's end as Windows announces it to top-level windows: the handler runs before
// WM_ENDSESSION is answered, and only when the session really ends.

#include "platform/windows/WindowsEndRequests.h"

#include <gtest/gtest.h>

using morvane::platform::WindowsEndRequests;

TEST(WindowsEndRequests, TheHandlerRunsWhenTheSessionEndsAndOnlyThen) {
    WindowsEndRequests requests;
    ASSERT_NE(requests.Window(), nullptr);
    int ended = 0;
    requests.SetSessionEndHandler([&ended] { ++ended; });

    EXPECT_EQ(SendMessageW(requests.Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(ended, 0) << "being asked is not the end yet";
    SendMessageW(requests.Window(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_EQ(ended, 0) << "another program refused: the session goes on";
    SendMessageW(requests.Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(ended, 1);

    // Hidden, top-level (message-only windows never hear the end).
    EXPECT_FALSE(IsWindowVisible(requests.Window()));
    EXPECT_EQ(GetAncestor(requests.Window(), GA_PARENT), GetDesktopWindow());
}
