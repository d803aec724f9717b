#include "platform/linux/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace morvane::platform::x11 {

namespace {

// Xlib's error handler is one per process, so the traps form a stack of their own.
X11ErrorTrap* g_innermost = nullptr;
XErrorHandler g_previous = nullptr;

} // namespace

struct X11ErrorTrapAccess {
    static int Handle(Display* display, XErrorEvent* event) {
        for (X11ErrorTrap* trap = g_innermost; trap != nullptr; trap = trap->m_outer) {
            if (trap->m_display == display) {
                trap->m_lastError = event->error_code;
                return 0;
            }
        }
        return g_previous != nullptr ? g_previous(display, event) : 0;
    }
};

X11ErrorTrap::X11ErrorTrap(_XDisplay* display) : m_display(display), m_outer(g_innermost) {
    if (g_innermost == nullptr) {
        g_previous = XSetErrorHandler(&X11ErrorTrapAccess::Handle);
    }
    g_innermost = this;
}

X11ErrorTrap::~X11ErrorTrap() {
    // Errors of requests sent inside the trap must arrive while it still listens.
    SyncOnce();
    g_innermost = m_outer;
    if (g_innermost == nullptr) {
        XSetErrorHandler(g_previous);
        g_previous = nullptr;
    }
}

bool X11ErrorTrap::Failed() {
    SyncOnce();
    return m_lastError != 0;
}

void X11ErrorTrap::SyncOnce() {
    // A verdict followed by the end of the trap would otherwise cost two round trips.
    if (m_nextAfterSync != 0 && XNextRequest(m_display) == m_nextAfterSync) {
        return;
    }
    XSync(m_display, False);
    m_nextAfterSync = XNextRequest(m_display);
}

} // namespace morvane::platform::x11
