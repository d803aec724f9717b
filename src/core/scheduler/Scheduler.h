#pragma once

#include "core/tasks/DateTime.h"

#include <functional>
#include <utility>

namespace morvane {

class AppExit;
class Clock;
class Options;
class PowerDispatch;
class SignalBox;
class TaskActions;
class TaskList;
class TimerSwitch;

/// The 500 ms scheduler tick: hands the first due task to its action, and performs the
/// after-all-tasks choice when that empties the list. A no-mouse-movement task waits for as
/// long as idleness cannot be known.
class Scheduler {
public:
    struct Deps {
        TaskList& tasks;
        Options& options;
        const Clock& clock;
        PowerDispatch& power;
        TaskActions& actions;
        SignalBox& signals;
        TimerSwitch& timerClose;
        AppExit& exit;
        /// Writes or removes the kept task list; may be empty.
        std::function<void()> saveDefaultTaskList = {};
        /// Whether idleness can be known here; while it cannot, no-mouse-movement tasks are
        /// never due. Empty: it can.
        std::function<bool()> idleKnown = {};
    };

    explicit Scheduler(Deps deps, DateOrder order = DateOrder::DayFirst)
        : m_d(std::move(deps)), m_order(order) {}

    /// The day/month order used to read due times written by other programs.
    void SetDateOrder(DateOrder order) { m_order = order; }

    /// One tick. It never yields to the event loop: it is a plain scan of the rows, fast enough
    /// that no user command or other timer needs to run inside it, and so no row can vanish
    /// under it.
    void Tick();

private:
    Deps m_d;
    DateOrder m_order;
};

} // namespace morvane
