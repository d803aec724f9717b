#pragma once

#include "platform/FileSync.h"

namespace morvane::platform {

/// fsync(2) through a descriptor opened read-only: it flushes the file's data (or a folder's
/// entries) whoever wrote them. Replacement is rename(2), atomic within one file system.
class LinuxFileSync final : public FileSync {
public:
    Result SyncToDisk(const std::filesystem::path& path) override;
    Result Replace(const std::filesystem::path& from, const std::filesystem::path& to) override;
};

} // namespace morvane::platform
