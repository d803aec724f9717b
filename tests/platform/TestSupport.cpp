#include "TestSupport.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace morvane::test {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

TempDir::TempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/morvane-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, Options options) {
    std::vector<std::string> args = argv;
    std::vector<char*> raw;
    for (std::string& a : args) {
        raw.push_back(a.data());
    }
    raw.push_back(nullptr);
    int in[2] = {-1, -1};
    int out[2] = {-1, -1};
    if ((options.pipeStdin && pipe2(in, O_CLOEXEC) != 0) ||
        (options.pipeStdout && pipe2(out, O_CLOEXEC) != 0)) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t parent = getpid();
    m_pid = fork();
    if (m_pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (m_pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) {
            _exit(126);
        }
        if (options.pipeStdin) {
            dup2(in[0], STDIN_FILENO);
        }
        if (options.pipeStdout) {
            dup2(out[1], STDOUT_FILENO);
        }
        execv(raw[0], raw.data());
        _exit(127);
    }
    if (options.pipeStdin) {
        close(in[0]);
        m_stdin = in[1];
    }
    if (options.pipeStdout) {
        close(out[1]);
        m_stdout = out[0];
    }
}

ChildProcess::~ChildProcess() {
    CloseStdin();
    if (m_stdout >= 0) {
        close(m_stdout);
    }
    if (m_pid > 0 && !m_status) {
        kill(m_pid, SIGKILL);
        int status = 0;
        while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
    if (m_status) {
        return m_status;
    }
    WaitUntil(
        [this] {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_status = status;
            }
            return m_status.has_value();
        },
        timeout);
    return m_status;
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (const std::size_t nl = m_pending.find('\n'); nl != std::string::npos) {
            std::string line = m_pending.substr(0, nl);
            m_pending.erase(0, nl + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || m_stdout < 0) {
            return std::nullopt;
        }
        pollfd fd{m_stdout, POLLIN, 0};
        if (poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
            return std::nullopt;
        }
        char buffer[256];
        const ssize_t n = read(m_stdout, buffer, sizeof buffer);
        if (n <= 0) {
            return std::nullopt;
        }
        m_pending.append(buffer, static_cast<std::size_t>(n));
    }
}

void ChildProcess::CloseStdin() {
    if (m_stdin >= 0) {
        close(m_stdin);
        m_stdin = -1;
    }
}

int RunInChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        _exit(body());
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

std::string CopyProgram(const std::string& from, const std::string& folder,
                        const std::string& name) {
    const std::string to = folder + "/" + name;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(to, std::filesystem::perms::owner_all);
    return to;
}

std::vector<pid_t> ZombieChildren() {
    std::vector<pid_t> zombies;
    const pid_t self = getpid();
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::FILE* stat = std::fopen((entry.path() / "stat").c_str(), "re");
        if (stat == nullptr) {
            continue;
        }
        char line[1024] = {};
        const bool read = std::fgets(line, sizeof line, stat) != nullptr;
        std::fclose(stat);
        // "pid (comm) state ppid ...": comm may hold spaces and parentheses, so read after the
        // last ')'.
        const char* close = read ? std::strrchr(line, ')') : nullptr;
        char state = 0;
        int ppid = 0;
        if (close != nullptr && std::sscanf(close + 1, " %c %d", &state, &ppid) == 2 &&
            state == 'Z' && ppid == self) {
            zombies.push_back(std::stoi(name));
        }
    }
    return zombies;
}

bool IsZombieChild(pid_t pid) {
    for (const pid_t z : ZombieChildren()) {
        if (z == pid) {
            return true;
        }
    }
    return false;
}

ScopedEnv::ScopedEnv(std::string name, const std::optional<std::string>& value)
    : m_name(std::move(name)) {
    if (const char* old = std::getenv(m_name.c_str())) {
        m_old = old;
    }
    if (value) {
        setenv(m_name.c_str(), value->c_str(), 1);
    } else {
        unsetenv(m_name.c_str());
    }
}

ScopedEnv::~ScopedEnv() {
    if (m_old) {
        setenv(m_name.c_str(), m_old->c_str(), 1);
    } else {
        unsetenv(m_name.c_str());
    }
}

} // namespace morvane::test
