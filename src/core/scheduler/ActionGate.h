#pragma once

#include "core/extras/Warning.h"
#include "core/scheduler/ScheduleHooks.h"
#include "core/tasks/TaskList.h"

#include <optional>

namespace morvane {

class Clock;
class Options;
class UiHost;
struct Preferences;

/// The warning before acting: which action is held back, until when, and what the user answered.
/// The scheduler asks it before each action; the schedule asks it what a tick must do first and
/// carries out what it releases.
class ActionGate final : public TaskGate {
public:
    enum class State {
        Open,            ///< Nothing is held.
        HoldingTask,     ///< A due task waits behind the warning.
        HoldingAfterAll, ///< The after-all-tasks action waits behind the warning.
        Releasing,       ///< What was held is being carried out: nothing is asked again.
    };
    /// What a tick does before the scheduler's own scan.
    enum class Step {
        Go,            ///< The scheduler ticks as usual.
        Wait,          ///< The warning still counts down: nothing else happens.
        Release,       ///< The warning's time is up: carry out what it held.
        AfterAllAgain, ///< A snoozed after-all-tasks action is due again.
    };
    /// What was held, as handed over for carrying out or answering.
    struct Held {
        Warning warning;
        int row = 0; ///< The held task's row now; 0 for the after-all-tasks action.
    };

    ActionGate(const TaskList& tasks, const Options& options, const Preferences& prefs,
               const Clock& clock, UiHost& host)
        : m_tasks(tasks), m_options(options), m_prefs(prefs), m_clock(clock), m_host(host) {}

    [[nodiscard]] const std::optional<Warning>& Pending() const { return m_warning; }
    /// Whether anything waits for a time to come (a warning or a snooze), so the ticks go on
    /// even with an empty list.
    [[nodiscard]] bool Busy() const { return m_warning.has_value() || m_afterAllUntil.has_value(); }

    bool HoldTask(int row) override;
    bool HoldAfterAll() override;

    /// Decides what the tick at `now` does; drops a warning whose task went away or whose
    /// after-all-tasks action no longer follows.
    Step BeforeTick(const DateTime& now);
    /// Clears the warning and hands over what it held, for carrying out; nothing is held again
    /// until EndRelease. None when nothing was held or its task went away.
    std::optional<Held> StartRelease();
    void EndRelease() { m_state = State::Open; }
    /// Clears the warning and hands over what it held, for an answer; none as StartRelease.
    std::optional<Held> Take();
    /// A snoozed after-all-tasks action waits until `until`, and is warned about again then.
    void SnoozeAfterAll(const DateTime& until) { m_afterAllUntil = until; }

    /// The row of the held task, 0 when nothing is held or it is gone.
    [[nodiscard]] int HeldRow() const;
    /// The rows changed: a held task that went away is no longer held.
    void RowsRemoved();
    /// The task at `row` is being replaced: what the warning named is no longer what it does.
    void Replacing(int row);
    /// The after-all-tasks choice changed: a snooze of a choice that is gone ends.
    void MarksChanged();

private:
    void Drop();
    void Warn(Warning warning, TaskId id, State state);

    const TaskList& m_tasks;
    const Options& m_options;
    const Preferences& m_prefs;
    const Clock& m_clock;
    UiHost& m_host;
    State m_state = State::Open;
    std::optional<Warning> m_warning;
    TaskId m_heldId = 0;
    // While releasing: whether the after-all-tasks action that may follow at once was in the
    // same warning, so it is not warned about a second time.
    bool m_releaseCoversAfterAll = false;
    std::optional<DateTime> m_afterAllUntil;
};

} // namespace morvane
