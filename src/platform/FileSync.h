#pragma once

#include "types/Result.h"

#include <filesystem>

namespace morvane::platform {

/// Makes what was written to a file, or to a folder's list of names, survive a power loss, and
/// puts a finished file in place of an old one.
class FileSync {
public:
    FileSync() = default;
    virtual ~FileSync() = default;
    FileSync(const FileSync&) = delete;
    FileSync& operator=(const FileSync&) = delete;

    /// Returns once the file or folder at `path` is on the disk as it stands now; an error says
    /// why it could not be made so.
    virtual Result SyncToDisk(const std::filesystem::path& path) = 0;
    /// Puts the file `from` in place of `to` in one step: `to`, when it exists, is replaced
    /// whole and is never seen half written; an error says why, and leaves `to` as it was.
    virtual Result Replace(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
};

} // namespace morvane::platform
