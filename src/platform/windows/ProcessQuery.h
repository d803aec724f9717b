#pragma once

#include "platform/windows/WinHandle.h"
#include "types/ProcessInfo.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::platform::windows {

/// Processes and threads as Win32 shows them: the one reader behind the running-programs scan,
/// the kill and the enumerator, so all of them name a process alike. Every question asks the
/// system afresh; nothing is cached but our own user.
class ProcessQuery final {
public:
    ProcessQuery() = delete;

    /// A pid that can name one process, or nullopt for values no process can have.
    [[nodiscard]] static std::optional<DWORD> ValidPid(ProcessId pid);
    /// The pid that may be ended for `pid`, or nullopt when it must never be: 0 and below, our
    /// own process, and values that do not fit a process id.
    [[nodiscard]] static std::optional<DWORD> EndablePid(ProcessId pid);
    /// The process opened with `access`; empty when it cannot be.
    [[nodiscard]] static UniqueHandle Open(DWORD pid, DWORD access);

    /// Whether the process runs as our user: its token's user SID is ours. Needs
    /// PROCESS_QUERY_LIMITED_INFORMATION.
    [[nodiscard]] static bool IsOurs(HANDLE process);
    /// When the process was created (GetProcessTimes, 100 ns since 1601); with the id it names
    /// one process for the life of the system. nullopt when it cannot be read.
    [[nodiscard]] static std::optional<std::uint64_t> CreationTime(HANDLE process);
    /// The executable's path by the first route that answers: the full image name (drive-letter
    /// form), the first module's file name, the image file name (device form). nullopt when none
    /// does. The first route needs PROCESS_QUERY_LIMITED_INFORMATION only, so a kill's handle
    /// reads the same path as the scan's.
    [[nodiscard]] static std::optional<std::wstring> ImagePath(HANDLE process);
    /// The program a process runs: for an interpreter whose command line names a script (see
    /// Interpreters), the script's path, completed from the process's working folder when it is
    /// relative and that folder can be read; else the image path. nullopt when the image path
    /// cannot be read.
    [[nodiscard]] static std::optional<std::string> ProgramPath(HANDLE process);
    /// The file name of ProgramPath: what every decision about a process compares. Needs no
    /// more than PROCESS_QUERY_LIMITED_INFORMATION.
    [[nodiscard]] static std::optional<std::string> ProgramName(HANDLE process);
    /// Whether two program names are the same letter case aside, as the file system compares
    /// them (CompareStringOrdinal, beyond ASCII too).
    [[nodiscard]] static bool SameName(std::string_view a, std::string_view b);
    /// Whether `process` still is the one `seen` describes: ours, its program name the file name
    /// of `seen.path` (by SameName), and created at `seen.startTime` unless that is 0 (not known).
    /// Anything that cannot be read counts as another process.
    [[nodiscard]] static bool StillIs(HANDLE process, const ProcessInfo& seen);

    /// The command line's words as CommandLineToArgvW splits them; empty when it cannot be
    /// read. Where the system does not answer the query (before Windows 8.1, and Wine) it is
    /// read from the process's memory through a second handle opened while `process` holds its
    /// id.
    [[nodiscard]] static std::vector<std::string> CommandLine(HANDLE process);
    /// The process's working folder, read from its memory as above; nullopt when it cannot be
    /// (a target of another word size, or one that refuses PROCESS_VM_READ).
    [[nodiscard]] static std::optional<std::wstring> WorkingFolder(HANDLE process);

    /// Calls `visit` with the id and executable file name of every process in a Toolhelp
    /// snapshot, in the system's order.
    static void ForEachProcess(const std::function<void(DWORD, std::wstring_view)>& visit);
    /// Calls `visit` with the id and owning process of every thread of every process in a
    /// Toolhelp snapshot, in the system's order; `visit` returns false to stop the walk.
    static void ForEachThread(const std::function<bool(DWORD, DWORD)>& visit);

    /// A device-form path ("\Device\HarddiskVolume2\...") in drive-letter form ("C:\..."): the
    /// first drive from A to Z whose device name (QueryDosDeviceW) begins the path, ignoring
    /// letter case, as a whole folder name. Any other path is returned unchanged.
    [[nodiscard]] static std::string DevicePathToDrivePath(const std::string& path);
    /// The file name of a path with either separator.
    [[nodiscard]] static std::string_view FileName(std::string_view path);
};

} // namespace morvane::platform::windows
