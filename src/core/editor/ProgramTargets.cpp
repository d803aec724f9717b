#include "core/editor/ProgramTargets.h"

#include "core/RunningPrograms.h"
#include "core/scheduler/TaskRunner.h"
#include "core/tasks/Task.h"
#include "platform/Processes.h"

namespace morvane {

std::optional<std::string> ProgramTargets::FirstProcessId(const RunningPrograms& running,
                                                          std::string_view program) {
    const auto& paths = running.List1();
    const auto& ids = running.LstID();
    for (std::size_t i = 0; i < paths.size() && i < ids.size(); ++i) {
        if (FileNameFromPath(paths[i]) == program) {
            return ids[i];
        }
    }
    return std::nullopt;
}

int ProgramTargets::CloseNow(const RunningPrograms& running, platform::Processes& processes,
                             std::string_view program) {
    // Copies: ending a process may lead to a rescan that rebuilds the lists under us.
    const std::vector<std::string> paths = running.List1();
    const std::vector<std::string> ids = running.LstID();
    int asked = 0;
    for (std::size_t i = 0; i < paths.size() && i < ids.size(); ++i) {
        if (FileNameFromPath(paths[i]) != program) {
            continue;
        }
        const auto pid = ParseProcessId(ids[i]);
        if (!pid || *pid == processes.OwnPid()) {
            continue;
        }
        processes.TerminateProcessById(*pid);
        ++asked;
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
