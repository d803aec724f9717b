#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace morvane::platform::windows {

/// UTF-16 text from the system as the UTF-8 the rest of the program holds; unpaired surrogates
/// become U+FFFD.
[[nodiscard]] inline std::string ToUtf8(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
    }
    return text;
}

/// UTF-8 text as the UTF-16 the wide-character calls take; invalid bytes become U+FFFD.
[[nodiscard]] inline std::wstring ToWide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) {
        MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), size);
    }
    return wide;
}

} // namespace morvane::platform::windows
