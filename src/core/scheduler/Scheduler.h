#pragma once

#include "core/tasks/TaskList.h"

#include <functional>
#include <utility>

namespace morvane {

class AppExit;
class Clock;
class Options;
class PowerDispatch;
class Rescan;
class TaskActions;
class TaskGate;
class TaskList;
namespace platform {
class IdleSource;
}

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
        Rescan& rescan;
        AppExit& exit;
        /// Asked before each action; null: nothing is held.
        TaskGate* gate = nullptr;
        /// Where idleness comes from; while it cannot be known, no-mouse-movement tasks are
        /// never due. Null: it can.
        const platform::IdleSource* idle = nullptr;
    };

    explicit Scheduler(Deps deps) : m_d(deps) {}

    /// One tick: every due task, in list order, in one pass over the rows' due times (read when
    /// the rows were), with one scan of the running programs for the close tasks among them.
    /// A task held by the gate stops the pass, and the tasks behind it wait. It never yields to
    /// the event loop, so no row can vanish under it; a pass that has worked for a quarter of a
    /// second stops and goes on at the next tick, so the program keeps answering.
    void Tick();
    /// Hands the task at `row` to its action on its own, as a released warning does.
    void Fire(int row);
    /// What follows when the list is empty: the after-all-tasks action, then quit.
    void FinishIfEmpty();

    /// Whether an Empty task's time came while other tasks remained, so that its action (the
    /// after-all-tasks one) now waits for them.
    [[nodiscard]] bool EmptyActionWaiting() const { return m_emptyActionWaiting; }
    /// The list emptied, or the after-all-tasks choice was cleared: nothing waits any more.
    void ForgetEmptyWaiting() { m_emptyActionWaiting = false; }
    /// Hears each task as it is handed to its action, before it runs; one listener.
    void SetFiredListener(std::function<void(TaskId)> listener) { m_fired = std::move(listener); }

private:
    /// Hands the task at `row` to its action; `scanned` says whether this pass has scanned.
    void Fire(int row, bool& scanned);

    Deps m_d;
    bool m_emptyActionWaiting = false;
    std::function<void(TaskId)> m_fired;
};

} // namespace morvane
