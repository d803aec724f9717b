#include "core/scheduler/IdleTrigger.h"

#include "core/TimerSwitch.h"
#include "core/tasks/DateTime.h"
#include "core/tasks/TaskList.h"
#include "types/Clock.h"

namespace morvane {

std::optional<std::string_view> IdleTrigger::IdlePeriod(std::string_view type) {
    for (std::string_view prefix : {texts::kCloseIdle, texts::kRunIdle}) {
        if (StartsWith(type, prefix)) {
            return type.substr(prefix.size());
        }
    }
    return std::nullopt;
}

void IdleTrigger::Tick() {
    const platform::Activity activity = m_idle.Sample();
    if (!m_tasks.IsEmpty()) {
        m_timerClose.SetEnabled(true);
    }
    if (activity != platform::Activity::Idle) {
        Restart(1);
    }
}

void IdleTrigger::Arm(int firstRow) {
    Restart(m_idle.Sample() == platform::Activity::Idle ? firstRow : 1);
}

void IdleTrigger::Restart(int firstRow) {
    const DateTime now = m_clock.Now();
    const int n = m_tasks.Count();
    for (int row = firstRow; row <= n; ++row) {
        const auto period = IdlePeriod(m_tasks.FieldOf(row, Field::Type));
        if (!period) {
            continue;
        }
        if (const auto due = AddPeriod(now, *period)) {
            m_tasks.SetField(row, Field::CloseTime, FormatCanonical(*due));
        }
    }
}

} // namespace morvane
