#pragma once

#include "platform/FileSync.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

/// How the 8-bit text files are encoded on disk. The portable default writes UTF-8 and reads
/// UTF-8, falling back to Windows-1252 for files that are not valid UTF-8 (files made on Windows).
class TextCodec {
public:
    TextCodec() = default;
    virtual ~TextCodec() = default;
    TextCodec(const TextCodec&) = delete;
    TextCodec& operator=(const TextCodec&) = delete;

    /// Bytes read from a file, as UTF-8.
    [[nodiscard]] virtual std::string Decode(std::string_view bytes) const;
    /// UTF-8 text, as the bytes to write.
    [[nodiscard]] virtual std::string Encode(std::string_view text) const;

    /// The codec used when nobody chose another.
    static const TextCodec& Default();
};

[[nodiscard]] bool IsValidUtf8(std::string_view bytes);
[[nodiscard]] std::string Windows1252ToUtf8(std::string_view bytes);

/// The lines of a text file (CR LF or LF ends; a last line without an end counts), decoded.
/// nullopt when the file cannot be opened.
[[nodiscard]] std::optional<std::vector<std::string>>
ReadTextLines(const std::filesystem::path& path, const TextCodec& codec = TextCodec::Default());

/// Outcome of a write: empty `error` means the file now holds the new content.
struct WriteResult {
    std::string error;
    [[nodiscard]] bool Ok() const { return error.empty(); }
};

/// Writes lines, each ended by CR LF, atomically: a temporary file beside the target is written
/// and flushed, then put in its place in one step, so a failed write leaves the old file whole.
/// With `sync`, the temporary file is on the disk before it replaces the target (by the
/// platform's own replacement) and the folder after it, so a power loss leaves either the old
/// file or the new one, never an empty one.
WriteResult WriteTextLinesAtomic(const std::filesystem::path& path,
                                 const std::vector<std::string>& lines,
                                 const TextCodec& codec = TextCodec::Default(),
                                 platform::FileSync* sync = nullptr);

/// Removes a file; a file that does not exist is no error. Failures are reported, not thrown.
/// With `sync`, the folder is on the disk afterwards.
bool RemoveFileQuietly(const std::filesystem::path& path, platform::FileSync* sync = nullptr);

} // namespace morvane
