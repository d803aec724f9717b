#pragma once

#include "platform/Cursor.h"

#include <optional>
#include <string_view>

namespace morvane {

class Clock;
class TaskList;
class TimerSwitch;

/// The 1000 ms mouse sampler: every movement pushes the due time of each no-mouse-movement task
/// to now plus its period, and the scheduler timer is kept running whenever tasks exist.
class IdleTrigger {
public:
    IdleTrigger(TaskList& tasks, const Clock& clock, platform::Cursor& cursor,
                TimerSwitch& timerClose)
        : m_tasks(tasks), m_clock(clock), m_cursor(cursor), m_timerClose(timerClose) {}

    /// Start-up forgets the last position: the first sample counts as a movement unless the
    /// pointer is at (0, 0).
    void ResetPosition() { m_last = platform::Point{}; }

    /// One sample.
    void Tick();

    /// The first reading for tasks that were just loaded (rows `firstRow` onwards): how long the
    /// pointer rested before is unknown, so each no-mouse-movement task waits its whole period
    /// from now, and the position read now is the last one seen. Taken before the scheduler's
    /// next tick, so a kept idle task whose stored time has passed cannot fire on loading.
    void Arm(int firstRow);

    /// The idle period text of a `type`, or nullopt when it is not a no-mouse-movement type.
    [[nodiscard]] static std::optional<std::string_view> IdlePeriod(std::string_view type);

private:
    /// Moves the due time of every no-mouse-movement task from `firstRow` on to now plus its
    /// period.
    void Restart(int firstRow);

    TaskList& m_tasks;
    const Clock& m_clock;
    platform::Cursor& m_cursor;
    TimerSwitch& m_timerClose;
    platform::Point m_last;
};

} // namespace morvane
