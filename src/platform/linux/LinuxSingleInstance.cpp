#include "platform/linux/LinuxSingleInstance.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace morvane::platform {

LinuxSingleInstance::LinuxSingleInstance(std::string lockPath, LogSink log)
    : m_lockPath(std::move(lockPath)), m_log(std::move(log)) {}

std::string LinuxSingleInstance::DefaultLockPath(const std::string& appName,
                                                 const std::string& dataFolder) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/') {
        return std::string(runtime) + "/" + appName + ".lock";
    }
    if (!dataFolder.empty() && dataFolder.front() == '/') {
        return dataFolder + "/" + appName + ".lock";
    }
    return {};
}

bool LinuxSingleInstance::TryAcquire() {
    if (m_lock.IsValid()) {
        return true;
    }
    // Not knowing whether another instance runs is no reason to refuse the user the program.
    if (m_lockPath.empty()) {
        m_log("single instance: no folder for the instance lock; not checked");
        return true;
    }
    // Close-on-exec, so programs we start never inherit the lock and keep it after we end.
    UniqueFd fd(open(m_lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.IsValid()) {
        m_log("single instance: cannot open " + m_lockPath + ": " + std::strerror(errno) +
              "; not checked");
        return true;
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
        m_log("single instance: cannot lock " + m_lockPath + ": " + std::strerror(error) +
              "; not checked");
        return true;
    }
    m_lock = std::move(fd);
    return true;
}

} // namespace morvane::platform
