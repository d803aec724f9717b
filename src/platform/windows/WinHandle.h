#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace morvane::platform::windows {

/// Owns a Win32 object from the line that opens it; `Close` is the call that releases it.
template <typename T, auto Close> struct WinCloser {
    void operator()(T handle) const noexcept { static_cast<void>(Close(handle)); }
};

/// A kernel object handle (process, thread, snapshot, mutex, file): closed with CloseHandle.
/// Empty is nullptr; callers turn INVALID_HANDLE_VALUE into empty before keeping it.
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, WinCloser<HANDLE, CloseHandle>>;

/// An open registry key: closed with RegCloseKey.
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, WinCloser<HKEY, RegCloseKey>>;

/// `handle` kept, or empty when the call that made it failed (nullptr or INVALID_HANDLE_VALUE).
[[nodiscard]] inline UniqueHandle Own(HANDLE handle) {
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

} // namespace morvane::platform::windows
