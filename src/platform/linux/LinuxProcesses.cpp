#include "platform/linux/LinuxProcesses.h"

#include <csignal>
#include <unistd.h>

namespace morvane::platform {

std::vector<ProcessInfo> LinuxProcesses::ScanRunningPrograms() {
    return m_proc.ScanImages();
}

std::string LinuxProcesses::ProcessName(ProcessId pid) {
    const std::optional<pid_t> valid = ProcFs::ValidPid(pid);
    return valid ? m_proc.ExeName(*valid) : std::string{};
}

void LinuxProcesses::TerminateProcessById(ProcessId pid) {
    // Forced, as a close task promises; whether the signal arrived is not our concern here, and
    // a process we may not signal is left alone.
    if (const std::optional<pid_t> target = ProcFs::SignallablePid(pid, getpid())) {
        kill(*target, SIGKILL);
    }
}

ProcessId LinuxProcesses::OwnPid() const {
    return getpid();
}

std::string LinuxProcesses::DevicePathToDrivePath(const std::string& path) const {
    return path; // Linux paths have one form.
}

} // namespace morvane::platform
