#include "core/editor/ProgramTargets.h"

#include "core/RunningPrograms.h"
#include "core/tasks/Task.h"
#include "platform/Processes.h"

namespace morvane {

std::optional<std::string> ProgramTargets::FirstProcessId(const RunningPrograms& running,
                                                          std::string_view program) {
    for (const platform::ProcessInfo& process : running.Scanned()) {
        if (FileNameFromPath(process.path) == program) {
            return std::to_string(process.pid);
        }
    }
    return std::nullopt;
}

int ProgramTargets::CloseNow(const RunningPrograms& running, platform::Processes& processes,
                             std::string_view program) {
    // A copy: ending a process may lead to a rescan that rebuilds the lists under us. Each
    // process goes with its identity from the scan, which may be minutes old: the kill leaves
    // it alone if it has changed since.
    // NOLINTNEXTLINE(performance-unnecessary-copy-initialization): the copy is the point
    const std::vector<platform::ProcessInfo> scanned = running.Scanned();
    int asked = 0;
    for (const platform::ProcessInfo& process : scanned) {
        if (FileNameFromPath(process.path) != program || process.pid <= 0 ||
            process.pid == processes.OwnPid()) {
            continue;
        }
        asked += processes.TerminateProcess(process) == platform::OutOfReach::None ? 1 : 0;
    }
    return asked;
}

int ProgramTargets::RowNamed(const std::vector<std::string>& names, std::string_view name) {
    if (name.empty()) {
        return -1;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (EqualsIgnoreCase(names[i], name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace morvane
