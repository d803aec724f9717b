#pragma once

#include "platform/FileSync.h"

namespace morvane::platform {

/// FlushFileBuffers on the file; replacement with MoveFileExW, written through to the disk
/// before it returns, so the new name survives a power loss without flushing the folder.
class WindowsFileSync final : public FileSync {
public:
    /// A folder needs nothing: its entries are made durable by the write-through replacement.
    Result SyncToDisk(const std::filesystem::path& path) override;
    Result Replace(const std::filesystem::path& from, const std::filesystem::path& to) override;
};

} // namespace morvane::platform
