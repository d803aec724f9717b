#include "platform/Enumerator.h"

#include "platform/linux/ProcFs.h"

#include <csignal>
#include <unistd.h>

// The enumerator's process and thread operations, read from /proc.

namespace morvane::platform {

std::string Enumerator::ProcessName(ProcessId ProcessID) {
    const std::optional<pid_t> valid = procfs::ValidPid(ProcessID);
    return valid ? procfs::ExeName(*valid) : std::string{};
}

bool Enumerator::KillProcess(ProcessId ProcessID) {
    const std::optional<pid_t> target = procfs::SignallablePid(ProcessID, getpid());
    return target && kill(*target, SIGKILL) == 0;
}

ProcessId Enumerator::ThreadProcess(ThreadId ThreadID) {
    // Answered from the thread itself: the stored snapshot is left as it was.
    const std::optional<pid_t> tid = procfs::ValidPid(ThreadID);
    if (!tid) {
        return 0;
    }
    return procfs::ThreadGroupOf(*tid).value_or(0);
}

void Enumerator::EnumProcessesInto(std::vector<ProcessId>& processes) {
    procfs::ForEachProcess([&processes](pid_t pid) { processes.push_back(pid); });
}

void Enumerator::EnumThreadsInto(std::vector<ThreadEntry>& threads) {
    procfs::ForEachProcess([&threads](pid_t pid) {
        procfs::ForEachThread(pid, [&threads, pid](pid_t tid) {
            threads.push_back(ThreadEntry{tid, pid});
        });
    });
}

} // namespace morvane::platform
