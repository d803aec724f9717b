#include "core/scheduler/Scheduler.h"

#include "core/AppExit.h"
#include "core/Options.h"
#include "core/scheduler/PowerDispatch.h"
#include "core/scheduler/ScheduleHooks.h"
#include "core/scheduler/TaskActions.h"
#include "core/tasks/TaskList.h"
#include "platform/IdleSource.h"
#include "types/Clock.h"

namespace morvane {

void Scheduler::Tick() {
    if (m_d.tasks.IsEmpty()) {
        return;
    }
    const DateTime now = m_d.clock.Now();
    // Asked once a tick: a task that waits for no activity where none can be seen would fire
    // at its countdown while the user works.
    const bool idleKnown = m_d.idle == nullptr || m_d.idle->IsAvailable();
    const int n = m_d.tasks.Count();
    for (int row = 1; row <= n; ++row) {
        const TaskPlan& plan = m_d.tasks.PlanOf(row);
        if (!plan.IsDueAt(now) || (!idleKnown && plan.IsIdle())) {
            continue;
        }
        if (m_d.gate != nullptr && m_d.gate->HoldTask(row)) {
            return;
        }
        Fire(row);
        break;
    }
    FinishIfEmpty();
}

void Scheduler::Fire(int row) {
    const Task& task = m_d.tasks.At(row);
    switch (m_d.tasks.PlanOf(row).target) {
    case TaskTarget::Empty:
        m_d.tasks.Remove(row);
        // Kept as every finished task is, and before the after-all-tasks power action
        // below: restored after a reboot, the task would fire the action again.
        m_d.keeper.KeepList();
        if (!m_d.tasks.IsEmpty()) {
            m_emptyActionWaiting = ArmedAfterAll(m_d.options) != PowerAction::None ||
                                   m_d.options.IsChecked(Mark::Quit);
        }
        m_d.rescan.Refresh();
        break;
    case TaskTarget::Close: {
        // The action reads the running-programs lists: they must describe this moment.
        const std::string program = task.program;
        m_d.rescan.Refresh();
        m_d.actions.CloseProgram(program, row);
        break;
    }
    case TaskTarget::Run: {
        const std::string path = task.path;
        m_d.rescan.Refresh();
        m_d.actions.RunProgram(path, row);
        break;
    }
    }
}

void Scheduler::FinishIfEmpty() {
    if (m_d.exit.IsEnding() || !m_d.tasks.IsEmpty()) {
        return;
    }
    m_emptyActionWaiting = false;
    if (m_d.gate != nullptr && m_d.gate->HoldAfterAll()) {
        return;
    }
    m_d.power.DispatchAfterAllTasks();
    if (m_d.options.IsChecked(Mark::Quit)) {
        m_d.exit.QuitImmediately();
    }
}

} // namespace morvane
