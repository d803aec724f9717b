#include "core/scheduler/TaskRunner.h"

#include "core/AppExit.h"
#include "core/RunningPrograms.h"
#include "core/extras/Recorder.h"
#include "core/scheduler/PowerDispatch.h"
#include "core/scheduler/ScheduleHooks.h"
#include "core/tasks/DateTime.h"
#include "core/tasks/TaskList.h"
#include "platform/Launcher.h"
#include "types/Clock.h"

#include <charconv>

namespace morvane {

std::optional<platform::ProcessId> ParseProcessId(std::string_view text) {
    platform::ProcessId pid = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size() || pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

bool TaskRunner::Terminate(const platform::ProcessInfo& target) {
    // Signalling 0, a negative id or ourselves would hit a whole group or end Morvane.
    if (target.pid > 0 && target.pid != m_d.processes.OwnPid()) {
        m_d.processes.TerminateProcess(target);
        return true;
    }
    return false;
}

void TaskRunner::Record(HistoryEvent::Kind kind, std::string subject, int count,
                        std::string detail) {
    if (m_d.recorder != nullptr) {
        m_d.recorder->Record({m_d.clock.Now(), kind, std::move(subject), count, std::move(detail)});
    }
}

void TaskRunner::Skip(int row) {
    Repeat(row);
    m_d.rescan.Refresh();
}

std::optional<platform::ProcessInfo> TaskRunner::RecordedProcess(const std::string& idText,
                                                                 const std::string& program) {
    const auto pid = ParseProcessId(idText);
    if (!pid || *pid == m_d.processes.OwnPid()) {
        return std::nullopt;
    }
    std::string name = m_d.processes.ProcessName(*pid);
    if (name.empty() || !EqualsIgnoreCase(name, program)) {
        return std::nullopt;
    }
    return platform::ProcessInfo{std::move(name), *pid};
}

void TaskRunner::Repeat(int row) {
    const TaskPlan& plan = m_d.tasks.PlanOf(row);
    const DateTime now = m_d.clock.Now();
    // An unreadable due time restarts from the moment the task ran, so it cannot fire forever.
    const DateTime due = plan.due.value_or(now);
    // Left in place without a next time, a task would run again at every tick.
    const auto next = plan.Repeats() ? NextOccurrence(due, m_d.tasks.FieldOf(row, Field::Loop), now)
                                     : std::nullopt;
    if (!next) {
        m_d.tasks.Remove(row);
        return;
    }
    m_d.tasks.SetField(row, Field::CloseTime, FormatCanonical(*next));
}

void TaskRunner::CloseProgram(const std::string& program, int row) {
    // Each process goes with its identity from the scan: the kill leaves it alone if it has
    // changed since.
    int asked = 0;
    for (const platform::ProcessInfo& process : m_d.running.Scanned()) {
        if (EqualsIgnoreCase(FileNameFromPath(process.path), program) && Terminate(process)) {
            ++asked;
        }
    }
    const TaskPlan plan = m_d.tasks.PlanOf(row);
    if (const auto recorded = RecordedProcess(m_d.tasks.FieldOf(row, Field::Id), program)) {
        // The recorded process is usually one of the scanned ones: it is counted once.
        const bool scanned = [&] {
            for (const platform::ProcessInfo& process : m_d.running.Scanned()) {
                if (process.pid == recorded->pid &&
                    EqualsIgnoreCase(FileNameFromPath(process.path), program)) {
                    return true;
                }
            }
            return false;
        }();
        if (Terminate(*recorded) && !scanned) {
            ++asked;
        }
    }
    if (asked > 0) {
        Record(HistoryEvent::Kind::Closed, program, asked, {});
    } else {
        Record(HistoryEvent::Kind::NothingToClose, program, 0, {});
    }
    Repeat(row);
    m_d.power.Dispatch(plan.power);
    if (plan.quit) {
        m_d.exit.QuitImmediately();
    }
}

void TaskRunner::RunProgram(const std::string& commandLine, int row) {
    const TaskPlan plan = m_d.tasks.PlanOf(row);
    // A command line that cannot be started is skipped and the task still finishes, its power
    // action included ("shut down at 23:00 whatever happens"); the reason stays with the row
    // until it runs again, and goes to the log.
    const Result started = m_d.launcher.Launch(commandLine);
    std::string failure;
    if (!started.Ok()) {
        failure = started.Message().empty() ? "cannot start " + commandLine : started.Message();
        if (m_d.log) {
            m_d.log("run task: " + failure);
        }
    }
    if (failure.empty()) {
        Record(HistoryEvent::Kind::Started, commandLine, 1, {});
    } else {
        Record(HistoryEvent::Kind::CouldNotStart, commandLine, 0, failure);
    }
    m_d.tasks.SetLastFailure(row, std::move(failure));
    Repeat(row);
    m_d.power.Dispatch(plan.power);
    if (plan.quit) {
        m_d.exit.ExitCommand();
    }
}

} // namespace morvane
