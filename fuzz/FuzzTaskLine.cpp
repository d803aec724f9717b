// A task line as Load and the kept list read it, and as Save writes it back.
#include "Require.h"
#include "core/tasks/Task.h"
#include "core/tasks/TaskPlan.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

using morvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const morvane::Task task = morvane::SplitTaskLine(line);
    const std::string joined = morvane::JoinTaskLine(task);
    Require(joined.find_first_of("\r\n") == std::string::npos &&
                std::count(joined.begin(), joined.end(), '\t') == morvane::kFieldCount - 1,
            "a written task line is seven fields on one line");
    // A record without a line end in it comes back whole through the writer.
    if (line.find_first_of("\r\n") == std::string_view::npos) {
        Require(morvane::SplitTaskLine(joined) == task, "a task line survives a save");
    }
    const std::string name = morvane::FileNameFromPath(task.path);
    Require(name.find_first_of("/\\") == std::string::npos, "a file name has no separator");
    Require(morvane::EqualsIgnoreCase(task.program, task.program), "a name equals itself");
    const morvane::TaskPlan plan = morvane::ParseTask(task, morvane::DateOrder::DayFirst);
    Require(plan.graceSeconds >= morvane::kMinGraceSeconds &&
                plan.graceSeconds <= morvane::kMaxGraceSeconds,
            "a hand-edited grace is kept within its bounds");
    if (plan.Watches()) {
        // What a waiting task is read as is what its text says, written the way Morvane writes.
        morvane::Task rebuilt = task;
        const bool close = morvane::StartsWith(task.type, morvane::texts::kClose);
        rebuilt.type =
            plan.trigger == morvane::TaskTrigger::ProgramExits
                ? morvane::WhenExitsType(close, plan.watchPid, plan.watchName)
                : morvane::WhenQuietType(close, plan.quietSource, plan.quietLimit, plan.period);
        const morvane::TaskPlan again = morvane::ParseTask(rebuilt, morvane::DateOrder::DayFirst);
        Require(again.trigger == plan.trigger && again.watchPid == plan.watchPid &&
                    again.watchName == plan.watchName && again.quietSource == plan.quietSource &&
                    again.quietLimit == plan.quietLimit && again.period == plan.period,
                "a waiting task's text round-trips");
        Require(!plan.Repeats() && plan.watchPid >= 0 && plan.quietLimit >= 0,
                "a waiting task runs once, for a real process or level");
    }
    return 0;
}
