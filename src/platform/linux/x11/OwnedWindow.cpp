#include "platform/linux/x11/OwnedWindow.h"

#include "platform/linux/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace morvane::platform::x11 {

void OwnedWindow::Reset() {
    if (m_window == 0) {
        return;
    }
    X11ErrorTrap trap(m_display);
    XDestroyWindow(m_display, std::exchange(m_window, 0));
}

} // namespace morvane::platform::x11
