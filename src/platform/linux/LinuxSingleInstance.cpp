#include "platform/linux/LinuxSingleInstance.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace morvane::platform {

LinuxSingleInstance::LinuxSingleInstance(std::string lockPath, LogSink log)
    : m_lockPath(std::move(lockPath)), m_log(std::move(log)) {}

std::string LinuxSingleInstance::DefaultLockPath(const std::string& appName,
                                                 const std::string& dataFolder) {
    if (!dataFolder.empty() && dataFolder.front() == '/') {
        return dataFolder + "/" + appName + ".lock";
    }
    return {};
}

bool LinuxSingleInstance::Unchecked(std::string why) {
    m_log("single instance: " + why + "; not checked");
    m_unchecked = std::move(why);
    return true;
}

bool LinuxSingleInstance::TryAcquire() {
    if (m_lock.IsValid()) {
        return true;
    }
    m_unchecked.clear();
    // Not knowing whether another instance runs is no reason to refuse the user the program.
    if (m_lockPath.empty()) {
        return Unchecked("no data folder for the instance lock");
    }
    // On the first start the data folder is not there yet.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(m_lockPath).parent_path(), ignored);
    // Close-on-exec, so programs we start never inherit the lock and keep it after we end.
    UniqueFd fd(open(m_lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.IsValid()) {
        return Unchecked("cannot open " + m_lockPath + ": " + std::strerror(errno));
    }
    int r = 0;
    do {
        r = flock(fd.Get(), LOCK_EX | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        const int error = errno;
        if (error == EWOULDBLOCK) {
            return false;
        }
        return Unchecked("cannot lock " + m_lockPath + ": " + std::strerror(error));
    }
    m_lock = std::move(fd);
    return true;
}

} // namespace morvane::platform
