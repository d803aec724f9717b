#include "TestSupport.h"
#include "platform/common/PointerIdleSource.h"
#include "platform/fake/FakeCursor.h"
#include "platform/linux/LinuxCursor.h"

#include <cstdlib>
#include <gtest/gtest.h>

// After GoogleTest: Xlib's macros (None, Bool) would break its headers.
#include <X11/Xlib.h>

namespace morvane::platform {
namespace {

TEST(LinuxCursor, FollowsThePointerOfTheXDisplay) {
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "needs the Xvfb display of scripts/with-desktop.sh";
    }
    test::ScopedEnv noWayland("WAYLAND_DISPLAY", std::nullopt);
    test::ScopedEnv x11Session("XDG_SESSION_TYPE", "x11");
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    LinuxCursor cursor([](const std::string&) {});
    ASSERT_TRUE(cursor.IsAvailable());

    for (const Point to : {Point{123, 456}, Point{0, 0}, Point{1279, 1023}, Point{640, 3}}) {
        XWarpPointer(display, 0, XDefaultRootWindow(display), 0, 0, 0, 0, to.x, to.y);
        XSync(display, False);
        EXPECT_EQ(cursor.Position(), to);
    }
    XCloseDisplay(display);
}

struct UnavailableCase {
    const char* what;
    std::optional<std::string> display;
    std::optional<std::string> waylandDisplay;
    std::optional<std::string> sessionType;
    const char* logged;
};

TEST(LinuxCursor, ReportsUnavailableInsteadOfAPosition) {
    const UnavailableCase cases[] = {
        {"no X display", std::nullopt, std::nullopt, std::nullopt, "cannot open X display"},
        {"an X display that is not there", ":987", std::nullopt, std::nullopt,
         "cannot open X display"},
        {"a Wayland compositor", std::nullopt, "wayland-0", "wayland", "Wayland"},
        {"a Wayland session with XWayland", ":0", "wayland-0", std::nullopt, "Wayland"},
        {"a Wayland session by its type", ":0", std::nullopt, "wayland", "Wayland"},
    };
    for (const UnavailableCase& c : cases) {
        test::ScopedEnv display("DISPLAY", c.display);
        test::ScopedEnv wayland("WAYLAND_DISPLAY", c.waylandDisplay);
        test::ScopedEnv session("XDG_SESSION_TYPE", c.sessionType);
        std::vector<std::string> log;
        // Whether a compositor answers is asked of real ones elsewhere: here every one does.
        LinuxCursor cursor([&](const std::string& line) { log.push_back(line); },
                           SessionProbe(Environment(), [](const std::string&) { return true; }));

        EXPECT_FALSE(cursor.IsAvailable()) << c.what;
        EXPECT_EQ(cursor.Position(), std::nullopt) << c.what;
        ASSERT_EQ(log.size(), 1u) << c.what;
        EXPECT_NE(log[0].find(c.logged), std::string::npos) << c.what << ": " << log[0];
    }
}

TEST(PointerIdleSource, MovementIsActivityAndAnUnreadablePointerIsUnknown) {
    auto owned = std::make_unique<FakeCursor>();
    FakeCursor& cursor = *owned;
    PointerIdleSource source(std::move(owned), "no pointer here");
    EXPECT_TRUE(source.IsAvailable());
    EXPECT_EQ(source.UnavailableReason(), "");

    // The last position seen starts at (0, 0), and Reset puts it back there.
    EXPECT_EQ(source.Sample(), Activity::Idle) << "a pointer resting at (0, 0) at start-up";
    cursor.position = {3, 4};
    EXPECT_EQ(source.Sample(), Activity::Active);
    EXPECT_EQ(source.Sample(), Activity::Idle);
    source.Reset();
    EXPECT_EQ(source.Sample(), Activity::Active) << "the first sample after a reset moves";
    cursor.position = {0, 0};
    EXPECT_EQ(source.Sample(), Activity::Active);

    cursor.available = false;
    EXPECT_FALSE(source.IsAvailable());
    EXPECT_EQ(source.UnavailableReason(), "no pointer here");
    EXPECT_EQ(source.Sample(), Activity::Unknown);
    cursor.available = true;
    EXPECT_EQ(source.Sample(), Activity::Idle) << "an unknown sample forgets nothing";
}

} // namespace
} // namespace morvane::platform
