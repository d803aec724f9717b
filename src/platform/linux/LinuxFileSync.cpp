#include "platform/linux/LinuxFileSync.h"

#include "platform/linux/UniqueFd.h"

#include <cerrno>
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

} // namespace morvane::platform
