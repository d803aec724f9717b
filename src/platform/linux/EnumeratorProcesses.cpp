#include "platform/Enumerator.h"

#include "platform/linux/ProcFs.h"

#include <csignal>
#include <unistd.h>

// The enumerator's process and thread operations, read from /proc through the one reader the
// scan and the picker use, so all three name a process alike.

namespace morvane::platform {

namespace {

const ProcFs& Proc() {
    static const ProcFs proc;
    return proc;
}

} // namespace

std::string Enumerator::ProcessName(ProcessId ProcessID) {
    const std::optional<pid_t> valid = ProcFs::ValidPid(ProcessID);
    return valid ? Proc().ExeName(*valid) : std::string{};
}

bool Enumerator::KillProcess(ProcessId ProcessID) {
    const std::optional<pid_t> target = ProcFs::SignallablePid(ProcessID, getpid());
    // Only the user's own processes, as everywhere else in the program.
    return target && Proc().RealUid(*target) == getuid() && kill(*target, SIGKILL) == 0;
}

ProcessId Enumerator::ThreadProcess(ThreadId ThreadID) {
    // Answered from the thread itself: the stored snapshot is left as it was.
    const std::optional<pid_t> tid = ProcFs::ValidPid(ThreadID);
    if (!tid) {
        return 0;
    }
    return Proc().ThreadGroupOf(*tid).value_or(0);
}

void Enumerator::EnumProcessesInto(std::vector<ProcessId>& processes) {
    Proc().ForEachProcess([&processes](pid_t pid) { processes.push_back(pid); });
}

void Enumerator::EnumThreadsInto(std::vector<ThreadEntry>& threads) {
    Proc().ForEachProcess([&threads](pid_t pid) {
        Proc().ForEachThread(pid, [&threads, pid](pid_t tid) {
            threads.push_back(ThreadEntry{tid, pid});
        });
    });
}

} // namespace morvane::platform
