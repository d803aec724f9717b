#pragma once

#include "platform/Enumerator.h"
#include "platform/linux/WindowSystem.h"

// What the Linux enumerator's window files share: the X11 connection behind the window system
// and the window that window-manager requests go to.

namespace morvane::platform::enumerator {

/// The X11 connection of the window system; nullptr when the enumerator has none.
inline x11::X11Windows* DisplayOf(WindowSystem* windows) {
    return windows != nullptr ? &windows->Display() : nullptr;
}

/// The managed window a request is about; 0 when it is a control inside a program's window.
inline x11::XId Managed(x11::X11Windows& x, WindowId hWnd) {
    return x.ManagedWindowOf(static_cast<x11::XId>(hWnd));
}

} // namespace morvane::platform::enumerator
