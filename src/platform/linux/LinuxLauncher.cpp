#include "platform/linux/LinuxLauncher.h"

#include "platform/common/ShellWords.h"
#include "platform/linux/UniqueFd.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <linux/close_range.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace morvane::platform {

namespace {

Result CannotStart(int code, const std::string& what, const std::string& why) {
    return Result::Error(code, "cannot start " + what + ": " + why);
}

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

// Everything below runs between fork and exec, where only async-signal-safe calls are allowed:
// the Qt program has other threads, and one of them may hold a lock of the C library.
[[noreturn]] void ReportAndExit(int errorPipe, int error) {
    [[maybe_unused]] const ssize_t written = write(errorPipe, &error, sizeof error);
    _exit(127);
}

[[noreturn]] void ExecDetached(const char* file, char* const* argv, int errorPipe, int maxFd) {
    sigset_t all;
    sigemptyset(&all);
    sigprocmask(SIG_SETMASK, &all, nullptr);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig) {
        sigaction(sig, &byDefault, nullptr); // SIGKILL and SIGSTOP refuse; harmless.
    }
    const int devNull = open("/dev/null", O_RDWR);
    if (devNull < 0 || dup2(devNull, STDIN_FILENO) < 0 || dup2(devNull, STDOUT_FILENO) < 0) {
        ReportAndExit(errorPipe, errno);
    }
    if (devNull > STDERR_FILENO) {
        close(devNull);
    }
    // Our own descriptors (the instance lock above all) must not outlive us in the program.
    if (syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        for (int fd = 3; fd < maxFd; ++fd) {
            if (fd != errorPipe) {
                fcntl(fd, F_SETFD, FD_CLOEXEC);
            }
        }
    }
    execve(file, argv, environ);
    ReportAndExit(errorPipe, errno);
}

} // namespace

std::string LinuxLauncher::ProgramOf(const std::string& commandLine) const {
    return ShellWords::First(commandLine);
}

std::string LinuxLauncher::QuotedProgram(const std::string& path) const {
    return ShellWords::Quote(path);
}

std::string LinuxLauncher::ResolveProgram(const std::string& program) {
    if (program.empty()) {
        return {};
    }
    if (program.find('/') != std::string::npos) {
        return program;
    }
    const char* pathVar = std::getenv("PATH");
    const std::string searchPath =
        (pathVar != nullptr && *pathVar != '\0') ? pathVar : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t end = searchPath.find(':', start);
        if (end == std::string::npos) {
            end = searchPath.size();
        }
        const std::string folder = searchPath.substr(start, end - start);
        std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (IsExecutableFile(candidate)) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

Result LinuxLauncher::CheckProgram(const std::string& commandLine) const {
    const std::optional<std::vector<std::string>> words = ShellWords::Split(commandLine);
    if (!words) {
        return CannotStart(EINVAL, "\"" + commandLine + "\"", "a quote is not closed");
    }
    if (words->empty()) {
        return CannotStart(EINVAL, "an empty command line", "there is no program");
    }
    if (ResolveProgram(words->front()).empty()) {
        return CannotStart(ENOENT, words->front(), "no such program on PATH");
    }
    if (!IsExecutableFile(ResolveProgram(words->front()))) {
        return CannotStart(EACCES, words->front(), "it is not an executable file");
    }
    return {};
}

Result LinuxLauncher::Launch(const std::string& commandLine) {
    const std::optional<std::vector<std::string>> words = ShellWords::Split(commandLine);
    if (!words) {
        return CannotStart(EINVAL, "\"" + commandLine + "\"", "a quote is not closed");
    }
    if (words->empty()) {
        return CannotStart(EINVAL, "an empty command line", "there is no program");
    }
    const std::string file = ResolveProgram(words->front());
    if (file.empty()) {
        return CannotStart(ENOENT, words->front(), "no such program on PATH");
    }
    // Everything the child needs is prepared here, before fork.
    std::vector<std::string> args = *words;
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    rlimit files{};
    const int maxFd = (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < 65536)
                          ? static_cast<int>(files.rlim_cur)
                          : 65536;

    // The pipe reports a failed exec: it closes unread when exec succeeds.
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        return CannotStart(errno, file, std::strerror(errno));
    }
    UniqueFd readEnd(ends[0]);
    UniqueFd writeEnd(ends[1]);
    const pid_t middle = fork();
    if (middle == 0) {
        // The middle process starts the program in a new session and leaves at once, so the
        // program is handed to init (or the session's subreaper) and never becomes our zombie.
        readEnd.Reset();
        setsid();
        const pid_t program = fork();
        if (program == 0) {
            ExecDetached(file.c_str(), argv.data(), writeEnd.Get(), maxFd);
        }
        if (program < 0) {
            ReportAndExit(writeEnd.Get(), errno);
        }
        _exit(0);
    }
    const int forkError = errno;
    writeEnd.Reset();
    if (middle < 0) {
        return CannotStart(forkError, file, std::strerror(forkError));
    }
    while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got = 0;
    do {
        got = read(readEnd.Get(), &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    if (got == 0) {
        return {};
    }
    if (got != static_cast<ssize_t>(sizeof error)) {
        error = EIO; // the child died before it could say why
    }
    return CannotStart(error, file, std::strerror(error));
}

} // namespace morvane::platform
