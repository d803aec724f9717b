#include "platform/Enumerator.h"

// The enumerator's process and thread half answers nothing here: this build has only its window
// half. Compiled only while the process half is missing from the tree.

namespace morvane::platform {

std::string Enumerator::ProcessName(ProcessId /*ProcessID*/) {
    return {};
}

bool Enumerator::KillProcess(ProcessId /*ProcessID*/) {
    return false;
}

ProcessId Enumerator::ThreadProcess(ThreadId /*ThreadID*/) {
    return 0;
}

bool Enumerator::ThreadHung(ThreadId /*ThreadID*/) {
    return false;
}

void Enumerator::EnumProcessesInto(std::vector<ProcessId>& /*processes*/) {}

void Enumerator::EnumThreadsInto(std::vector<ThreadEntry>& /*threads*/) {}

} // namespace morvane::platform
