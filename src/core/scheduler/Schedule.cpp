#include "core/scheduler/Schedule.h"

#include "core/AppExit.h"
#include "core/ProgramScan.h"
#include "core/UiHost.h"
#include "core/extras/Preferences.h"
#include "core/extras/Recorder.h"
#include "core/storage/KeptFiles.h"
#include "platform/IdleSource.h"
#include "types/Clock.h"

#include <algorithm>

namespace morvane {

namespace {

constexpr std::int64_t kSnoozeSeconds = 600;

// Sets a flag for as long as a scope runs, however the scope is left.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

// What TaskBuilder::SetAfterMarks reads of the editor, recovered from an Empty task: its power
// action is carried by the marks alone, so a loaded one sets them as adding it did.
TaskBuilder::Input AfterChoiceOf(const TaskPlan& plan) {
    TaskBuilder::Input in;
    in.emptyTask = true;
    in.quit = plan.quit;
    in.afterIndex = PowerIndex(plan.power);
    return in;
}

} // namespace

Schedule::Schedule(Deps deps)
    : m_d(std::move(deps)), m_dispatch(m_d.power, m_d.options, &m_d.files),
      m_gate(m_d.tasks, m_d.options, m_d.prefs, m_d.clock, m_d.host),
      m_runner({m_d.tasks, m_d.scan.Programs(), m_d.processes, m_d.launcher, m_d.clock, m_dispatch,
                m_d.scan, m_d.exit, m_d.log, &m_d.recorder}),
      m_scheduler({m_d.tasks, m_d.options, m_d.clock, m_dispatch, m_runner, m_d.scan, m_d.exit,
                   &m_gate, &m_d.idle}),
      m_idleTrigger(m_d.tasks, m_d.clock, m_d.idle),
      m_watchTrigger({m_d.tasks, m_d.clock, m_d.processes, m_d.load}) {
    m_d.tasks.AddObserver(this);
    m_d.options.AddListener([this](Mark /*mark*/, bool /*checked*/) {
        if (ArmedAfterAll(m_d.options) == PowerAction::None && !m_d.options.IsChecked(Mark::Quit)) {
            m_scheduler.ForgetEmptyWaiting();
        }
        m_gate.MarksChanged();
        UpdateTimers();
    });
    m_dispatch.SetRequestListener([this](PowerAction action) {
        m_d.recorder.Record({m_d.clock.Now(),
                             HistoryEvent::Kind::PowerRequested,
                             std::string(PowerName(action)),
                             0,
                             {}});
    });
}

Schedule::~Schedule() {
    m_d.tasks.RemoveObserver(this);
}

void Schedule::UpdateTimers() {
    m_tickSwitch.SetEnabled(!m_d.tasks.IsEmpty() || m_gate.Busy() || m_runner.HasFollowUps());
    m_samplerSwitch.SetEnabled(m_d.tasks.IdleTaskCount() > 0 || m_d.tasks.WatchTaskCount() > 0);
}

void Schedule::ListChanged() {
    if (m_d.tasks.IsEmpty()) {
        m_scheduler.ForgetEmptyWaiting();
    }
    m_gate.RowsRemoved();
    UpdateTimers();
}

void Schedule::OnRowsAppended(int /*first*/, int /*last*/) {
    UpdateTimers();
}

void Schedule::OnRowRemoved(int /*row*/) {
    ListChanged();
}

void Schedule::OnRowsRemoved(const std::vector<int>& /*rows*/) {
    ListChanged();
}

void Schedule::OnCleared() {
    ListChanged();
}

void Schedule::OnFieldChanged(int /*row*/, Field field) {
    if (field == Field::Type) {
        UpdateTimers();
    }
}

void Schedule::Tick() {
    // A question asked inside an action (the Exit question of a run task) lets timers fire;
    // a nested tick would hand out a second task before the first has finished.
    if (m_d.exit.IsEnding() || m_inTick) {
        return;
    }
    {
        const FlagScope inTick(m_inTick);
        const DateTime now = m_d.clock.Now();
        if (m_lastTick && now < *m_lastTick) {
            ReArmAfterStepBack(*m_lastTick, now);
        }
        NotifyPowerSoon(now);
        // Forced ends are due whatever the warning holds back meanwhile.
        if (m_runner.FollowUp() && !m_d.exit.IsEnding()) {
            m_d.scan.Refresh();
            // The last row may have finished: the after-all-tasks action follows as usual.
            m_scheduler.FinishIfEmpty();
        }
        switch (m_d.exit.IsEnding() ? ActionGate::Step::Wait : m_gate.BeforeTick(now)) {
        case ActionGate::Step::Go:
            m_scheduler.Tick();
            break;
        case ActionGate::Step::Wait:
            break;
        case ActionGate::Step::Release:
            ReleaseHeld();
            break;
        case ActionGate::Step::AfterAllAgain:
            m_scheduler.FinishIfEmpty();
            break;
        }
    }
    UpdateTimers();
}

void Schedule::SampleActivity() {
    if (!m_d.exit.IsEnding()) {
        m_idleTrigger.Tick();
        m_watchTrigger.Tick();
    }
}

void Schedule::ReleaseHeld() {
    if (const auto held = m_gate.StartRelease()) {
        if (!held->warning.afterAllTasks) {
            m_scheduler.Fire(held->row);
        }
        m_scheduler.FinishIfEmpty();
    }
    m_gate.EndRelease();
}

int Schedule::Load(std::vector<Task> tasks) {
    const int first = m_d.tasks.AppendAll(std::move(tasks));
    m_idleTrigger.Arm(first);
    m_watchTrigger.Arm(first);
    for (int row = first; row <= m_d.tasks.Count(); ++row) {
        if (const TaskPlan& plan = m_d.tasks.PlanOf(row); plan.target == TaskTarget::Empty) {
            TaskBuilder::SetAfterMarks(AfterChoiceOf(plan), m_d.options);
        }
    }
    return first;
}

int Schedule::Add(const TaskBuilder::Input& in) {
    const int row = m_d.tasks.Append(TaskBuilder::Build(in, m_d.clock.Now(), m_d.launcher));
    m_watchTrigger.Added(row);
    TaskBuilder::SetAfterMarks(in, m_d.options);
    return row;
}

int Schedule::Add(Task task) {
    return m_d.tasks.Append(std::move(task));
}

bool Schedule::Replace(int row, const TaskBuilder::Input& in) {
    if (!m_d.tasks.IsValidRow(row)) {
        return false;
    }
    m_gate.Replacing(row);
    m_runner.Replacing(row);
    m_d.tasks.Replace(row, TaskBuilder::Build(in, m_d.clock.Now(), m_d.launcher));
    m_watchTrigger.Added(row);
    TaskBuilder::SetAfterMarks(in, m_d.options);
    return true;
}

void Schedule::RecordAnswer(HistoryEvent::Kind kind, const Warning& warning) {
    const bool named = !warning.program.empty();
    const std::string power(PowerName(warning.power));
    m_d.recorder.Record({m_d.clock.Now(), kind, named ? warning.program : power, 0,
                         warning.afterAllTasks ? "after all tasks" : (named ? power : "")});
}

void Schedule::DoItNow() {
    if (!m_gate.Pending() || m_d.exit.IsEnding() || m_inTick) {
        return;
    }
    {
        const FlagScope inTick(m_inTick);
        ReleaseHeld();
    }
    UpdateTimers();
}

void Schedule::Snooze() {
    if (!m_gate.Pending() || m_d.exit.IsEnding() || m_inTick) {
        return;
    }
    const auto held = m_gate.Take();
    if (!held) {
        return;
    }
    const DateTime now = m_d.clock.Now();
    const DateTime until = AddSeconds(now, kSnoozeSeconds).value_or(now);
    if (held->warning.afterAllTasks) {
        m_gate.SnoozeAfterAll(until);
    } else {
        m_d.tasks.SetField(held->row, Field::CloseTime, FormatCanonical(until));
    }
    RecordAnswer(HistoryEvent::Kind::Snoozed, held->warning);
    UpdateTimers();
}

void Schedule::Cancel() {
    if (!m_gate.Pending() || m_d.exit.IsEnding() || m_inTick) {
        return;
    }
    {
        const FlagScope inTick(m_inTick);
        const auto held = m_gate.Take();
        if (!held) {
            return;
        }
        RecordAnswer(HistoryEvent::Kind::Cancelled, held->warning);
        if (held->warning.afterAllTasks) {
            // Cancelling the after-all-tasks action clears its choice: nothing happens once the
            // list is empty, not even the quit that would have followed the action.
            for (const Mark mark : kPowerMarks) {
                m_d.options.SetChecked(mark, false);
            }
        } else {
            // Finished as if it had run, without acting; a list left empty goes on to the
            // after-all-tasks action, which is warned about on its own.
            m_runner.Skip(held->row);
            m_scheduler.FinishIfEmpty();
        }
    }
    UpdateTimers();
}

std::optional<std::int64_t> Schedule::SecondsLeft(int row, const DateTime& now) const {
    if (!m_d.tasks.IsValidRow(row)) {
        return std::nullopt;
    }
    const TaskPlan& plan = m_d.tasks.PlanOf(row);
    if (plan.WaitsForEvent() || !plan.due) {
        return std::nullopt;
    }
    return std::max<std::int64_t>(0, SecondsBetween(now, *plan.due));
}

ScheduleStatus Schedule::Status(const DateTime& now) const {
    int best = 0;
    std::int64_t bestLeft = 0;
    for (int row = 1; row <= m_d.tasks.Count(); ++row) {
        const TaskPlan& plan = m_d.tasks.PlanOf(row);
        if (plan.WaitsForEvent()) {
            continue;
        }
        // A time that cannot be read is due at once, as the scheduler reads it.
        const std::int64_t left =
            plan.due ? std::max<std::int64_t>(0, SecondsBetween(now, *plan.due)) : 0;
        if (best == 0 || left < bestLeft) {
            best = row;
            bestLeft = left;
        }
    }
    if (best == 0 && !m_d.tasks.IsEmpty()) {
        best = 1;
    }
    return {best, SecondsLeft(best, now)};
}

std::string Schedule::IdleUnavailableReason() const {
    if (m_d.idle.IsAvailable()) {
        return {};
    }
    std::string reason = m_d.idle.UnavailableReason();
    // Never empty while idle tasks wait: the user is told something.
    return reason.empty() ? "Activity cannot be seen on this desktop." : reason;
}

void Schedule::ReArmAfterStepBack(const DateTime& before, const DateTime& now) {
    for (int row = 1; row <= m_d.tasks.Count(); ++row) {
        const TaskPlan& plan = m_d.tasks.PlanOf(row);
        if (!plan.Repeats() || !plan.due) {
            continue;
        }
        const DateTime due = *plan.due;
        std::optional<DateTime> earlier;
        if (plan.repeat == TaskRepeat::Month) {
            // A month or more back; on time before the step, and more than a month ahead after.
            if (AddMonths(now, 1).value_or(before) > before ||
                !(due <= AddMonths(before, 1).value_or(due)) || !(AddMonths(now, 1) < due)) {
                continue;
            }
            earlier = due;
            for (int i = 0; i < 1200; ++i) {
                const auto back = AddMonths(*earlier, -1);
                if (!back || !(now < *back)) {
                    break;
                }
                earlier = back;
            }
        } else {
            const std::int64_t step = plan.repeat == TaskRepeat::Minute ? 60
                                      : plan.repeat == TaskRepeat::Hour ? 3600
                                                                        : 86400;
            const std::int64_t ahead = SecondsBetween(now, due);
            if (SecondsBetween(now, before) < step || SecondsBetween(before, due) > step ||
                ahead <= step) {
                continue;
            }
            // The first step of the task's own series that lies after now.
            earlier = AddSeconds(due, -((ahead - 1) / step) * step);
        }
        if (earlier) {
            m_d.tasks.SetField(row, Field::CloseTime, FormatCanonical(*earlier));
        }
    }
}

PowerAction Schedule::PowerAt(int row) const {
    const TaskPlan& plan = m_d.tasks.PlanOf(row);
    const PowerAction own = plan.target == TaskTarget::Empty ? PowerAction::None : plan.power;
    // The last one-off task empties the list at its time, and the after-all action follows.
    if (own == PowerAction::None && m_d.tasks.Count() == 1 && plan.repeat == TaskRepeat::None) {
        return ArmedAfterAll(m_d.options);
    }
    return own;
}

void Schedule::NotifyPowerSoon(const DateTime& now) {
    const std::optional<DateTime> previous = m_lastTick;
    m_lastTick = now;
    if (!previous || *previous >= now || !m_d.prefs.notifyPowerSoon) {
        return;
    }
    for (int row = 1; row <= m_d.tasks.Count(); ++row) {
        const TaskPlan& plan = m_d.tasks.PlanOf(row);
        if (plan.WaitsForEvent() || !plan.due) {
            continue;
        }
        const PowerAction power = PowerAt(row);
        if (power == PowerAction::None) {
            continue;
        }
        const std::int64_t before = SecondsBetween(*previous, *plan.due);
        const std::int64_t left = SecondsBetween(now, *plan.due);
        // The nearest mark crossed since the last tick; none once it is due.
        for (const int minutes : {1, 5}) {
            const std::int64_t mark = std::int64_t{minutes} * 60;
            if (left > 0 && left <= mark && before > mark) {
                m_d.host.Notify(
                    {Notice::Kind::PowerSoon, std::string(PowerName(power)), {}, minutes});
                break;
            }
        }
    }
}

} // namespace morvane
