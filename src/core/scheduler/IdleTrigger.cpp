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
    // Without a readable pointer there is no movement to see; idle tasks then simply wait.
    const std::optional<platform::Point> pos = m_cursor.Position();
    if (!m_tasks.IsEmpty()) {
        m_timerClose.SetEnabled(true);
    }
    if (!pos || *pos == m_last) {
        return;
    }
    m_last = *pos;
    Restart(1);
}

void IdleTrigger::Arm(int firstRow) {
    if (const std::optional<platform::Point> pos = m_cursor.Position()) {
        m_last = *pos;
    }
    Restart(firstRow);
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
