#pragma once

#include "platform/FileSync.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

/// How the 8-bit text files are encoded on disk. The portable default writes UTF-8 and reads
/// UTF-8, falling back to Windows-1252 for a line that is not valid UTF-8 (made on Windows).
/// Files are decoded one line at a time, so one line in another encoding leaves the rest alone.
class TextCodec {
public:
    TextCodec() = default;
    virtual ~TextCodec() = default;
    TextCodec(const TextCodec&) = delete;
    TextCodec& operator=(const TextCodec&) = delete;

    /// The bytes of one line read from a file (without its end), as UTF-8.
    [[nodiscard]] virtual std::string Decode(std::string_view bytes) const;
    /// UTF-8 text, as the bytes to write; nullopt when it cannot be encoded at all (the system
    /// refused the conversion), which a write reports instead of writing an empty line.
    [[nodiscard]] virtual std::optional<std::string> Encode(std::string_view text) const;

    /// The codec used when nobody chose another.
    static const TextCodec& Default();
};

/// Reads a line as UTF-8 when it is valid UTF-8, else as `fallback` does; writes UTF-8. For the
/// files Morvane ships in UTF-8 (the language files), which a user may have replaced with one in
/// the host's own 8-bit encoding.
class Utf8FirstCodec final : public TextCodec {
public:
    explicit Utf8FirstCodec(const TextCodec& fallback) : m_fallback(fallback) {}

    [[nodiscard]] std::string Decode(std::string_view bytes) const override;

private:
    const TextCodec& m_fallback;
};

[[nodiscard]] bool IsValidUtf8(std::string_view bytes);
[[nodiscard]] std::string Windows1252ToUtf8(std::string_view bytes);

/// Longer lines are far past anything Morvane writes; they are passed over, never decoded.
inline constexpr std::size_t kLongestTextLine = std::size_t{1} << 20;

/// Calls `visit` with the bytes of each line of a file in order. CR LF, LF and CR alone each end
/// a line (files from any system, mixed too); a last line without an end counts. A line longer
/// than `longest` bytes is not held: `visit` gets it empty with `tooLong` set. The file is read
/// in pieces, so a huge one costs no more memory than its longest line held. False when the
/// file cannot be opened or a read fails.
bool ForEachLine(const std::filesystem::path& path, std::size_t longest,
                 const std::function<void(std::string_view bytes, bool tooLong)>& visit);

/// The lines of a text file (as ForEachLine ends them), each decoded on its own; a line longer
/// than kLongestTextLine is read as empty. nullopt when the file cannot be opened or read.
[[nodiscard]] std::optional<std::vector<std::string>>
ReadTextLines(const std::filesystem::path& path, const TextCodec& codec = TextCodec::Default());

/// Outcome of a write: empty `error` means the file now holds the new content.
struct WriteResult {
    std::string error;
    [[nodiscard]] bool Ok() const { return error.empty(); }
};

/// Writes lines, each ended by CR LF, atomically: a temporary file beside the target is written
/// and flushed, then put in its place in one step, so a failed write leaves the old file whole.
/// A line the codec cannot encode fails the write before anything is written.
/// With `sync`, the temporary file is on the disk before it replaces the target (by the
/// platform's own replacement) and the folder after it, so a power loss leaves either the old
/// file or the new one, never an empty one.
WriteResult WriteTextLinesAtomic(const std::filesystem::path& path,
                                 const std::vector<std::string>& lines,
                                 const TextCodec& codec = TextCodec::Default(),
                                 platform::FileSync* sync = nullptr);

/// As WriteTextLinesAtomic, for lines already encoded: their bytes are written as they are.
WriteResult WriteByteLinesAtomic(const std::filesystem::path& path,
                                 const std::vector<std::string>& lines,
                                 platform::FileSync* sync = nullptr);

/// Whether `name` is a temporary file the atomic writes above make for a file named `target`
/// (".default.mtf.123456.tmp"), which a write killed half way leaves behind.
[[nodiscard]] bool IsTemporaryNameFor(std::string_view name, std::string_view target);

/// Removes a file; a file that does not exist is no error. Failures are reported, not thrown.
/// With `sync`, the folder is on the disk afterwards.
bool RemoveFileQuietly(const std::filesystem::path& path, platform::FileSync* sync = nullptr);

} // namespace morvane
