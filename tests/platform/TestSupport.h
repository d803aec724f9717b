#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace morvane::test {

using namespace std::chrono_literals;

/// Polls `condition` until it holds or `timeout` passes; true when it held.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

/// A fresh private folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    [[nodiscard]] const std::string& Path() const { return m_path; }
    [[nodiscard]] std::string operator/(const std::string& name) const {
        return m_path + "/" + name;
    }

private:
    std::string m_path;
};

/// A child process of the test. It dies with the test (PR_SET_PDEATHSIG) and is killed and
/// reaped when this object goes, so a failing test leaves nothing running.
class ChildProcess {
public:
    struct Options {
        bool pipeStdin = false;
        bool pipeStdout = false;
    };

    ChildProcess(const std::vector<std::string>& argv, Options options);
    explicit ChildProcess(const std::vector<std::string>& argv) : ChildProcess(argv, Options{}) {}
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    [[nodiscard]] pid_t Pid() const { return m_pid; }
    /// Waits for the child to end; its wait status, or nullopt when it still runs at the deadline.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout = 5000ms);
    /// One line of the child's output (without its newline); nullopt at the deadline or end.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout = 5000ms);
    /// Closes the child's input, which tells a waiting child to finish.
    void CloseStdin();

private:
    pid_t m_pid = -1;
    int m_stdin = -1;
    int m_stdout = -1;
    std::string m_pending;
    std::optional<int> m_status;
};

/// Runs `body` in a forked child placed in its own process group, so a request aimed at "our
/// group" cannot reach the test; returns the child's wait status.
int RunInChild(const std::function<int()>& body);

/// Copies an executable under a new name into `folder`; its full path.
std::string CopyProgram(const std::string& from, const std::string& folder,
                        const std::string& name);

/// Whether `pid` is a zombie child of ours.
bool IsZombieChild(pid_t pid);
/// The ids of all zombie children of ours.
std::vector<pid_t> ZombieChildren();

/// Sets an environment variable for the test's life and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(std::string name, const std::optional<std::string>& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

} // namespace morvane::test
