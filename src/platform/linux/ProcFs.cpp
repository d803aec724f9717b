#include "platform/linux/ProcFs.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <string_view>
#include <unistd.h>

namespace morvane::platform {

namespace {

constexpr std::string_view kDeletedMark = " (deleted)";

// A directory stream closed with its owner.
struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

// A file descriptor closed with its owner.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    [[nodiscard]] int Get() const { return m_fd; }

private:
    int m_fd;
};

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

void ForEachNumericEntry(const std::string& folder, const std::function<void(pid_t)>& visit) {
    const DirHandle dir(opendir(folder.c_str()));
    if (!dir) {
        return;
    }
    while (const dirent* entry = readdir(dir.get())) {
        if (const auto pid = PidFromName(entry->d_name)) {
            visit(*pid);
        }
    }
}

} // namespace

ProcFs::ProcFs(std::filesystem::path root) : m_root(std::move(root).string()) {}

std::string ProcFs::FileOf(pid_t pid, const char* name) const {
    return m_root + '/' + std::to_string(pid) + '/' + name;
}

std::optional<std::string> ProcFs::ReadSmallFile(const std::string& file, std::size_t limit) {
    const FileDescriptor fd(open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        return std::nullopt;
    }
    std::string text(limit, '\0');
    std::size_t done = 0;
    while (done < limit) {
        const ssize_t n = read(fd.Get(), text.data() + done, limit - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    text.resize(done);
    return text;
}

// Written without allocation for the common case because the scan calls it once per process.
bool ProcFs::ReadExeLink(const std::string& link, std::string& out) {
    std::array<char, PATH_MAX + 1> buffer;
    const ssize_t n = readlink(link.c_str(), buffer.data(), buffer.size());
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

std::optional<pid_t> ProcFs::ValidPid(ProcessId pid) {
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) {
        return std::nullopt;
    }
    return static_cast<pid_t>(pid);
}

std::optional<pid_t> ProcFs::SignallablePid(ProcessId pid, pid_t ownPid) {
    const std::optional<pid_t> valid = ValidPid(pid);
    if (!valid || *valid == ownPid) {
        return std::nullopt;
    }
    return valid;
}

bool ProcFs::Exists(pid_t pid) const {
    std::error_code error;
    return pid > 0 && std::filesystem::is_directory(m_root + '/' + std::to_string(pid), error);
}

std::optional<std::string> ProcFs::ExePath(pid_t pid) const {
    std::string path;
    if (pid <= 0 || !ReadExeLink(FileOf(pid, "exe"), path)) {
        return std::nullopt;
    }
    return path;
}

std::string ProcFs::Comm(pid_t pid) const {
    if (pid <= 0) {
        return {};
    }
    // The kernel keeps at most 15 characters and a newline.
    std::string name = ReadSmallFile(FileOf(pid, "comm"), 64).value_or(std::string{});
    if (!name.empty() && name.back() == '\n') {
        name.pop_back();
    }
    return name;
}

std::string ProcFs::ExeName(pid_t pid) const {
    if (const std::optional<std::string> path = ExePath(pid)) {
        return path->substr(path->find_last_of('/') + 1);
    }
    return Comm(pid);
}

std::optional<pid_t> ProcFs::ThreadGroupOf(pid_t tid) const {
    if (tid <= 0) {
        return std::nullopt;
    }
    // /proc/TID answers for any thread, although only thread-group leaders are listed there.
    // Tgid is among the first lines of status.
    const std::optional<std::string> status = ReadSmallFile(FileOf(tid, "status"), 4096);
    if (!status) {
        return std::nullopt;
    }
    constexpr std::string_view kKey = "\nTgid:";
    const std::size_t at = status->find(kKey);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const char* begin = status->data() + at + kKey.size();
    const char* end = status->data() + status->size();
    while (begin != end && (*begin == ' ' || *begin == '\t')) {
        ++begin;
    }
    pid_t group = 0;
    if (std::from_chars(begin, end, group).ec != std::errc{}) {
        return std::nullopt;
    }
    return group;
}

std::vector<ProcessInfo> ProcFs::ScanImages() const {
    std::vector<ProcessInfo> found;
    found.reserve(512);
    const DirHandle dir(opendir(m_root.c_str()));
    if (!dir) {
        return found;
    }
    std::string link;
    std::string path;
    while (const dirent* entry = readdir(dir.get())) {
        const std::optional<pid_t> pid = PidFromName(entry->d_name);
        if (!pid) {
            continue;
        }
        link.assign(m_root).append(1, '/').append(entry->d_name).append("/exe");
        if (ReadExeLink(link, path)) {
            found.push_back(ProcessInfo{path, *pid});
        }
    }
    return found;
}

void ProcFs::ForEachProcess(const std::function<void(pid_t)>& visit) const {
    ForEachNumericEntry(m_root, visit);
}

void ProcFs::ForEachThread(pid_t pid, const std::function<void(pid_t)>& visit) const {
    ForEachNumericEntry(FileOf(pid, "task"), visit);
}

} // namespace morvane::platform
