#include "platform/linux/SessionProbe.h"

#include <cstdlib>
#include <wayland-client-core.h>

namespace morvane::platform {

bool WaylandDisplayAnswers(const std::string& display) {
    // A compositor that started us handed over a connection: libwayland would take it for this
    // one and leave Qt without. Its being there says enough.
    if (const char* handed = std::getenv("WAYLAND_SOCKET"); handed != nullptr && *handed != '\0') {
        return true;
    }
    wl_display* connection = wl_display_connect(display.c_str());
    if (connection == nullptr) {
        return false;
    }
    wl_display_disconnect(connection);
    return true;
}

SessionProbe::SessionProbe(const Environment& environment, const WaylandAnswers& answers)
    : m_x11Display(environment.Get("DISPLAY")),
      m_waylandDisplay(environment.Get("WAYLAND_DISPLAY")),
      m_desktop(environment.Get("XDG_CURRENT_DESKTOP")) {
    const std::string type = environment.Get("XDG_SESSION_TYPE");
    if (type == "wayland" || (!m_waylandDisplay.empty() && answers(m_waylandDisplay))) {
        m_type = SessionType::Wayland;
    } else if (type == "x11" || !m_x11Display.empty()) {
        m_type = SessionType::X11;
    }
}

} // namespace morvane::platform
