#include "platform/linux/LinuxSingleInstance.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace morvane::platform {

namespace {

// Makes the missing folders of `folder`, outermost first, for the user alone: the lock and the
// task lists beside it are nobody else's business. One that cannot be made is left to the open
// of the lock to report.
void MakePrivateFolders(const std::filesystem::path& folder) {
    std::error_code ec;
    if (folder.empty() || folder == folder.parent_path() ||
        std::filesystem::is_directory(folder, ec)) {
        return;
    }
    MakePrivateFolders(folder.parent_path());
    (void)mkdir(folder.c_str(), 0700);
}

} // namespace

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
    // On the first start the data folder is not there yet: without it there would be no lock,
    // and two first starts would both run.
    MakePrivateFolders(std::filesystem::path(m_lockPath).parent_path());
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
