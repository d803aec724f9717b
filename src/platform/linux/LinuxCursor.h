#pragma once

#include "platform/Cursor.h"
#include "platform/linux/Log.h"
#include "platform/linux/SessionProbe.h"

#include <memory>

namespace morvane::platform {

namespace x11 {
class X11Windows;
}

/// The X11 pointer position. On a Wayland session, or without an X display, the position is
/// reported as unavailable rather than guessed: XWayland only sees the pointer over its own
/// windows, and a stale position would make every idle task fire while the user is busy.
class LinuxCursor final : public Cursor {
public:
    explicit LinuxCursor(const LogSink& log = StderrLog(),
                         const SessionProbe& session = SessionProbe());
    ~LinuxCursor() override;

    [[nodiscard]] bool IsAvailable() const override;
    std::optional<Point> Position() override;

private:
    std::unique_ptr<x11::X11Windows> m_display;
};

} // namespace morvane::platform
