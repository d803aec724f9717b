#pragma once

#include "platform/Enumerator.h"

#include <windows.h>

#include <cstdint>

namespace morvane::platform {

/// The window system the Windows enumerator works on. Win32 needs no connection: any thread may
/// ask about any window, so this only says that windows are there to ask about.
class WindowSystem final {};

namespace windows {

/// The Win32 handle a window id stands for.
[[nodiscard]] inline HWND ToHwnd(WindowId id) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id));
}

/// The window id of a Win32 handle.
[[nodiscard]] inline WindowId ToWindowId(HWND hwnd) {
    return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(hwnd));
}

} // namespace windows

} // namespace morvane::platform
