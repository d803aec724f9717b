#pragma once

#include "platform/Processes.h"

#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Reading processes and threads straight from /proc, shared by the process services and the
// enumerator.
namespace morvane::platform::procfs {

/// The pid to signal for `pid`, or nullopt when it must never be signalled: 0 and below (a
/// process group or every process), our own process, and values that do not fit a pid_t (they
/// would wrap to one of the former).
[[nodiscard]] std::optional<pid_t> SignallablePid(ProcessId pid, pid_t ownPid);

/// A pid that can name one process, or nullopt for values no process can have.
[[nodiscard]] std::optional<pid_t> ValidPid(ProcessId pid);

/// The image path of a process (its /proc/PID/exe link); nullopt when it cannot be read: another
/// user's process, a kernel thread, a zombie, or no such process. The kernel's " (deleted)" mark
/// of a replaced executable is dropped, so an upgraded program keeps its name.
[[nodiscard]] std::optional<std::string> ExePath(pid_t pid);

/// The executable's file name: from the image path when it can be read, else the kernel's
/// short command name (/proc/PID/comm); empty when there is no such process.
[[nodiscard]] std::string ExeName(pid_t pid);

/// Every process whose image path can be read, in the order the kernel lists them.
[[nodiscard]] std::vector<ProcessInfo> ScanImages();

/// Calls `visit` for every process in /proc, in the order the kernel lists them.
void ForEachProcess(const std::function<void(pid_t)>& visit);

/// Calls `visit` for every thread of a process.
void ForEachThread(pid_t pid, const std::function<void(pid_t)>& visit);

/// The process (thread group) a thread belongs to; nullopt when there is no such thread.
[[nodiscard]] std::optional<pid_t> ThreadGroupOf(pid_t tid);

} // namespace morvane::platform::procfs
