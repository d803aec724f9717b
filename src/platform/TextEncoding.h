#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace morvane::platform {

/// The host's 8-bit encoding of the program's text files (the system's ANSI code page on
/// Windows). Text on our side is UTF-8.
class TextEncoding {
public:
    TextEncoding() = default;
    virtual ~TextEncoding() = default;
    TextEncoding(const TextEncoding&) = delete;
    TextEncoding& operator=(const TextEncoding&) = delete;

    /// Bytes read from a file, as UTF-8.
    [[nodiscard]] virtual std::string Decode(std::string_view bytes) const = 0;
    /// UTF-8 text as the bytes to write; a character the encoding cannot hold becomes "?".
    /// nullopt when the system refuses the conversion altogether: never an empty text in place
    /// of one that is not empty.
    [[nodiscard]] virtual std::optional<std::string> Encode(std::string_view text) const = 0;
};

} // namespace morvane::platform
