#pragma once

struct _XDisplay;

namespace morvane::platform::x11 {

/// Catches the X errors of one connection while it lives, so that a window which vanished
/// mid-request (BadWindow, BadDrawable, BadMatch) is a failed call and not the end of the
/// program. Traps nest; errors of other connections go to the handler that was there before.
class X11ErrorTrap final {
public:
    explicit X11ErrorTrap(_XDisplay* display);
    /// Waits for the server's answers to everything sent inside the trap, then lets go.
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    /// Waits for the server's answers so far; true when any request inside the trap failed.
    bool Failed();
    /// The error code of the last failed request (0 when none failed).
    [[nodiscard]] int LastError() const { return m_lastError; }

private:
    friend struct X11ErrorTrapAccess;

    /// Waits for the server's answers, unless nothing was sent since the last wait.
    void SyncOnce();

    _XDisplay* m_display;
    X11ErrorTrap* m_outer;
    int m_lastError = 0;
    /// The request number that was next when the trap last waited; 0 before it ever did.
    unsigned long m_nextAfterSync = 0;
};

} // namespace morvane::platform::x11
