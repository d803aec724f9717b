#include "platform/windows/WindowsTextEncoding.h"

#include "platform/windows/WideText.h"

#include <climits>

namespace morvane::platform {

namespace {

int CountOf(std::size_t size) {
    return size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

} // namespace

std::string WindowsTextEncoding::Decode(std::string_view bytes) const {
    if (bytes.empty()) {
        return {};
    }
    const int count = CountOf(bytes.size());
    const int needed = MultiByteToWideChar(m_codePage, 0, bytes.data(), count, nullptr, 0);
    if (needed <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(m_codePage, 0, bytes.data(), count, wide.data(), needed);
    return windows::Narrow(wide);
}

std::string WindowsTextEncoding::Encode(std::string_view text) const {
    const std::wstring wide = windows::Widen(text);
    if (wide.empty()) {
        return {};
    }
    // No best fit: a path or a name turned into a similar one would name something else.
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    const int count = CountOf(wide.size());
    const int needed =
        WideCharToMultiByte(m_codePage, flags, wide.data(), count, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(m_codePage, flags, wide.data(), count, bytes.data(), needed, nullptr,
                        nullptr);
    return bytes;
}

} // namespace morvane::platform
