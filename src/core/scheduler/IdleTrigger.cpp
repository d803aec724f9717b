#include "core/scheduler/IdleTrigger.h"

#include "core/tasks/DateTime.h"
#include "core/tasks/TaskList.h"
#include "types/Clock.h"

namespace morvane {

void IdleTrigger::Tick() {
    if (m_tasks.IdleTaskCount() == 0) {
        return;
    }
    if (m_idle.Sample() != platform::Activity::Idle) {
        Restart(1);
    }
}

void IdleTrigger::Arm(int firstRow) {
    if (m_tasks.IdleTaskCount() == 0) {
        return;
    }
    Restart(m_idle.Sample() == platform::Activity::Idle ? firstRow : 1);
}

void IdleTrigger::Restart(int firstRow) {
    const DateTime now = m_clock.Now();
    const int n = m_tasks.Count();
    for (int row = firstRow; row <= n; ++row) {
        const TaskPlan& plan = m_tasks.PlanOf(row);
        if (!plan.IsIdle()) {
            continue;
        }
        if (const auto due = AddPeriod(now, plan.period)) {
            m_tasks.SetField(row, Field::CloseTime, FormatCanonical(*due));
        }
    }
}

} // namespace morvane
