#pragma once

#include "platform/windows/WinHandle.h"

#include <windows.h>

#include <memory>
#include <type_traits>

namespace morvane::platform::windows {

/// A bitmap of ours: deleted with DeleteObject.
using UniqueBitmap =
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, WinCloser<HBITMAP, DeleteObject>>;

/// An icon we extracted or created: destroyed with DestroyIcon. Icons a window or its class
/// hand out belong to them and are never kept in one.
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, WinCloser<HICON, DestroyIcon>>;

/// A drawing context from GetDC or GetWindowDC: given back with ReleaseDC on its window.
class WindowDc final {
public:
    /// The context of `window`'s client area (GetDC); the whole screen for nullptr.
    explicit WindowDc(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDc() {
        if (m_dc != nullptr) {
            ReleaseDC(m_window, m_dc);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    [[nodiscard]] HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

} // namespace morvane::platform::windows
