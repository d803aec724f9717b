#include "platform/linux/LinuxProcesses.h"

#include "platform/linux/UniqueFd.h"

#include <cerrno>
#include <csignal>
#include <optional>
#include <sys/syscall.h>
#include <unistd.h>

namespace morvane::platform {

namespace {

// A pidfd: a handle on one process that stays with it, so a signal sent through it can never
// reach a later process that was given the same id.
class PidFd {
public:
    explicit PidFd(pid_t pid) {
#ifdef SYS_pidfd_open
        m_fd.Reset(static_cast<int>(syscall(SYS_pidfd_open, pid, 0)));
#else
        (void)pid;
        errno = ENOSYS;
#endif
        m_error = m_fd.IsValid() ? 0 : errno;
    }

    [[nodiscard]] bool IsOpen() const {
        return m_fd.IsValid();
    }
    /// Why it could not be opened: ESRCH when there is no such process, ENOSYS when the kernel
    /// has no pidfds.
    [[nodiscard]] int Error() const {
        return m_error;
    }
    /// Whether the signal reached the process the handle was opened on: not when it has been
    /// reaped since.
    [[nodiscard]] bool Send(int signal) const {
#ifdef SYS_pidfd_send_signal
        return syscall(SYS_pidfd_send_signal, m_fd.Get(), signal, nullptr, 0) == 0;
#else
        (void)signal;
        return false;
#endif
    }

private:
    UniqueFd m_fd;
    int m_error = 0;
};

} // namespace

LinuxProcesses::LinuxProcesses() : LinuxProcesses(ProcFs(), getuid()) {}

std::vector<ProcessInfo> LinuxProcesses::ScanRunningPrograms() {
    return m_proc.ScanPrograms(m_user);
}

std::string LinuxProcesses::ProcessName(ProcessId pid) {
    const std::optional<pid_t> valid = ProcFs::ValidPid(pid);
    if (!valid || m_proc.RealUid(*valid) != m_user) {
        return {};
    }
    return m_proc.ProgramName(*valid).value_or(std::string{});
}

std::optional<ProcessInfo> LinuxProcesses::SignalIfStill(const ProcessInfo& target, int signal) {
    const std::optional<pid_t> pid = ProcFs::SignallablePid(target.pid, getpid());
    if (!pid) {
        return std::nullopt;
    }
    // The handle first, then the check: whatever the check reads, the signal can only reach the
    // process the handle was opened on, and only while it lives.
    const PidFd process(*pid);
    if (process.IsOpen() || process.Error() == ENOSYS) {
        if (!m_proc.StillIs(target, m_user)) {
            return std::nullopt;
        }
        ProcessInfo identity = target;
        if (identity.startTime == 0) {
            identity.startTime = m_proc.StartTime(*pid).value_or(0);
        }
        // Without pidfds the check comes right before the signal; the id cannot be reused in
        // between unless the process ends in that instant.
        const bool sent = process.IsOpen() ? process.Send(signal) : kill(*pid, signal) == 0;
        return sent ? std::optional(identity) : std::nullopt;
    }
    return std::nullopt;
}

OutOfReach LinuxProcesses::TerminateProcess(const ProcessInfo& target) {
    // Forced, as a close task promises; whether the signal arrived is not our concern here, and
    // a process we may not signal is left alone.
    (void)SignalIfStill(target, SIGKILL);
    return OutOfReach::None;
}

CloseRequest LinuxProcesses::AskToClose(const ProcessInfo& target) {
    // What a desktop's own "end process" sends first: a program may save its work and close.
    const std::optional<ProcessInfo> asked = SignalIfStill(target, SIGTERM);
    return asked ? CloseRequest{CloseAsk::Asked, *asked} : CloseRequest{CloseAsk::NotSent, target};
}

bool LinuxProcesses::StillRuns(const ProcessInfo& target) {
    return m_proc.StillIs(target, m_user);
}

ProcessId LinuxProcesses::OwnPid() const {
    return getpid();
}

std::string LinuxProcesses::DevicePathToDrivePath(const std::string& path) const {
    return path; // Linux paths have one form.
}

} // namespace morvane::platform
