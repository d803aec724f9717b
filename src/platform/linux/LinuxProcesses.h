#pragma once

#include "platform/Processes.h"

namespace morvane::platform {

/// Processes read from /proc and ended with SIGKILL.
class LinuxProcesses final : public Processes {
public:
    std::vector<ProcessInfo> ScanRunningPrograms() override;
    std::string ProcessName(ProcessId pid) override;
    void TerminateProcessById(ProcessId pid) override;
    [[nodiscard]] ProcessId OwnPid() const override;
    [[nodiscard]] std::string DevicePathToDrivePath(const std::string& path) const override;
};

} // namespace morvane::platform
