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

#include <algorithm>
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

bool TaskRunner::MayEnd(const platform::ProcessInfo& target) const {
    // Signalling 0, a negative id or ourselves would hit a whole group or end Morvane.
    return target.pid > 0 && target.pid != m_d.processes.OwnPid();
}

std::optional<platform::OutOfReach> TaskRunner::Terminate(const platform::ProcessInfo& target) {
    if (MayEnd(target)) {
        return m_d.processes.TerminateProcess(target);
    }
    return std::nullopt;
}

void TaskRunner::Record(HistoryEvent::Kind kind, std::string subject, int count,
                        std::string detail) {
    if (m_d.recorder != nullptr) {
        m_d.recorder->Record({m_d.clock.Now(), kind, std::move(subject), count, std::move(detail)});
    }
}

std::string TaskRunner::OutOfReachDetail(const std::string& program, platform::OutOfReach refused) {
    // The program may well run where we may not close it; the user is told so, not "nothing".
    if (refused == platform::OutOfReach::None) {
        refused = m_d.processes.WhyOutOfReach(program);
    }
    switch (refused) {
    case platform::OutOfReach::Elevated:
        return std::string(kRunsElevated);
    case platform::OutOfReach::OtherSession:
        return std::string(kOtherSession);
    case platform::OutOfReach::None:
        break;
    }
    return {};
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
    if (name.empty() || !m_d.processes.SameProgramName(name, program)) {
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

std::vector<platform::ProcessInfo> TaskRunner::Targets(const std::string& program, int row) {
    // Each process goes with its identity from the scan: the kill leaves it alone if it has
    // changed since.
    std::vector<platform::ProcessInfo> targets;
    for (const platform::ProcessInfo& process : m_d.running.Scanned()) {
        if (m_d.processes.SameProgramName(FileNameFromPath(process.path), program)) {
            targets.push_back(process);
        }
    }
    if (auto recorded = RecordedProcess(m_d.tasks.FieldOf(row, Field::Id), program)) {
        // The recorded process is usually one of the scanned ones: it is asked once.
        const bool scanned = std::any_of(targets.begin(), targets.end(),
                                         [&](const auto& p) { return p.pid == recorded->pid; });
        if (!scanned) {
            targets.push_back(std::move(*recorded));
        }
    }
    return targets;
}

void TaskRunner::CloseProgram(const std::string& program, int row) {
    const TaskPlan plan = m_d.tasks.PlanOf(row);
    const std::vector<platform::ProcessInfo> targets = Targets(program, row);
    if (plan.gentle && StartGentle(targets, program, row, plan)) {
        return; // finished by FollowUp
    }
    int asked = 0;
    platform::OutOfReach refused = platform::OutOfReach::None;
    if (!plan.gentle) {
        for (const platform::ProcessInfo& target : targets) {
            const std::optional<platform::OutOfReach> result = Terminate(target);
            if (result == platform::OutOfReach::None) {
                ++asked;
            } else if (result && refused != platform::OutOfReach::Elevated) {
                refused = *result;
            }
        }
    }
    if (asked > 0) {
        Record(HistoryEvent::Kind::Closed, program, asked, {});
    } else {
        Record(HistoryEvent::Kind::NothingToClose, program, 0, OutOfReachDetail(program, refused));
    }
    Finish(row, plan);
}

bool TaskRunner::StartGentle(const std::vector<platform::ProcessInfo>& targets,
                             const std::string& program, int row, const TaskPlan& plan) {
    const DateTime now = m_d.clock.Now();
    GentleClose close{m_d.tasks.IdOf(row), program, 0, {}, now, {}};
    close.outcome.graceSeconds = plan.graceSeconds;
    close.forceAt = AddSeconds(now, plan.graceSeconds).value_or(now);
    for (const platform::ProcessInfo& target : targets) {
        if (!MayEnd(target)) {
            continue;
        }
        const platform::CloseRequest request = m_d.processes.AskToClose(target);
        if (request.outcome == platform::CloseAsk::NotSent) {
            continue;
        }
        ++close.asked;
        if (request.outcome == platform::CloseAsk::NoWindow) {
            ++close.outcome.windowless;
            if (m_d.log) {
                m_d.log("close task: " + program + " (" + std::to_string(target.pid) +
                        ") has no window to close; it is forced after " +
                        std::to_string(plan.graceSeconds) + " s");
            }
        }
        close.waiting.push_back(request.identity);
    }
    if (close.asked == 0) {
        return false;
    }
    m_gentle.push_back(std::move(close));
    return true;
}

bool TaskRunner::IsUnderWay(TaskId task) const {
    return std::any_of(m_gentle.begin(), m_gentle.end(),
                       [task](const GentleClose& c) { return c.task == task; });
}

bool TaskRunner::FollowUp() {
    const DateTime now = m_d.clock.Now();
    bool finished = false;
    // Finishing a task may remove rows or quit: each one is taken out of the list first.
    for (std::size_t i = 0; i < m_gentle.size() && !m_d.exit.IsEnding();) {
        GentleClose& close = m_gentle[i];
        close.outcome.closed += static_cast<int>(std::erase_if(
            close.waiting, [this](const auto& p) { return !m_d.processes.StillRuns(p); }));
        const int row = m_d.tasks.RowOf(close.task);
        if (row == 0) {
            // The user removed the task: what still runs is left alone.
            close.outcome.left = static_cast<int>(close.waiting.size());
            RecordGentle(close);
            m_gentle.erase(m_gentle.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (!close.waiting.empty() && !(now < close.forceAt)) {
            for (const platform::ProcessInfo& process : close.waiting) {
                close.outcome.forced += Terminate(process) == platform::OutOfReach::None ? 1 : 0;
            }
            close.waiting.clear();
        }
        if (!close.waiting.empty()) {
            ++i;
            continue;
        }
        const GentleClose done = std::move(close);
        m_gentle.erase(m_gentle.begin() + static_cast<std::ptrdiff_t>(i));
        RecordGentle(done);
        Finish(row, m_d.tasks.PlanOf(row));
        finished = true;
    }
    return finished;
}

void TaskRunner::Replacing(int row) {
    const TaskId task = m_d.tasks.IdOf(row);
    const auto it = std::find_if(m_gentle.begin(), m_gentle.end(),
                                 [task](const GentleClose& c) { return c.task == task; });
    if (it != m_gentle.end()) {
        it->outcome.left = static_cast<int>(it->waiting.size());
        RecordGentle(*it);
        m_gentle.erase(it);
    }
}

void TaskRunner::RecordGentle(const GentleClose& close) {
    Record(HistoryEvent::Kind::ClosedGently, close.program, close.asked,
           GentleDetail(close.outcome));
}

void TaskRunner::Finish(int row, const TaskPlan& plan) {
    // Read before the row goes.
    const PowerAction power = plan.power;
    const bool quit = plan.quit;
    Repeat(row);
    m_d.power.Dispatch(power);
    if (quit) {
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
