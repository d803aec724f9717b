#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace morvane {

// Paths and UTF-8 text, converted explicitly, never through the C library's locale. On Windows
// the `char` constructor of std::filesystem::path reads its text in the C locale (MinGW) or the
// ANSI code page (MSVC), and path::string() writes it so: a folder named "Zoé Łukasz 東京"
// would not survive either. Where names are bytes (Linux), the bytes pass through unchanged.
//
// The rule: in the core and the platform layer, UTF-8 text becomes a path only through
// PathFromUtf8, and a path becomes text only through Utf8FromPath.

namespace path_text {

inline void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// UTF-8 as UTF-16 code units; what is not UTF-8 (a stray byte, an overlong form, a surrogate, a
// sequence cut short) becomes U+FFFD instead of an exception.
template <typename Unit> std::basic_string<Unit> Utf16FromUtf8(std::string_view utf8) {
    std::basic_string<Unit> out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t extra = 0;
        char32_t cp = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            out.push_back(static_cast<Unit>(lead));
            ++i;
            continue;
        }
        if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1FU;
            least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0FU;
            least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07U;
            least = 0x10000;
        } else {
            out.push_back(static_cast<Unit>(0xFFFD));
            ++i;
            continue;
        }
        std::size_t taken = 1;
        while (taken <= extra && i + taken < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + taken]) & 0xC0) == 0x80) {
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + taken]) & 0x3FU);
            ++taken;
        }
        i += taken;
        if (taken <= extra || cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(static_cast<Unit>(0xFFFD));
        } else if (cp >= 0x10000) {
            out.push_back(static_cast<Unit>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<Unit>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<Unit>(cp));
        }
    }
    return out;
}

// UTF-16 code units as UTF-8; an unpaired surrogate becomes U+FFFD instead of an exception.
template <typename Unit> std::string Utf8FromUtf16(std::basic_string_view<Unit> units) {
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t cp = static_cast<std::uint16_t>(units[i]);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units.size() &&
            static_cast<std::uint16_t>(units[i + 1]) >= 0xDC00 &&
            static_cast<std::uint16_t>(units[i + 1]) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) +
                 (static_cast<std::uint16_t>(units[i + 1]) - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

template <typename Native> std::filesystem::path FromUtf8(std::string_view utf8) {
    if constexpr (sizeof(Native) == 1) {
        return std::filesystem::path(std::string(utf8));
    } else {
        return std::filesystem::path(Utf16FromUtf8<Native>(utf8));
    }
}

template <typename Native> std::string ToUtf8(const std::basic_string<Native>& native) {
    if constexpr (sizeof(Native) == 1) {
        return std::string(native.begin(), native.end());
    } else {
        return Utf8FromUtf16<Native>(native);
    }
}

} // namespace path_text

/// UTF-8 text (a folder from Qt, a name the user typed) as a path.
[[nodiscard]] inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return path_text::FromUtf8<std::filesystem::path::value_type>(utf8);
}

/// A path as UTF-8 text (for messages, the registry, the platform's UTF-8 interfaces).
[[nodiscard]] inline std::string Utf8FromPath(const std::filesystem::path& path) {
    return path_text::ToUtf8(path.native());
}

} // namespace morvane
