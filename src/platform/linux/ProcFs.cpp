#include "platform/linux/ProcFs.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <string_view>
#include <unistd.h>

namespace morvane::platform::procfs {

namespace {

constexpr std::string_view kDeletedMark = " (deleted)";

// Only names made of digits alone are processes; "self" and the like are not.
std::optional<pid_t> PidFromName(const char* name) {
    if (name[0] < '1' || name[0] > '9') {
        return std::nullopt;
    }
    pid_t pid = 0;
    const char* end = name + std::strlen(name);
    const auto [ptr, ec] = std::from_chars(name, end, pid);
    if (ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return pid;
}

void ForEachNumericEntry(const char* folder, const std::function<void(pid_t)>& visit) {
    DIR* dir = opendir(folder);
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        if (const auto pid = PidFromName(entry->d_name)) {
            visit(*pid);
        }
    }
    closedir(dir);
}

// Reads a /proc/PID/exe link into `out`; false when it cannot be read. Written without
// allocation for the common case because the scan calls it once per process.
bool ReadExeLink(pid_t pid, std::string& out) {
    char link[32];
    std::snprintf(link, sizeof link, "/proc/%d/exe", static_cast<int>(pid));
    std::array<char, PATH_MAX + 1> buffer;
    const ssize_t n = readlink(link, buffer.data(), buffer.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) {
        return false;
    }
    std::string_view path(buffer.data(), static_cast<std::size_t>(n));
    // Programs run from anonymous memory ("/memfd:NAME (deleted)") have no file a user could
    // name or start again.
    if (!path.starts_with('/') || path.starts_with("/memfd:")) {
        return false;
    }
    if (path.ends_with(kDeletedMark)) {
        path.remove_suffix(kDeletedMark.size());
    }
    out.assign(path);
    return true;
}

} // namespace

std::optional<pid_t> ValidPid(ProcessId pid) {
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) {
        return std::nullopt;
    }
    return static_cast<pid_t>(pid);
}

std::optional<pid_t> SignallablePid(ProcessId pid, pid_t ownPid) {
    const std::optional<pid_t> valid = ValidPid(pid);
    if (!valid || *valid == ownPid) {
        return std::nullopt;
    }
    return valid;
}

std::optional<std::string> ExePath(pid_t pid) {
    std::string path;
    if (!ReadExeLink(pid, path)) {
        return std::nullopt;
    }
    return path;
}

std::string ExeName(pid_t pid) {
    if (const std::optional<std::string> path = ExePath(pid)) {
        return path->substr(path->find_last_of('/') + 1);
    }
    char file[32];
    std::snprintf(file, sizeof file, "/proc/%d/comm", static_cast<int>(pid));
    const int fd = open(file, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    char buffer[64];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    close(fd);
    if (n <= 0) {
        return {};
    }
    std::string name(buffer, static_cast<std::size_t>(n));
    if (!name.empty() && name.back() == '\n') {
        name.pop_back();
    }
    return name;
}

std::vector<ProcessInfo> ScanImages() {
    std::vector<ProcessInfo> found;
    found.reserve(512);
    DIR* dir = opendir("/proc");
    if (dir == nullptr) {
        return found;
    }
    std::string path;
    while (const dirent* entry = readdir(dir)) {
        const std::optional<pid_t> pid = PidFromName(entry->d_name);
        if (pid && ReadExeLink(*pid, path)) {
            found.push_back(ProcessInfo{path, *pid});
        }
    }
    closedir(dir);
    return found;
}

void ForEachProcess(const std::function<void(pid_t)>& visit) {
    ForEachNumericEntry("/proc", visit);
}

void ForEachThread(pid_t pid, const std::function<void(pid_t)>& visit) {
    const std::string folder = "/proc/" + std::to_string(pid) + "/task";
    ForEachNumericEntry(folder.c_str(), visit);
}

std::optional<pid_t> ThreadGroupOf(pid_t tid) {
    if (tid <= 0) {
        return std::nullopt;
    }
    // /proc/TID answers for any thread, although only thread-group leaders are listed there.
    char file[40];
    std::snprintf(file, sizeof file, "/proc/%d/status", static_cast<int>(tid));
    std::FILE* status = std::fopen(file, "re");
    if (status == nullptr) {
        return std::nullopt;
    }
    std::optional<pid_t> group;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
        int value = 0;
        if (std::sscanf(line, "Tgid: %d", &value) == 1) {
            group = value;
            break;
        }
    }
    std::fclose(status);
    return group;
}

} // namespace morvane::platform::procfs
