#pragma once

#include "platform/IdleSource.h"

namespace morvane {

class Clock;
class TaskList;

/// The 1000 ms activity sampler: every sample that shows activity, or cannot tell, pushes the
/// due time of each no-mouse-movement task to now plus its period. It samples only while such a
/// task exists.
class IdleTrigger {
public:
    IdleTrigger(TaskList& tasks, const Clock& clock, platform::IdleSource& idle)
        : m_tasks(tasks), m_clock(clock), m_idle(idle) {}

    /// Start-up forgets what was seen: with the pointer, the first sample counts as a movement
    /// unless the pointer is at (0, 0).
    void Reset() { m_idle.Reset(); }

    /// One sample. An unknown one counts as activity: an idle task must never act on a guess.
    void Tick();

    /// The first reading for tasks that were just loaded (rows `firstRow` onwards): how long the
    /// user was away before is unknown, so each no-mouse-movement task waits its whole period
    /// from now. The sample is taken before the scheduler's next tick, so a kept idle task whose
    /// stored time has passed cannot fire on loading; when it shows activity (or cannot tell),
    /// the rows already in the list restart too, since the next tick will not see it again.
    void Arm(int firstRow);

private:
    /// Moves the due time of every no-mouse-movement task from `firstRow` on to now plus its
    /// period.
    void Restart(int firstRow);

    TaskList& m_tasks;
    const Clock& m_clock;
    platform::IdleSource& m_idle;
};

} // namespace morvane
