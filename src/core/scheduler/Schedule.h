#pragma once

#include "core/TimerSwitch.h"
#include "core/editor/TaskBuilder.h"
#include "core/scheduler/ActionGate.h"
#include "core/scheduler/IdleTrigger.h"
#include "core/scheduler/PowerDispatch.h"
#include "core/scheduler/Scheduler.h"
#include "core/scheduler/TaskRunner.h"
#include "core/scheduler/WatchTrigger.h"
#include "core/tasks/TaskList.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace morvane {

class AppExit;
class Clock;
class KeptFiles;
class ProgramScan;
class Recorder;
class UiHost;
struct Preferences;
namespace platform {
class IdleSource;
class Launcher;
class Power;
class Processes;
} // namespace platform

/// Where the list stands, from one pass over the rows at one moment.
struct ScheduleStatus {
    /// The row due first by its time (idle tasks only when no timed one exists); 0 for none.
    int nextRow = 0;
    /// Its seconds left (0 when due); none for an idle task or a time that cannot be read.
    std::optional<std::int64_t> secondsLeft;
};

/// The scheduling part: the ticks, the actions, the activity sampler, the power requests, the
/// warning before acting, and what the status and the notices say. It also decides when its two
/// timers need to run: the scheduler's while tasks exist or something is held, the sampler's
/// while a no-mouse-movement task, or one that waits for a program or for quiet, exists.
class Schedule final : private TaskListObserver {
public:
    struct Deps {
        TaskList& tasks;
        Options& options;
        const Preferences& prefs;
        const Clock& clock;
        platform::Power& power;
        platform::Processes& processes;
        platform::Launcher& launcher;
        platform::IdleSource& idle;
        ProgramScan& scan;
        KeptFiles& files;
        Recorder& recorder;
        AppExit& exit;
        UiHost& host;
        std::function<void(const std::string&)> log = {};
        /// The counters of the quiet triggers; null where there are none.
        platform::SystemLoad* load = nullptr;
    };

    explicit Schedule(Deps deps);
    ~Schedule() override;
    Schedule(const Schedule&) = delete;
    Schedule& operator=(const Schedule&) = delete;

    [[nodiscard]] TimerSwitch& TickSwitch() { return m_tickSwitch; }
    [[nodiscard]] const TimerSwitch& TickSwitch() const { return m_tickSwitch; }
    [[nodiscard]] TimerSwitch& SamplerSwitch() { return m_samplerSwitch; }
    [[nodiscard]] const TimerSwitch& SamplerSwitch() const { return m_samplerSwitch; }

    // The timers' work.
    void Tick();
    void SampleActivity();
    void ResetIdle() { m_idleTrigger.Reset(); }
    void SetFiredListener(std::function<void(TaskId)> listener) {
        m_scheduler.SetFiredListener(std::move(listener));
    }

    // Commands on the list.
    /// Appends tasks as loading does: each idle task waits its period from now, and each Empty
    /// task sets the after-all-tasks marks as adding it did. Returns the first new row.
    int Load(std::vector<Task> tasks);
    /// Appends a task built from the editor's fields and lets it set the after-all-tasks marks.
    int Add(const TaskBuilder::Input& in);
    int Add(Task task);
    bool Replace(int row, const TaskBuilder::Input& in);
    bool Delete(int row) { return m_d.tasks.Remove(row); }
    void Clear() { m_d.tasks.Clear(); }

    // The warning's answers.
    void DoItNow();
    void Snooze();
    void Cancel();

    // What the windows show.
    [[nodiscard]] const std::optional<Warning>& PendingWarning() const { return m_gate.Pending(); }
    [[nodiscard]] bool EmptyActionWaiting() const { return m_scheduler.EmptyActionWaiting(); }
    [[nodiscard]] ScheduleStatus Status(const DateTime& now) const;
    /// Seconds from `now` until `row` is due (see ScheduleStatus::secondsLeft).
    [[nodiscard]] std::optional<std::int64_t> SecondsLeft(int row, const DateTime& now) const;
    /// Why idleness cannot be known here; empty when it can.
    [[nodiscard]] std::string IdleUnavailableReason() const;
    /// Whether the idle trigger counts any input, not only the pointer's moves.
    [[nodiscard]] bool IdleSeesAnyInput() const { return m_d.idle.SeesAnyInput(); }
    /// Why the task at `row`, which waits for a program or for quiet, may not fire; empty when
    /// it waits as it should.
    [[nodiscard]] std::string WatchProblem(int row) const { return m_watchTrigger.Problem(row); }

private:
    void OnRowsAppended(int first, int last) override;
    void OnRowRemoved(int row) override;
    void OnRowsRemoved(const std::vector<int>& rows) override;
    void OnFieldChanged(int row, Field field) override;
    void OnCleared() override;

    void ListChanged();
    void UpdateTimers();
    void ReleaseHeld();
    void RecordAnswer(HistoryEvent::Kind kind, const Warning& warning);
    void NotifyPowerSoon(const DateTime& now);
    /// The clock went back from `before` to `now` (set by hand, the end of daylight saving) by
    /// at least one step of a repeating task: if that task was on time and now lies more than
    /// one step ahead, it would wait the whole way back again; it is moved to the first step of
    /// its own series after now. A smaller correction only makes it wait that much longer, so
    /// it never runs twice for it. Fixed-time one-off tasks are left as they are.
    void ReArmAfterStepBack(const DateTime& before, const DateTime& now);
    /// The power action that follows `row` at its time: its own, or the after-all-tasks one of
    /// the last one-off task.
    [[nodiscard]] PowerAction PowerAt(int row) const;

    Deps m_d;
    TimerSwitch m_tickSwitch;
    TimerSwitch m_samplerSwitch;
    PowerDispatch m_dispatch;
    ActionGate m_gate;
    TaskRunner m_runner;
    Scheduler m_scheduler;
    IdleTrigger m_idleTrigger;
    WatchTrigger m_watchTrigger;
    bool m_inTick = false;
    // The previous tick's time, for the notifications' crossings.
    std::optional<DateTime> m_lastTick;
};

} // namespace morvane
