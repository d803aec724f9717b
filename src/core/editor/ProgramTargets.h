#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

class RunningPrograms;
namespace platform {
class Processes;
}

/// What the editor's process list does with a program: find the process a new task targets,
/// find its row again after a rescan, and end every running copy at once.
class ProgramTargets {
public:
    /// The id text of the first process, in scan order, whose file name equals `program`
    /// exactly; nullopt when none runs.
    [[nodiscard]] static std::optional<std::string> FirstProcessId(const RunningPrograms& running,
                                                                   std::string_view program);

    /// Ends every listed process whose file name equals `program` exactly. Ids that are not
    /// positive numbers, and our own process, are skipped. Returns how many were asked to end.
    static int CloseNow(const RunningPrograms& running, platform::Processes& processes,
                        std::string_view program);

    /// The first of `names` equal to `name` ignoring letter case; -1 when none is, or when
    /// `name` is empty.
    [[nodiscard]] static int RowNamed(const std::vector<std::string>& names, std::string_view name);
};

} // namespace morvane
