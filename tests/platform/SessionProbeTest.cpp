#include "platform/linux/SessionProbe.h"

#include <gtest/gtest.h>

namespace morvane::platform {
namespace {

TEST(SessionProbe, DecidesTheSessionFromWhatItAnnounces) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> environment;
        SessionType type;
    };
    const Case cases[] = {
        {"nothing set", {}, SessionType::None},
        {"a console", {{"XDG_SESSION_TYPE", "tty"}}, SessionType::None},
        {"an X session", {{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, SessionType::X11},
        {"an X server started from a console",
         {{"XDG_SESSION_TYPE", "tty"}, {"DISPLAY", ":1"}},
         SessionType::X11},
        {"an X session whose display is missing", {{"XDG_SESSION_TYPE", "x11"}}, SessionType::X11},
        {"a Wayland compositor",
         {{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "w-0"}},
         SessionType::Wayland},
        {"Wayland with XWayland",
         {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}},
         SessionType::Wayland},
        {"Wayland by its type alone",
         {{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}},
         SessionType::Wayland},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SessionProbe(Environment(c.environment)).Type(), c.type) << c.what;
    }

    const SessionProbe probe(Environment({{"DISPLAY", ":0"},
                                          {"WAYLAND_DISPLAY", "wayland-1"},
                                          {"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}));
    EXPECT_EQ(probe.X11Display(), ":0");
    EXPECT_EQ(probe.WaylandDisplay(), "wayland-1");
    EXPECT_EQ(probe.Desktop(), "ubuntu:GNOME");
}

} // namespace
} // namespace morvane::platform
