#pragma once

#include "core/tasks/TaskList.h"
#include "platform/SystemLoad.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace morvane {

class Clock;
namespace platform {
class Processes;
}

/// The once-a-second watch behind the tasks that wait for a program to exit or for the network
/// or processor to go quiet. A waiting task keeps texts::kWaitingTime as its time; when what it
/// waits for has happened, its time becomes now and the scheduler acts on it as on any due
/// task. It reads the processes and the counters only while such a task exists.
class WatchTrigger {
public:
    struct Deps {
        TaskList& tasks;
        const Clock& clock;
        platform::Processes& processes;
        /// Null: no counters here, and the quiet tasks say so.
        platform::SystemLoad* load = nullptr;
    };

    explicit WatchTrigger(Deps deps) : m_d(deps) {}

    /// One look at the machine.
    void Tick();
    /// Rows from `firstRow` on were loaded: each waits afresh, and a program must be seen
    /// running before its exit counts (it may have ended, or its id gone to another program,
    /// while Morvane was not running). Quiet is measured again from now.
    void Arm(int firstRow);
    /// The task at `row` was just added or edited, its program checked to be running: its exit
    /// counts from now. Quiet is measured again from now.
    void Added(int row);

    /// Why the task at `row` may not fire: its counter cannot be read, or its program has not
    /// been seen running since the list was loaded. Empty when it waits as it should.
    [[nodiscard]] std::string Problem(int row) const;

private:
    struct State {
        /// The program was running once: its end now counts.
        bool seen = false;
        /// The recorded id did not name the program when first looked at: every process of
        /// the name is waited for instead.
        bool byName = false;
        /// Quiet: the moment quiet has lasted the whole period, if nothing is busy till then.
        std::optional<DateTime> quietDue;
    };

    void Watch(int row, const TaskPlan& plan, State& state, const DateTime& now);
    [[nodiscard]] bool Runs(const TaskPlan& plan, State& state);
    /// Whether this tick's counter for `plan` reads below its limit; none when unknown.
    [[nodiscard]] std::optional<bool> IsQuiet(const TaskPlan& plan) const;

    Deps m_d;
    std::unordered_map<TaskId, State> m_state;
    // This tick's readings and the one before, for the rates.
    std::optional<platform::LoadSample> m_last;
    platform::LoadSample m_now;
    std::optional<double> m_kibPerSecond;
    std::optional<double> m_processorPercent;
    // This tick's running programs, read only when a task waits for every process of a name.
    std::vector<std::string> m_runningNames;
    std::unordered_map<std::int64_t, bool> m_pidRuns;
};

} // namespace morvane
