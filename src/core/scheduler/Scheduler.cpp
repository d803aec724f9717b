#include "core/scheduler/Scheduler.h"

#include "core/AppExit.h"
#include "core/Options.h"
#include "core/SignalBox.h"
#include "core/TimerSwitch.h"
#include "core/scheduler/IdleTrigger.h"
#include "core/scheduler/PowerDispatch.h"
#include "core/scheduler/TaskActions.h"
#include "core/tasks/DateTime.h"
#include "core/tasks/TaskList.h"
#include "types/Clock.h"

namespace morvane {

void Scheduler::Tick() {
    if (m_d.tasks.IsEmpty()) {
        return;
    }
    const DateTime now = m_d.clock.Now();
    // Asked once a tick: a task that waits for no activity where none can be seen would fire
    // at its countdown while the user works.
    const bool idleKnown = !m_d.idleKnown || m_d.idleKnown();
    const int n = m_d.tasks.Count();
    for (int row = 1; row <= n && row <= m_d.tasks.Count(); ++row) {
        const Task& task = m_d.tasks.At(row);
        if (!IsDue(task.closeTime, now, m_order) ||
            (!idleKnown && IdleTrigger::IdlePeriod(task.type))) {
            continue;
        }
        if (m_d.holdTask && m_d.holdTask(row)) {
            return;
        }
        Fire(row);
        break;
    }
    FinishIfEmpty();
}

void Scheduler::Fire(int row) {
    const Task& task = m_d.tasks.At(row);
    if (StartsWith(task.type, texts::kClose)) {
        if (task.program == texts::kEmptyProgram) {
            m_d.tasks.Remove(row);
            // Kept as every finished task is, and before the after-all-tasks power action
            // below: restored after a reboot, the task would fire the action again.
            if (m_d.saveDefaultTaskList) {
                m_d.saveDefaultTaskList();
            }
            if (!m_d.tasks.IsEmpty() && m_d.emptyTaskWaits) {
                m_d.emptyTaskWaits();
            }
            m_d.signals.Refresh();
        } else {
            // The action reads the running-programs lists: they must describe this moment.
            const std::string program = task.program;
            m_d.signals.Refresh();
            m_d.actions.CloseProgram(program, row);
        }
    } else {
        const std::string path = task.path;
        m_d.signals.Refresh();
        m_d.actions.RunProgram(path, row);
    }
}

void Scheduler::FinishIfEmpty() {
    if (m_d.exit.IsEnding() || !m_d.tasks.IsEmpty()) {
        return;
    }
    if (m_d.holdAfterAll && m_d.holdAfterAll()) {
        return;
    }
    m_d.power.DispatchAfterAllTasks();
    if (m_d.options.IsChecked(Mark::Quit)) {
        m_d.exit.QuitImmediately();
        return;
    }
    m_d.timerClose.SetEnabled(false);
}

} // namespace morvane
