#pragma once

#include "platform/Processes.h"

namespace morvane::platform {

/// The user's own processes as Win32 shows them, asked to close through their windows and ended
/// with TerminateProcess, each once they are found to be still the process the caller saw.
class WindowsProcesses final : public Processes {
public:
    WindowsProcesses() = default;

    std::vector<ProcessInfo> ScanRunningPrograms() override;
    std::string ProcessName(ProcessId pid) override;
    OutOfReach TerminateProcess(const ProcessInfo& target) override;
    CloseRequest AskToClose(const ProcessInfo& target) override;
    bool StillRuns(const ProcessInfo& target) override;
    /// From the processes of that executable name the scan leaves out (see ProcessReach.h).
    OutOfReach WhyOutOfReach(std::string_view name) override;
    /// As the file system compares names: letter case aside beyond ASCII too.
    [[nodiscard]] bool SameProgramName(std::string_view a, std::string_view b) const override;
    [[nodiscard]] ProcessId OwnPid() const override;
    [[nodiscard]] std::string DevicePathToDrivePath(const std::string& path) const override;

    /// The path a process is listed with when it could be opened but no route reads its
    /// program: 1015 spaces and "<Unknown>".
    [[nodiscard]] static std::string UnknownPath();
};

} // namespace morvane::platform
