#include "platform/windows/WindowsFileSync.h"

#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"

namespace morvane::platform {

namespace {

Result Failed(const char* what, const std::filesystem::path& path) {
    const DWORD error = GetLastError();
    return Result::Error(static_cast<int>(error), std::string(what) + " " +
                                                      windows::PathText(path) + ": " +
                                                      windows::SystemMessage(error));
}

} // namespace

Result WindowsFileSync::SyncToDisk(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return Failed("cannot open", path);
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {};
    }
    // Flushing takes a handle that may write; sharing everything leaves other readers alone.
    const windows::UniqueHandle file = windows::Own(CreateFileW(
        path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return Failed("cannot open", path);
    }
    if (FlushFileBuffers(file.get()) == FALSE) {
        return Failed("cannot sync", path);
    }
    return {};
}

Result WindowsFileSync::Replace(const std::filesystem::path& from,
                                const std::filesystem::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ==
        FALSE) {
        return Failed("cannot replace", to);
    }
    return {};
}

} // namespace morvane::platform
