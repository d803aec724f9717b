#pragma once

#include "platform/Cursor.h"
#include "platform/linux/Log.h"
#include "platform/linux/SessionProbe.h"

struct _XDisplay; // Xlib's display connection, kept out of this header.

namespace morvane::platform {

/// The X11 pointer position. On a Wayland session, or without an X display, the position is
/// reported as unavailable rather than guessed: XWayland only sees the pointer over its own
/// windows, and a stale position would make every idle task fire while the user is busy.
class LinuxCursor final : public Cursor {
public:
    explicit LinuxCursor(LogSink log = StderrLog(), const SessionProbe& session = SessionProbe());
    ~LinuxCursor() override;

    [[nodiscard]] bool IsAvailable() const override;
    std::optional<Point> Position() override;

private:
    _XDisplay* m_display = nullptr;
};

} // namespace morvane::platform
