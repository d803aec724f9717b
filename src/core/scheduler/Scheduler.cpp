#include "core/scheduler/Scheduler.h"

#include "core/AppExit.h"
#include "core/Options.h"
#include "core/scheduler/PowerDispatch.h"
#include "core/scheduler/ScheduleHooks.h"
#include "core/scheduler/TaskActions.h"
#include "core/tasks/TaskList.h"
#include "platform/IdleSource.h"
#include "types/Clock.h"

#include <chrono>

namespace morvane {

namespace {

// How long one pass may act before the rest waits for the next tick: the window, and a request
// to end, are answered between passes.
constexpr std::chrono::milliseconds kPassBudget{250};

} // namespace

void Scheduler::Tick() {
    if (m_d.tasks.IsEmpty()) {
        return;
    }
    const DateTime now = m_d.clock.Now();
    // Asked once a tick: a task that waits for no activity where none can be seen would fire
    // at its countdown while the user works.
    const bool idleKnown = m_d.idle == nullptr || m_d.idle->IsAvailable();
    const auto deadline = std::chrono::steady_clock::now() + kPassBudget;
    bool scanned = false;
    bool fired = false;
    // Finished rows keep their places until the pass is over, then go in one sweep.
    m_d.tasks.BeginRemovals();
    for (int row = 1; row <= m_d.tasks.Count(); ++row) {
        const TaskPlan& plan = m_d.tasks.PlanOf(row);
        if (!plan.IsDueAt(now) || (!idleKnown && plan.IsIdle()) ||
            m_d.actions.IsUnderWay(m_d.tasks.IdOf(row))) {
            continue;
        }
        if (m_d.gate != nullptr && m_d.gate->HoldTask(row)) {
            break;
        }
        Fire(row, scanned);
        fired = true;
        if (m_d.exit.IsEnding() || std::chrono::steady_clock::now() >= deadline) {
            break;
        }
    }
    m_d.tasks.EndRemovals();
    if (m_d.exit.IsEnding()) {
        return;
    }
    if (fired) {
        // The lists the editor shows describe the moment after the actions.
        m_d.rescan.Refresh();
    }
    FinishIfEmpty();
}

void Scheduler::Fire(int row) {
    bool scanned = false;
    Fire(row, scanned);
    if (!m_d.exit.IsEnding()) {
        m_d.rescan.Refresh();
    }
}

void Scheduler::Fire(int row, bool& scanned) {
    if (m_fired) {
        m_fired(m_d.tasks.IdOf(row));
    }
    const Task& task = m_d.tasks.At(row);
    switch (m_d.tasks.PlanOf(row).target) {
    case TaskTarget::Empty:
        m_d.tasks.Remove(row);
        if (!m_d.tasks.IsEmpty()) {
            m_emptyActionWaiting = ArmedAfterAll(m_d.options) != PowerAction::None ||
                                   m_d.options.IsChecked(Mark::Quit);
        }
        break;
    case TaskTarget::Close: {
        // The action reads the running-programs lists: they must describe this pass. A process
        // ended since is checked again at its kill.
        const std::string program = task.program;
        if (!scanned) {
            m_d.rescan.Refresh();
            scanned = true;
        }
        m_d.actions.CloseProgram(program, row);
        break;
    }
    case TaskTarget::Run: {
        const std::string path = task.path;
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
