#pragma once

#include "types/ProcessInfo.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::platform {

/// What asking a process to close came to.
enum class CloseAsk {
    Asked,    ///< The request reached the process; it may close, or ignore it.
    NoWindow, ///< It is still the process seen, but has no window to ask: only a forced end
              ///< closes it.
    NotSent,  ///< It is no longer the process seen, cannot be read, or may not be asked.
};

/// Why processes of a program run that we may not close.
enum class OutOfReach {
    None,         ///< None runs, or we may close every one.
    Elevated,     ///< One runs with administrator rights, which we do not have.
    OtherSession, ///< One belongs to another user's session.
};

/// The answer of Processes::AskToClose.
struct CloseRequest {
    CloseAsk outcome = CloseAsk::NotSent;
    /// The process asked, its start time filled in where the system tells it, so that a forced
    /// end later cannot reach a process given the same id meanwhile.
    ProcessInfo identity;
};

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
    /// (exactly, or as SameProgramName compares where file names ignore letter case; a bare
    /// name, all a recorded id has, is its own file name), and, unless
    /// `target.startTime` is 0, started at that time. Checked at the moment of the kill; a process
    /// that changed, cannot be read or may not be ended is left alone silently. Never signals pid 0
    /// or below or our own pid. Returns why the system refused, where it is still that program
    /// and the refusal has one of those causes; None otherwise.
    virtual OutOfReach TerminateProcess(const ProcessInfo& target) = 0;
    /// Asks a process to close as its user would (a polite request it may ignore), if
    /// `target.pid` is still the process the caller saw, checked as TerminateProcess checks it.
    /// Never waits for it to close. Never signals pid 0 or below or our own pid.
    virtual CloseRequest AskToClose(const ProcessInfo& target) = 0;
    /// Whether `target.pid` still runs the process `target` describes, checked as
    /// TerminateProcess checks it; a process that has ended (a zombie too) does not.
    virtual bool StillRuns(const ProcessInfo& target) = 0;
    /// Why processes of the program file name `name` (compared as SameProgramName compares) run
    /// that the scan leaves out and no close reaches; None when there are none, or when the
    /// system cannot tell. Asked when a close found nothing it could end.
    virtual OutOfReach WhyOutOfReach(std::string_view /*name*/) { return OutOfReach::None; }
    /// Whether two program file names name the same program, letter case aside as the system's
    /// file names compare it. This default sets aside the case of ASCII letters only.
    [[nodiscard]] virtual bool SameProgramName(std::string_view a, std::string_view b) const {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [&lower](char x, char y) { return lower(x) == lower(y); });
    }
    /// Our own process id.
    [[nodiscard]] virtual ProcessId OwnPid() const = 0;
    /// Turns a device-form image path into a drive-letter path; the identity where paths have
    /// only one form.
    [[nodiscard]] virtual std::string DevicePathToDrivePath(const std::string& path) const = 0;
};

} // namespace morvane::platform
