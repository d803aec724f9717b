#include "platform/linux/LinuxCursor.h"

#include <X11/Xlib.h>
#include <cstdlib>

namespace morvane::platform {

LinuxCursor::LinuxCursor(LogSink log, const SessionProbe& session) {
    if (session.Type() == SessionType::Wayland) {
        log("idle detection unavailable: a Wayland session does not show the pointer position");
        return;
    }
    // One connection for the program's life: the position is read every second.
    m_display = XOpenDisplay(nullptr);
    if (m_display == nullptr) {
        const char* name = std::getenv("DISPLAY");
        log(std::string("idle detection unavailable: cannot open X display \"") +
            (name != nullptr ? name : "") + "\"");
    }
}

LinuxCursor::~LinuxCursor() {
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
    }
}

bool LinuxCursor::IsAvailable() const {
    return m_display != nullptr;
}

std::optional<Point> LinuxCursor::Position() {
    if (m_display == nullptr) {
        return std::nullopt;
    }
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    // False only means the pointer is on another screen of the display; the root coordinates
    // are still those of the screen it is on.
    XQueryPointer(m_display, XDefaultRootWindow(m_display), &root, &child, &rootX, &rootY, &windowX,
                  &windowY, &buttons);
    return Point{rootX, rootY};
}

} // namespace morvane::platform
