#include "core/storage/TextFile.h"

#include <array>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace morvane {

namespace {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Windows-1252 bytes 0x80-0x9F; the five undefined ones map to the C1 controls as Windows does.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Built as a path, never through narrow text: on Windows a name the ANSI code page cannot hold
// would not survive the round trip.
std::filesystem::path TempPathFor(const std::filesystem::path& path) {
    static std::mt19937_64 rng{std::random_device{}()};
    std::filesystem::path name = ".";
    name += path.filename();
    name += "." + std::to_string(rng() % 1000000000ULL) + ".tmp";
    return path.parent_path() / name;
}

// A path for a message, as UTF-8 whatever the host's own encoding of names.
std::string PathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
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
            AppendUtf8(out, kCp1252High[c - 0x80]);
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

std::string TextCodec::Decode(std::string_view bytes) const {
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::string TextCodec::Encode(std::string_view text) const {
    return std::string(text);
}

const TextCodec& TextCodec::Default() {
    static const TextCodec codec;
    return codec;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path,
                                                      const TextCodec& codec) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    const std::string text = codec.Decode(bytes);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) {
            end = text.size();
        }
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') {
            --stop;
        }
        lines.emplace_back(text, start, stop - start);
        start = end + 1;
    }
    return lines;
}

WriteResult WriteTextLinesAtomic(const std::filesystem::path& path,
                                 const std::vector<std::string>& lines, const TextCodec& codec,
                                 platform::FileSync* sync) {
    std::error_code ec;
    const auto temp = TempPathFor(path);
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return {"cannot create " + PathText(temp)};
        }
        for (const std::string& line : lines) {
            const std::string bytes = codec.Encode(line);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.write("\r\n", 2);
        }
        out.close();
        if (!out) {
            std::filesystem::remove(temp, ec);
            return {"cannot write " + PathText(temp)};
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
            failure = replaced.Message().empty() ? "cannot replace " + PathText(path)
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

bool RemoveFileQuietly(const std::filesystem::path& path, platform::FileSync* sync) {
    std::error_code ec;
    if (std::filesystem::remove(path, ec)) {
        SyncFolderOf(path, sync);
    }
    return !ec;
}

} // namespace morvane
