#include "platform/linux/LinuxCursor.h"

#include "platform/linux/x11/X11Windows.h"

#include <cstdlib>

namespace morvane::platform {

LinuxCursor::LinuxCursor(const LogSink& log, const SessionProbe& session) {
    if (session.Type() == SessionType::Wayland) {
        log("idle detection unavailable: a Wayland session does not show the pointer position");
        return;
    }
    // One connection for the program's life: the position is read every second.
    m_display = x11::X11Windows::Open();
    if (m_display == nullptr) {
        const char* name = std::getenv("DISPLAY");
        log(std::string("idle detection unavailable: cannot open X display \"") +
            (name != nullptr ? name : "") + "\"");
    }
}

LinuxCursor::~LinuxCursor() = default;

bool LinuxCursor::IsAvailable() const {
    return m_display != nullptr;
}

std::optional<Point> LinuxCursor::Position() {
    if (m_display == nullptr) {
        return std::nullopt;
    }
    const auto position = m_display->PointerPosition();
    if (!position) {
        return std::nullopt;
    }
    return Point{position->first, position->second};
}

} // namespace morvane::platform
