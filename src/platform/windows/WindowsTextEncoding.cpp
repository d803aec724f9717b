#include "platform/windows/WindowsTextEncoding.h"

#include "platform/windows/WideText.h"

#include <climits>

namespace morvane::platform {

namespace {

int CountOf(std::size_t size) {
    return size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

// The code page a CP_ACP or CP_OEMCP stands for; CP_THREAD_ACP is the ANSI one for us too,
// since the program never changes its thread's locale.
UINT ActualCodePage(UINT codePage) {
    switch (codePage) {
    case CP_ACP:
    case CP_THREAD_ACP:
        return GetACP();
    case CP_OEMCP:
        return GetOEMCP();
    default:
        return codePage;
    }
}

} // namespace

DWORD WindowsTextEncoding::EncodeFlags(UINT codePage) {
    const UINT actual = ActualCodePage(codePage);
    // WideCharToMultiByte's documented list of code pages that take no flags at all.
    const bool takesNoFlags = actual == CP_UTF8 || actual == CP_UTF7 || actual == CP_SYMBOL ||
                              (actual >= 50220 && actual <= 50229) ||
                              (actual >= 57002 && actual <= 57011);
    // No best fit elsewhere: a path or a name turned into a similar one would name something else.
    return takesNoFlags ? 0 : WC_NO_BEST_FIT_CHARS;
}

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

std::optional<std::string> WindowsTextEncoding::Encode(std::string_view text) const {
    const std::wstring wide = windows::Widen(text);
    if (wide.empty()) {
        return text.empty() ? std::optional<std::string>(std::string()) : std::nullopt;
    }
    const DWORD flags = EncodeFlags(m_codePage);
    const int count = CountOf(wide.size());
    const int needed =
        WideCharToMultiByte(m_codePage, flags, wide.data(), count, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    if (WideCharToMultiByte(m_codePage, flags, wide.data(), count, bytes.data(), needed, nullptr,
                            nullptr) != needed) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace morvane::platform
