#include "platform/linux/SessionProbe.h"

namespace morvane::platform {

SessionProbe::SessionProbe(const Environment& environment)
    : m_x11Display(environment.Get("DISPLAY")),
      m_waylandDisplay(environment.Get("WAYLAND_DISPLAY")),
      m_desktop(environment.Get("XDG_CURRENT_DESKTOP")) {
    const std::string type = environment.Get("XDG_SESSION_TYPE");
    if (type == "wayland" || !m_waylandDisplay.empty()) {
        m_type = SessionType::Wayland;
    } else if (type == "x11" || !m_x11Display.empty()) {
        m_type = SessionType::X11;
    }
}

} // namespace morvane::platform
