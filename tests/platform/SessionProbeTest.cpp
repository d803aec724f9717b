#include "platform/linux/SessionProbe.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

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
        {"a compositor gone, XWayland's display left",
         {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-gone"}},
         SessionType::X11},
        {"a compositor gone", {{"WAYLAND_DISPLAY", "wayland-gone"}}, SessionType::None},
    };
    // Only "wayland-0" answers here; the real question is asked on real compositors.
    std::vector<std::string> asked;
    const WaylandAnswers answers = [&](const std::string& display) {
        asked.push_back(display);
        return display == "wayland-0";
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SessionProbe(Environment(c.environment), answers).Type(), c.type) << c.what;
    }
    // The session's own word needs no asking.
    asked.clear();
    EXPECT_EQ(SessionProbe(Environment({{"XDG_SESSION_TYPE", "wayland"},
                                        {"WAYLAND_DISPLAY", "wayland-gone"}}),
                           answers)
                  .Type(),
              SessionType::Wayland);
    EXPECT_TRUE(asked.empty());

    const SessionProbe probe(Environment({{"DISPLAY", ":0"},
                                          {"WAYLAND_DISPLAY", "wayland-1"},
                                          {"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}}),
                             answers);
    EXPECT_EQ(probe.X11Display(), ":0");
    EXPECT_EQ(probe.WaylandDisplay(), "wayland-1");
    EXPECT_EQ(probe.Desktop(), "ubuntu:GNOME");
}

} // namespace
} // namespace morvane::platform
