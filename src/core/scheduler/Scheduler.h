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
        /// Asked before a due task acts; true holds it back and ends the tick there, so the
        /// tasks behind it wait too. Empty: nothing is held.
        std::function<bool(int row)> holdTask = {};
        /// Asked before the after-all-tasks action; true holds it back. Empty: nothing is held.
        std::function<bool()> holdAfterAll = {};
        /// An Empty task's time came while other tasks remain: its action waits for them.
        std::function<void()> emptyTaskWaits = {};
    };

    explicit Scheduler(Deps deps, DateOrder order = DateOrder::DayFirst)
        : m_d(std::move(deps)), m_order(order) {}

    /// The day/month order used to read due times written by other programs.
    void SetDateOrder(DateOrder order) { m_order = order; }

    /// One tick. It never yields to the event loop: it is a plain scan of the rows, fast enough
    /// that no user command or other timer needs to run inside it, and so no row can vanish
    /// under it.
    void Tick();
    /// Hands the task at `row` to its action, as a tick does once it is due and not held.
    void Fire(int row);
    /// What follows when the list is empty: the after-all-tasks action, then quit or stop.
    void FinishIfEmpty();

private:
    Deps m_d;
    DateOrder m_order;
};

} // namespace morvane
