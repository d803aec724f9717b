#include "core/scheduler/ActionGate.h"

#include "core/UiHost.h"
#include "core/extras/Preferences.h"
#include "core/scheduler/PowerDispatch.h"
#include "types/Clock.h"

namespace morvane {

void ActionGate::Warn(Warning warning, TaskId id, State state) {
    m_warning = std::move(warning);
    m_heldId = id;
    m_state = state;
    m_host.WarningChanged();
}

void ActionGate::Drop() {
    if (!m_warning) {
        return;
    }
    m_warning.reset();
    m_heldId = 0;
    m_state = State::Open;
    m_host.WarningChanged();
}

bool ActionGate::HoldTask(int row) {
    if (!m_prefs.warnBeforeActing || m_state == State::Releasing) {
        return false;
    }
    const TaskPlan& plan = m_tasks.PlanOf(row);
    // An Empty task does nothing itself: its action is the after-all-tasks one, held there.
    const bool closes = plan.target == TaskTarget::Close;
    const PowerAction power = plan.target == TaskTarget::Empty ? PowerAction::None : plan.power;
    if (!closes && power == PowerAction::None) {
        return false;
    }
    const DateTime now = m_clock.Now();
    Warn(Warning{false, closes ? m_tasks.At(row).program : std::string(), power, plan.quit,
                 AddSeconds(now, m_prefs.warnLeadSeconds).value_or(now)},
         m_tasks.IdOf(row), State::HoldingTask);
    return true;
}

bool ActionGate::HoldAfterAll() {
    const PowerAction armed = ArmedAfterAll(m_options);
    if (armed == PowerAction::None || (m_state == State::Releasing && m_releaseCoversAfterAll)) {
        return false;
    }
    const DateTime now = m_clock.Now();
    if (m_afterAllUntil && now < *m_afterAllUntil) {
        return true;
    }
    m_afterAllUntil.reset();
    if (!m_prefs.warnBeforeActing) {
        return false;
    }
    Warn(Warning{true,
                 {},
                 armed,
                 m_options.IsChecked(Mark::Quit),
                 AddSeconds(now, m_prefs.warnLeadSeconds).value_or(now)},
         0, State::HoldingAfterAll);
    return true;
}

ActionGate::Step ActionGate::BeforeTick(const DateTime& now) {
    switch (m_state) {
    case State::Open:
    case State::Releasing:
        if (m_afterAllUntil && m_tasks.IsEmpty() && now >= *m_afterAllUntil) {
            // The snooze is over: warned about again (or done, if the option went off).
            m_afterAllUntil.reset();
            return Step::AfterAllAgain;
        }
        return Step::Go;
    case State::HoldingAfterAll:
        // A task added meanwhile, or the choice cleared, ends what was warned about.
        if (!m_tasks.IsEmpty() || ArmedAfterAll(m_options) == PowerAction::None) {
            Drop();
            return Step::Go;
        }
        break;
    case State::HoldingTask:
        if (HeldRow() == 0) {
            Drop();
            return Step::Go;
        }
        break;
    }
    return now >= m_warning->deadline ? Step::Release : Step::Wait;
}

int ActionGate::HeldRow() const {
    return m_state == State::HoldingTask ? m_tasks.RowOf(m_heldId) : 0;
}

std::optional<ActionGate::Held> ActionGate::Take() {
    if (!m_warning) {
        return std::nullopt;
    }
    Held held{*m_warning, HeldRow()};
    const bool gone = !held.warning.afterAllTasks && held.row == 0;
    Drop();
    return gone ? std::nullopt : std::optional<Held>(held);
}

std::optional<ActionGate::Held> ActionGate::StartRelease() {
    std::optional<Held> held = Take();
    if (held) {
        m_releaseCoversAfterAll =
            held->warning.afterAllTasks || held->warning.power != PowerAction::None;
        m_state = State::Releasing;
    }
    return held;
}

void ActionGate::RowsRemoved() {
    if (m_state == State::HoldingTask && HeldRow() == 0) {
        Drop();
    }
}

void ActionGate::Replacing(int row) {
    if (m_state == State::HoldingTask && HeldRow() == row) {
        Drop();
    }
}

void ActionGate::MarksChanged() {
    if (ArmedAfterAll(m_options) == PowerAction::None) {
        m_afterAllUntil.reset();
    }
}

} // namespace morvane
