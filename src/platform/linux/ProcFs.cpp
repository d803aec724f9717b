#include "platform/linux/ProcFs.h"

#include "platform/common/Interpreters.h"
#include "platform/linux/UniqueFd.h"

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
#include <sys/stat.h>
#include <unistd.h>

namespace morvane::platform {

namespace {

constexpr std::string_view kDeletedMark = " (deleted)";

// A directory stream closed with its owner.
struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

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

std::string_view BaseName(std::string_view path) {
    return path.substr(path.rfind('/') + 1);
}

// Skips blanks, then reads one unsigned decimal number; advances `at` past it.
template <typename Number>
std::optional<Number> ReadNumber(std::string_view text, std::size_t& at) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    Number value{};
    const char* begin = text.data() + at;
    const auto [ptr, ec] = std::from_chars(begin, text.data() + text.size(), value);
    if (ec != std::errc{}) {
        return std::nullopt;
    }
    at += static_cast<std::size_t>(ptr - begin);
    return value;
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

ProcFs::ProcFs(const std::filesystem::path& root) : m_root(root.string()) {}

std::string ProcFs::FileOf(pid_t pid, const char* name) const {
    return m_root + '/' + std::to_string(pid) + '/' + name;
}

std::optional<std::string> ProcFs::ReadSmallFile(const std::string& file, std::size_t limit) {
    const UniqueFd fd(open(file.c_str(), O_RDONLY | O_CLOEXEC));
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
bool ProcFs::ReadExeLink(int folder, const char* link, std::string& out) {
    std::array<char, PATH_MAX + 1> buffer;
    const ssize_t n = readlinkat(folder, link, buffer.data(), buffer.size());
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
    if (pid <= 0 || !ReadExeLink(AT_FDCWD, FileOf(pid, "exe").c_str(), path)) {
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

std::vector<std::string> ProcFs::CommandLine(pid_t pid) const {
    std::vector<std::string> words;
    if (pid <= 0) {
        return words;
    }
    // The interpreter's options and the script come first; a huge argument list past this is
    // of no use to us.
    const std::optional<std::string> text =
        ReadSmallFile(FileOf(pid, "cmdline"), std::size_t{64} * 1024);
    return text ? ParseCommandLine(*text) : words;
}

std::vector<std::string> ProcFs::ParseCommandLine(std::string_view cmdline) {
    std::vector<std::string> words;
    std::string_view rest = cmdline;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\0');
        words.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return words;
}

std::optional<std::string> ProcFs::WorkingFolder(pid_t pid) const {
    if (pid <= 0) {
        return std::nullopt;
    }
    std::array<char, PATH_MAX + 1> buffer;
    const ssize_t n = readlink(FileOf(pid, "cwd").c_str(), buffer.data(), buffer.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size() || buffer[0] != '/') {
        return std::nullopt;
    }
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

std::optional<std::uint64_t> ProcFs::StartTime(pid_t pid) const {
    if (pid <= 0) {
        return std::nullopt;
    }
    const std::optional<std::string> stat = ReadSmallFile(FileOf(pid, "stat"), 4096);
    return stat ? ParseStartTime(*stat) : std::nullopt;
}

std::optional<std::uint64_t> ProcFs::ParseStartTime(std::string_view stat) {
    // "pid (comm) state ppid ...": comm may hold spaces and parentheses, so the fields are
    // counted from after the last ')'. The first there is field 3 (state); we want field 22.
    const std::size_t close = stat.rfind(')');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view fields = stat.substr(close + 1);
    constexpr int kFieldsBefore = 22 - 3;
    for (int i = 0; i < kFieldsBefore; ++i) {
        const std::size_t start = fields.find_first_not_of(' ');
        const std::size_t end = fields.find(' ', start);
        if (start == std::string_view::npos || end == std::string_view::npos) {
            return std::nullopt;
        }
        fields.remove_prefix(end);
    }
    std::size_t at = 0;
    return ReadNumber<std::uint64_t>(fields, at);
}

std::optional<std::int64_t> ProcFs::StatusNumber(pid_t pid, std::string_view key) const {
    if (pid <= 0) {
        return std::nullopt;
    }
    // The keys we read are among the first lines of status.
    const std::optional<std::string> status = ReadSmallFile(FileOf(pid, "status"), 4096);
    return status ? ParseStatusNumber(*status, key) : std::nullopt;
}

std::optional<std::int64_t> ProcFs::ParseStatusNumber(std::string_view status,
                                                      std::string_view key) {
    const std::string field = std::string(key) + ':';
    std::size_t at = 0;
    if (!status.starts_with(field)) {
        at = status.find('\n' + field);
        if (at == std::string_view::npos) {
            return std::nullopt;
        }
        ++at;
    }
    at += field.size();
    return ReadNumber<std::int64_t>(status, at);
}

std::optional<uid_t> ProcFs::RealUid(pid_t pid) const {
    const std::optional<std::int64_t> uid = StatusNumber(pid, "Uid");
    if (!uid || *uid < 0 || *uid > std::numeric_limits<uid_t>::max()) {
        return std::nullopt;
    }
    return static_cast<uid_t>(*uid);
}

std::optional<std::string> ProcFs::ProgramPathFor(pid_t pid, std::string exe) const {
    const std::string_view exeName = BaseName(exe);
    if (!Interpreters::Knows(exeName)) {
        return exe;
    }
    const std::optional<std::string> script =
        Interpreters::ScriptOf(exeName, Comm(pid), CommandLine(pid));
    if (!script) {
        return exe; // interactive, or code on the command line: the interpreter itself
    }
    std::filesystem::path path(*script);
    if (path.is_relative()) {
        const std::optional<std::string> folder = WorkingFolder(pid);
        if (!folder) {
            return std::nullopt;
        }
        path = std::filesystem::path(*folder) / path;
    }
    path = path.lexically_normal();
    if (!path.has_filename()) {
        return exe;
    }
    return path.string();
}

std::optional<std::string> ProcFs::ProgramPath(pid_t pid) const {
    std::optional<std::string> exe = ExePath(pid);
    if (!exe) {
        return std::nullopt;
    }
    return ProgramPathFor(pid, std::move(*exe));
}

std::optional<std::string> ProcFs::ProgramName(pid_t pid) const {
    const std::optional<std::string> path = ProgramPath(pid);
    if (!path) {
        return std::nullopt;
    }
    return std::string(BaseName(*path));
}

std::string ProcFs::ExeName(pid_t pid) const {
    if (std::optional<std::string> name = ProgramName(pid)) {
        return std::move(*name);
    }
    return Comm(pid);
}

bool ProcFs::StillIs(const ProcessInfo& seen, uid_t user) const {
    const std::optional<pid_t> pid = ValidPid(seen.pid);
    if (!pid || RealUid(*pid) != user || ProgramName(*pid) != BaseName(seen.path)) {
        return false;
    }
    return seen.startTime == 0 || StartTime(*pid) == seen.startTime;
}

std::optional<pid_t> ProcFs::ThreadGroupOf(pid_t tid) const {
    // /proc/TID answers for any thread, although only thread-group leaders are listed there.
    const std::optional<std::int64_t> group = StatusNumber(tid, "Tgid");
    if (!group || *group <= 0 || *group > std::numeric_limits<pid_t>::max()) {
        return std::nullopt;
    }
    return static_cast<pid_t>(*group);
}

std::vector<ProcessInfo> ProcFs::ScanPrograms(uid_t user) const {
    std::vector<ProcessInfo> found;
    found.reserve(512);
    const DirHandle dir(opendir(m_root.c_str()));
    if (!dir) {
        return found;
    }
    // Paths relative to the open folder spare the kernel walking the root again per process.
    const int folder = dirfd(dir.get());
    std::string link;
    std::string path;
    while (const dirent* entry = readdir(dir.get())) {
        const std::optional<pid_t> pid = PidFromName(entry->d_name);
        if (!pid) {
            continue;
        }
        // The exe link first: where we are not root, it already fails for other users. Then the
        // owner of the folder, one stat() where the status file would cost a page of text; a kill
        // reads the real user again before it acts.
        link.assign(entry->d_name).append("/exe");
        struct stat folderStat {};
        if (!ReadExeLink(folder, link.c_str(), path) ||
            fstatat(folder, entry->d_name, &folderStat, 0) != 0 || folderStat.st_uid != user) {
            continue;
        }
        // No start time: reading stat for every process would cost more than the scan itself.
        if (std::optional<std::string> program = ProgramPathFor(*pid, path)) {
            found.push_back(ProcessInfo{std::move(*program), *pid, 0});
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
