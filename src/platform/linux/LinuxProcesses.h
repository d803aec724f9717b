#pragma once

#include "platform/Processes.h"
#include "platform/linux/ProcFs.h"

#include <sys/types.h>

namespace morvane::platform {

/// The user's own processes, read from /proc, asked to close with SIGTERM and ended with SIGKILL,
/// each through a pidfd once they are found to be still the process the caller saw.
class LinuxProcesses final : public Processes {
public:
    /// The live /proc; ours are the processes of our real user id.
    LinuxProcesses();
    /// Reads the processes through `proc` and counts those of the real user id `user` as ours.
    /// Tests hand in a fake tree for reading only: a kill still goes to the live process.
    LinuxProcesses(ProcFs proc, uid_t user) : m_proc(std::move(proc)), m_user(user) {}

    std::vector<ProcessInfo> ScanRunningPrograms() override;
    std::string ProcessName(ProcessId pid) override;
    OutOfReach TerminateProcess(const ProcessInfo& target) override;
    CloseRequest AskToClose(const ProcessInfo& target) override;
    bool StillRuns(const ProcessInfo& target) override;
    [[nodiscard]] ProcessId OwnPid() const override;
    [[nodiscard]] std::string DevicePathToDrivePath(const std::string& path) const override;

private:
    /// Sends `signal` to `target` if it is still the process seen; the identity it was sent to
    /// (with its start time), or nullopt when it was not sent.
    std::optional<ProcessInfo> SignalIfStill(const ProcessInfo& target, int signal);

    ProcFs m_proc;
    uid_t m_user;
};

} // namespace morvane::platform
