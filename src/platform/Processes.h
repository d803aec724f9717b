#pragma once

#include "types/ProcessInfo.h"

#include <string>
#include <vector>

namespace morvane::platform {

/// Process services: listing, naming and ending processes.
class Processes {
public:
    Processes() = default;
    virtual ~Processes() = default;
    Processes(const Processes&) = delete;
    Processes& operator=(const Processes&) = delete;

    /// Every process whose image path can be read, in the system's order. Processes that cannot
    /// be opened (other users', kernel threads) are left out.
    virtual std::vector<ProcessInfo> ScanRunningPrograms() = 0;
    /// The executable's file name of a process, without folder; empty when it is not running.
    virtual std::string ProcessName(ProcessId pid) = 0;
    /// Ends a process forcibly, without waiting. Never signals pid 0 or below or our own pid;
    /// a process that may not be ended is left alone silently.
    virtual void TerminateProcessById(ProcessId pid) = 0;
    /// Our own process id.
    [[nodiscard]] virtual ProcessId OwnPid() const = 0;
    /// Turns a device-form image path into a drive-letter path; the identity where paths have
    /// only one form.
    [[nodiscard]] virtual std::string DevicePathToDrivePath(const std::string& path) const = 0;
};

} // namespace morvane::platform
