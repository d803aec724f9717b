#include "platform/linux/LinuxSingleInstance.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace morvane::platform {

LinuxSingleInstance::LinuxSingleInstance(std::string lockPath, LogSink log)
    : m_lockPath(std::move(lockPath)), m_log(std::move(log)) {}

LinuxSingleInstance::~LinuxSingleInstance() {
    if (m_fd >= 0) {
        close(m_fd);
    }
}

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
    if (m_fd >= 0) {
        return true;
    }
    // Not knowing whether another instance runs is no reason to refuse the user the program.
    if (m_lockPath.empty()) {
        m_log("single instance: no folder for the instance lock; not checked");
        return true;
    }
    // Close-on-exec, so programs we start never inherit the lock and keep it after we end.
    const int fd = open(m_lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        m_log("single instance: cannot open " + m_lockPath + ": " + std::strerror(errno) +
              "; not checked");
        return true;
    }
    int r = 0;
    do {
        r = flock(fd, LOCK_EX | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK) {
            return false;
        }
        m_log("single instance: cannot lock " + m_lockPath + ": " + std::strerror(error) +
              "; not checked");
        return true;
    }
    m_fd = fd;
    return true;
}

} // namespace morvane::platform
