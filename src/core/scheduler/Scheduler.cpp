#include "core/scheduler/Scheduler.h"

#include "core/AppExit.h"
#include "core/Options.h"
#include "core/SignalBox.h"
#include "core/TimerSwitch.h"
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
    const int n = m_d.tasks.Count();
    for (int row = 1; row <= n && row <= m_d.tasks.Count(); ++row) {
        const Task& task = m_d.tasks.At(row);
        if (!IsDue(task.closeTime, now, m_order)) {
            continue;
        }
        if (StartsWith(task.type, texts::kClose)) {
            if (task.program == texts::kEmptyProgram) {
                m_d.tasks.Remove(row);
                // Kept as every finished task is, and before the after-all-tasks power action
                // below: restored after a reboot, the task would fire the action again.
                if (m_d.saveDefaultTaskList) {
                    m_d.saveDefaultTaskList();
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
        break;
    }
    if (m_d.exit.IsEnding() || !m_d.tasks.IsEmpty()) {
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
