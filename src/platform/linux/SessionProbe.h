#pragma once

#include "platform/linux/Environment.h"

#include <functional>
#include <string>

namespace morvane::platform {

/// The kind of graphical session the program runs in.
enum class SessionType {
    None,    ///< No graphical session: a console, a service, a test without a display.
    X11,     ///< An X server shows the windows.
    Wayland, ///< A Wayland compositor does, perhaps with XWayland for older programs.
};

/// Whether a compositor answers at a Wayland display (a socket name or path).
using WaylandAnswers = std::function<bool(const std::string& display)>;

/// Connects to the display and lets go at once: whether that succeeded.
[[nodiscard]] bool WaylandDisplayAnswers(const std::string& display);

/// What the session we run in offers, asked by every part of the back end that depends on it
/// (the pointer, the window picker, the monitor), so they never disagree. The answers come from
/// what the session announces at start-up; anything more is asked of the session itself when
/// needed, never guessed from the desktop's name.
class SessionProbe final {
public:
    /// Reads the session's variables from `environment` (the process's own unless given);
    /// `answers` is asked about WAYLAND_DISPLAY when the session type does not settle it.
    explicit SessionProbe(const Environment& environment = Environment(),
                          const WaylandAnswers& answers = WaylandDisplayAnswers);

    /// Wayland when the session says so (XDG_SESSION_TYPE) or a compositor answers at the
    /// Wayland display set, even with XWayland's DISPLAY beside it (a display left behind by a
    /// compositor that has gone counts for nothing); else X11 when the session says so or an X
    /// display is set (a server started from a console leaves the type at "tty"); else none.
    [[nodiscard]] SessionType Type() const { return m_type; }
    /// The X display the session offers (DISPLAY, XWayland's included); empty when none.
    [[nodiscard]] const std::string& X11Display() const { return m_x11Display; }
    /// The Wayland display (WAYLAND_DISPLAY); empty when none.
    [[nodiscard]] const std::string& WaylandDisplay() const { return m_waylandDisplay; }
    /// The desktop's names as it gives them (XDG_CURRENT_DESKTOP, "ubuntu:GNOME"): for the
    /// log and messages only, never to decide what the session can do.
    [[nodiscard]] const std::string& Desktop() const { return m_desktop; }

private:
    SessionType m_type = SessionType::None;
    std::string m_x11Display;
    std::string m_waylandDisplay;
    std::string m_desktop;
};

} // namespace morvane::platform
