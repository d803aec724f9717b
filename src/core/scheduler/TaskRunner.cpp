#include "core/scheduler/TaskRunner.h"

#include "core/AppExit.h"
#include "core/RunningPrograms.h"
#include "core/SignalBox.h"
#include "core/scheduler/PowerDispatch.h"
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

void TaskRunner::Terminate(platform::ProcessId pid) {
    // Signalling 0, a negative id or ourselves would hit a whole group or end Morvane.
    if (pid > 0 && pid != m_d.processes.OwnPid()) {
        m_d.processes.TerminateProcessById(pid);
    }
}

std::optional<platform::ProcessId> TaskRunner::RecordedProcess(const std::string& idText,
                                                               const std::string& program) {
    const auto pid = ParseProcessId(idText);
    if (!pid || *pid == m_d.processes.OwnPid() ||
        !EqualsIgnoreCase(m_d.processes.ProcessName(*pid), program)) {
        return std::nullopt;
    }
    return pid;
}

void TaskRunner::Repeat(int row) {
    const std::string& loop = m_d.tasks.FieldOf(row, Field::Loop);
    if (loop == texts::kNone) {
        m_d.tasks.Remove(row);
        return;
    }
    const DateTime now = m_d.clock.Now();
    // An unreadable due time restarts from the moment the task ran, so it cannot fire forever.
    const DateTime due =
        ParseDateText(m_d.tasks.FieldOf(row, Field::CloseTime), m_d.dateOrder).value_or(now);
    if (const auto next = NextOccurrence(due, loop, now)) {
        m_d.tasks.SetField(row, Field::CloseTime, FormatCanonical(*next));
    }
}

void TaskRunner::CloseProgram(const std::string& program, int row) {
    const auto& paths = m_d.running.List1();
    const auto& ids = m_d.running.LstID();
    for (std::size_t j = 0; j < paths.size() && j < ids.size(); ++j) {
        if (EqualsIgnoreCase(FileNameFromPath(paths[j]), program)) {
            if (const auto pid = ParseProcessId(ids[j])) {
                Terminate(*pid);
            }
        }
    }
    const std::string after = m_d.tasks.FieldOf(row, Field::After);
    if (const auto pid = RecordedProcess(m_d.tasks.FieldOf(row, Field::Id), program)) {
        Terminate(*pid);
    }
    Repeat(row);
    m_d.saveDefaultTaskList();
    m_d.power.DispatchAfter(after);
    if (PowerDispatch::WantsQuit(after)) {
        m_d.exit.QuitImmediately();
        return;
    }
    m_d.signals.Refresh();
}

void TaskRunner::RunProgram(const std::string& commandLine, int row) {
    const std::string after = m_d.tasks.FieldOf(row, Field::After);
    // A command line that cannot be started is skipped; the task still finishes.
    (void)m_d.launcher.Launch(commandLine);
    Repeat(row);
    m_d.saveDefaultTaskList();
    m_d.power.DispatchAfter(after);
    if (PowerDispatch::WantsQuit(after)) {
        m_d.exit.ExitCommand();
        if (m_d.exit.IsEnding()) {
            return;
        }
    }
    m_d.signals.Refresh();
}

} // namespace morvane
