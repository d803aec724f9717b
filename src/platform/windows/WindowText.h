#pragma once

#include "platform/windows/WideText.h"

#include <windows.h>

#include <string>

namespace morvane::platform::windows {

/// The window's title; empty when it has none or is gone.
[[nodiscard]] inline std::string TitleOf(HWND hwnd) {
    const int capacity = GetWindowTextLengthW(hwnd) + 1;
    std::wstring text(static_cast<std::size_t>(capacity), L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), capacity);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return Narrow(text);
}

/// The name of the window's class; empty when the window is gone.
[[nodiscard]] inline std::string ClassNameOf(HWND hwnd) {
    // Class names are at most 256 characters.
    wchar_t name[257];
    const int length = GetClassNameW(hwnd, name, 257);
    return length > 0 ? Narrow(std::wstring_view(name, static_cast<std::size_t>(length)))
                      : std::string();
}

} // namespace morvane::platform::windows
