#include "platform/linux/LinuxFileSync.h"

#include "platform/linux/UniqueFd.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace morvane::platform {

Result LinuxFileSync::SyncToDisk(const std::filesystem::path& path) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.IsValid()) {
        const int error = errno;
        return Result::Error(error, "cannot open " + path.string() + ": " + std::strerror(error));
    }
    if (::fsync(fd.Get()) != 0) {
        const int error = errno;
        return Result::Error(error, "cannot sync " + path.string() + ": " + std::strerror(error));
    }
    return {};
}

Result LinuxFileSync::Replace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        const int error = errno;
        return Result::Error(error, "cannot replace " + to.string() + ": " + std::strerror(error));
    }
    return {};
}

} // namespace morvane::platform
