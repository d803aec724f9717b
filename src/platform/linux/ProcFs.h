#pragma once

#include "types/ProcessInfo.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace morvane::platform {

/// Processes and threads as /proc shows them: the one reader behind the running-programs scan,
/// the enumerator and the window picker, so they all name a process alike. Each question reads
/// the files afresh; nothing is cached.
class ProcFs final {
public:
    /// Reads below `root` instead of /proc (tests hand in a fake tree).
    explicit ProcFs(const std::filesystem::path& root = "/proc");

    /// Whether the process (or thread) has a folder.
    [[nodiscard]] bool Exists(pid_t pid) const;
    /// The image path (the exe link); nullopt when it cannot be read: another user's process, a
    /// kernel thread, a zombie, no such process, or a program run from anonymous memory
    /// (/memfd:...), which has no file anybody could name or start again. The kernel's
    /// " (deleted)" mark of a replaced executable is dropped, so an upgraded program keeps its
    /// name.
    [[nodiscard]] std::optional<std::string> ExePath(pid_t pid) const;
    /// The kernel's short command name (comm): at most 15 bytes, and a process may set it to
    /// anything, so it never names a process on its own. Empty when there is no such process.
    [[nodiscard]] std::string Comm(pid_t pid) const;
    /// The command line's words; empty when it cannot be read (kernel threads, zombies, no such
    /// process).
    [[nodiscard]] std::vector<std::string> CommandLine(pid_t pid) const;
    /// The process's working folder; nullopt when it cannot be read.
    [[nodiscard]] std::optional<std::string> WorkingFolder(pid_t pid) const;
    /// When the process started: field 22 of stat, in clock ticks after boot. Together with the
    /// pid it names one process for the life of the system. nullopt when it cannot be read.
    [[nodiscard]] std::optional<std::uint64_t> StartTime(pid_t pid) const;
    /// The real user id (the first field of the Uid line of status); nullopt when it cannot be
    /// read.
    [[nodiscard]] std::optional<uid_t> RealUid(pid_t pid) const;

    /// The program a process runs, as the scan shows it: for an interpreter running a script
    /// (see Interpreters), the script's full path, a relative one taken from the process's
    /// working folder; else the image path (see ExePath). nullopt when the image path cannot be
    /// read, or a script's relative path cannot be completed.
    [[nodiscard]] std::optional<std::string> ProgramPath(pid_t pid) const;
    /// The file name of ProgramPath: what every decision about a process compares. nullopt when
    /// it cannot be read; never a guess from the short command name.
    [[nodiscard]] std::optional<std::string> ProgramName(pid_t pid) const;
    /// A name to show for a process: ProgramName when it can be read, else the short command
    /// name; empty when there is no such process.
    [[nodiscard]] std::string ExeName(pid_t pid) const;
    /// Whether `seen.pid` still is the process `seen` describes: one of `user`'s, its program
    /// name the file name of `seen.path`, and started at `seen.startTime` unless that is 0 (not
    /// known). Anything that cannot be read counts as another process.
    [[nodiscard]] bool StillIs(const ProcessInfo& seen, uid_t user) const;
    /// The process (thread group) a thread belongs to; nullopt when there is no such thread.
    [[nodiscard]] std::optional<pid_t> ThreadGroupOf(pid_t tid) const;

    /// Every process of `user` whose program path can be read, in the order the kernel lists
    /// them, without a start time (0). The user is the owner of the process's folder: its
    /// effective user, as long as it lets itself be inspected (else root). Per process it reads
    /// the exe link and that owner, and an interpreter's command line; nothing else.
    [[nodiscard]] std::vector<ProcessInfo> ScanPrograms(uid_t user) const;
    /// Calls `visit` for every process, in the order the kernel lists them.
    void ForEachProcess(const std::function<void(pid_t)>& visit) const;
    /// Calls `visit` for every thread of a process.
    void ForEachThread(pid_t pid, const std::function<void(pid_t)>& visit) const;

    /// A pid that can name one process, or nullopt for values no process can have.
    [[nodiscard]] static std::optional<pid_t> ValidPid(ProcessId pid);
    /// The pid to signal for `pid`, or nullopt when it must never be signalled: 0 and below (a
    /// process group or every process), our own process, and values that do not fit a pid_t
    /// (they would wrap to one of the former).
    [[nodiscard]] static std::optional<pid_t> SignallablePid(ProcessId pid, pid_t ownPid);

    // What the readers make of a file's text, apart from reading it.
    /// The words of a cmdline file: NUL-separated, the last NUL optional.
    [[nodiscard]] static std::vector<std::string> ParseCommandLine(std::string_view cmdline);
    /// Field 22 of a stat file (see StartTime); nullopt when it has none.
    [[nodiscard]] static std::optional<std::uint64_t> ParseStartTime(std::string_view stat);
    /// The first number after "Key:" at the start of a line of a status file; nullopt when
    /// there is none.
    [[nodiscard]] static std::optional<std::int64_t> ParseStatusNumber(std::string_view status,
                                                                       std::string_view key);

private:
    /// The path of one of a process's files ("exe", "comm", "status", ...).
    [[nodiscard]] std::string FileOf(pid_t pid, const char* name) const;
    /// The first number after "Key:" in the process's status; nullopt when there is none.
    [[nodiscard]] std::optional<std::int64_t> StatusNumber(pid_t pid, std::string_view key) const;
    /// ProgramPath once the image path is known.
    [[nodiscard]] std::optional<std::string> ProgramPathFor(pid_t pid, std::string exe) const;
    /// Reads a /proc file whole, up to `limit` bytes; nullopt when it cannot be opened.
    [[nodiscard]] static std::optional<std::string> ReadSmallFile(const std::string& file,
                                                                  std::size_t limit);
    /// Reads an exe link, `link` relative to the open folder `folder` (or AT_FDCWD), into
    /// `out`; false when it names no file (see ExePath).
    static bool ReadExeLink(int folder, const char* link, std::string& out);

    std::string m_root;
};

} // namespace morvane::platform
