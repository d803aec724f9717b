#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace morvane::platform::windows {

/// UTF-8 (our side) as UTF-16 (the W calls' side); invalid sequences become U+FFFD.
[[nodiscard]] std::wstring Widen(std::string_view utf8);
/// UTF-16 as UTF-8; unpaired surrogates become U+FFFD.
[[nodiscard]] std::string Narrow(std::wstring_view wide);
/// A path as UTF-8, for messages.
[[nodiscard]] std::string PathText(const std::filesystem::path& path);
/// The system's words for an error code (FormatMessageW), without the line end; the number
/// itself when the system has none.
[[nodiscard]] std::string SystemMessage(DWORD code);

} // namespace morvane::platform::windows
