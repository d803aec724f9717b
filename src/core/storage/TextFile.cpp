#include "core/storage/TextFile.h"

#include "types/PathText.h"

#include <array>
#include <fstream>
#include <random>
#include <system_error>

namespace morvane {

namespace {

// Windows-1252 bytes 0x80-0x9F; the five undefined ones map to the C1 controls as Windows does.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The shape IsTemporaryNameFor knows: ".NAME.DIGITS.tmp".
constexpr std::size_t kTempDigits = 9;
constexpr std::string_view kTempEnd = ".tmp";

// Built as a path, never through narrow text: on Windows a name the ANSI code page cannot hold
// would not survive the round trip.
std::filesystem::path TempPathFor(const std::filesystem::path& path) {
    static std::mt19937_64 rng{std::random_device{}()};
    std::filesystem::path name = ".";
    name += path.filename();
    name += "." + std::to_string(rng() % 1000000000ULL) + std::string(kTempEnd);
    return path.parent_path() / name;
}

// The new name is in place whatever this says: a folder that cannot be synced (some file
// systems refuse) only leaves the rename to the system's own timing, so the result is ignored.
void SyncFolderOf(const std::filesystem::path& path, platform::FileSync* sync) {
    if (sync != nullptr) {
        const std::filesystem::path folder = path.parent_path();
        (void)sync->SyncToDisk(folder.empty() ? std::filesystem::path(".") : folder);
    }
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t extra = 0;
        char32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if ((c & 0xE0) == 0xC0) {
            extra = 1;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are not UTF-8.
        if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) ||
            (extra == 3 && cp < 0x10000) || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out.push_back(ch);
        } else if (c < 0xA0) {
            path_text::AppendUtf8(out, kCp1252High[c - 0x80]);
        } else {
            path_text::AppendUtf8(out, c);
        }
    }
    return out;
}

std::string TextCodec::Decode(std::string_view bytes) const {
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::optional<std::string> TextCodec::Encode(std::string_view text) const {
    return std::string(text);
}

std::string Utf8FirstCodec::Decode(std::string_view bytes) const {
    return IsValidUtf8(bytes) ? std::string(bytes) : m_fallback.Decode(bytes);
}

const TextCodec& TextCodec::Default() {
    static const TextCodec codec;
    return codec;
}

bool ForEachLine(const std::filesystem::path& path, std::size_t longest,
                 const std::function<void(std::string_view bytes, bool tooLong)>& visit) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::array<char, 1 << 16> piece{};
    std::string line;
    bool open = false;    // bytes have come since the last line end
    bool tooLong = false; // the open line is past `longest` and no longer held
    bool afterCr = false; // an LF right after a CR ends no second line
    const auto endLine = [&] {
        visit(tooLong ? std::string_view() : std::string_view(line), tooLong);
        line.clear();
        open = tooLong = false;
    };
    for (;;) {
        in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
        const auto size = static_cast<std::size_t>(in.gcount());
        if (size == 0) {
            break;
        }
        std::size_t at = 0;
        while (at < size) {
            if (afterCr && piece[at] == '\n') {
                afterCr = false;
                ++at;
                continue;
            }
            afterCr = false;
            std::size_t stop = at;
            while (stop < size && piece[stop] != '\r' && piece[stop] != '\n') {
                ++stop;
            }
            if (stop > at) {
                open = true;
                if (!tooLong && line.size() + (stop - at) > longest) {
                    tooLong = true;
                    std::string().swap(line);
                }
                if (!tooLong) {
                    line.append(piece.data() + at, stop - at);
                }
            }
            if (stop < size) {
                afterCr = piece[stop] == '\r';
                endLine();
                ++stop;
            }
            at = stop;
        }
    }
    if (in.bad()) {
        return false;
    }
    if (open) {
        endLine();
    }
    return true;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path,
                                                      const TextCodec& codec) {
    std::vector<std::string> lines;
    const bool read = ForEachLine(path, kLongestTextLine, [&](std::string_view bytes, bool) {
        lines.push_back(codec.Decode(bytes));
    });
    if (!read) {
        return std::nullopt;
    }
    return lines;
}

bool IsTemporaryNameFor(std::string_view name, std::string_view target) {
    if (name.size() < 1 + target.size() + 2 + kTempEnd.size() || name[0] != '.' ||
        name.substr(1, target.size()) != target || name[1 + target.size()] != '.' ||
        name.substr(name.size() - kTempEnd.size()) != kTempEnd) {
        return false;
    }
    const std::string_view digits =
        name.substr(2 + target.size(), name.size() - 2 - target.size() - kTempEnd.size());
    return !digits.empty() && digits.size() <= kTempDigits &&
           digits.find_first_not_of("0123456789") == std::string_view::npos;
}

namespace {

// The lines as their bytes are written (CR LF after each).
WriteResult WriteBytesAtomic(const std::filesystem::path& path,
                             const std::vector<std::string>& lines, platform::FileSync* sync) {
    std::error_code ec;
    const auto temp = TempPathFor(path);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return {"cannot create " + Utf8FromPath(temp)};
        }
        for (const std::string& line : lines) {
            out.write(line.data(), static_cast<std::streamsize>(line.size()));
            out.write("\r\n", 2);
        }
        out.close();
        if (!out) {
            std::filesystem::remove(temp, ec);
            return {"cannot write " + Utf8FromPath(temp)};
        }
    }
    // Renamed before its data reached the disk, the file could be empty after a power loss.
    if (sync != nullptr) {
        if (const Result synced = sync->SyncToDisk(temp); !synced.Ok()) {
            std::filesystem::remove(temp, ec);
            return {synced.Message()};
        }
    }
    // The platform knows its own atomic replacement (and how to make it survive a power loss).
    std::string failure;
    if (sync != nullptr) {
        if (const Result replaced = sync->Replace(temp, path); !replaced.Ok()) {
            failure = replaced.Message().empty() ? "cannot replace " + Utf8FromPath(path)
                                                 : replaced.Message();
        }
    } else if (std::filesystem::rename(temp, path, ec); ec) {
        failure = ec.message();
    }
    if (!failure.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return {failure};
    }
    SyncFolderOf(path, sync);
    return {};
}

} // namespace

WriteResult WriteTextLinesAtomic(const std::filesystem::path& path,
                                 const std::vector<std::string>& lines, const TextCodec& codec,
                                 platform::FileSync* sync) {
    // Every line is encoded before the file is touched: a line the system would not convert
    // must never reach the disk as an empty one, wiping what the old file held.
    std::vector<std::string> bytes;
    bytes.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::string> encoded = codec.Encode(lines[i]);
        if (!encoded) {
            return {"cannot encode line " + std::to_string(i + 1) + " of " + Utf8FromPath(path) +
                    " in the system's code page"};
        }
        bytes.push_back(std::move(*encoded));
    }
    return WriteBytesAtomic(path, bytes, sync);
}

WriteResult WriteByteLinesAtomic(const std::filesystem::path& path,
                                 const std::vector<std::string>& lines, platform::FileSync* sync) {
    return WriteBytesAtomic(path, lines, sync);
}

bool RemoveFileQuietly(const std::filesystem::path& path, platform::FileSync* sync) {
    std::error_code ec;
    if (std::filesystem::remove(path, ec)) {
        SyncFolderOf(path, sync);
    }
    return !ec;
}

} // namespace morvane
