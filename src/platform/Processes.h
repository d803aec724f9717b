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

    /// Every process of the user's own whose program can be named, in the system's order. Other
    /// users' processes, kernel threads and programs without a file are left out. The start time
    /// is 0 (not known) where the system cannot tell it cheaply for every process; a kill reads
    /// the process's identity again either way.
    virtual std::vector<ProcessInfo> ScanRunningPrograms() = 0;
    /// The program's file name of one of the user's own processes, without folder (a script's
    /// for a program run by an interpreter); empty when it is not running, is another user's, or
    /// its program cannot be read. Never a guess: decisions rest on it.
    virtual std::string ProcessName(ProcessId pid) = 0;
    /// Ends a process forcibly, without waiting, if `target.pid` is still the process the caller
    /// saw: one of the user's own, its program name still the file name of `target.path`
    /// (exactly; a bare name, all a recorded id has, is its own file name), and, unless
    /// `target.startTime` is 0, started at that time. Checked at the moment of the kill; a process
    /// that changed, cannot be read or may not be ended is left alone silently. Never signals pid 0
    /// or below or our own pid.
    virtual void TerminateProcess(const ProcessInfo& target) = 0;
    /// Our own process id.
    [[nodiscard]] virtual ProcessId OwnPid() const = 0;
    /// Turns a device-form image path into a drive-letter path; the identity where paths have
    /// only one form.
    [[nodiscard]] virtual std::string DevicePathToDrivePath(const std::string& path) const = 0;
};

} // namespace morvane::platform
