#pragma once

#include "platform/Processes.h"
#include "platform/linux/ProcFs.h"

namespace morvane::platform {

/// Processes read from /proc and ended with SIGKILL.
class LinuxProcesses final : public Processes {
public:
    /// Reads the processes through `proc` (tests hand in a fake tree).
    explicit LinuxProcesses(ProcFs proc = ProcFs()) : m_proc(std::move(proc)) {}

    std::vector<ProcessInfo> ScanRunningPrograms() override;
    std::string ProcessName(ProcessId pid) override;
    void TerminateProcessById(ProcessId pid) override;
    [[nodiscard]] ProcessId OwnPid() const override;
    [[nodiscard]] std::string DevicePathToDrivePath(const std::string& path) const override;

private:
    ProcFs m_proc;
};

} // namespace morvane::platform
