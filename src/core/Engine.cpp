#include "core/Engine.h"

#include "core/editor/ProgramTargets.h"
#include "platform/Autostart.h"
#include "platform/Launcher.h"
#include "platform/Power.h"
#include "platform/Processes.h"
#include "types/Clock.h"
#include "types/PathText.h"

#include <algorithm>

namespace morvane {

Engine::Engine(Services services, AppPaths paths)
    : m_s(std::move(services)), m_tasks(m_s.dateOrder), m_scan(m_s.processes, m_host),
      m_files({std::move(paths), m_s.codec, m_s.fileSync, m_s.log}, m_tasks, m_options, m_alerts,
              m_host, m_s.clock),
      m_recorder(m_files, m_prefs, m_host), m_session({m_tasks, m_options, m_language, m_s.clock,
                                                       m_s.autostart, m_files, m_schedule, m_host}),
      m_schedule({m_tasks, m_options, m_prefs, m_s.clock, m_s.power, m_s.processes, m_s.launcher,
                  m_s.idle, m_scan, m_files, m_recorder, m_session, m_host, m_s.log, m_s.load}) {
    m_prefs = m_files.ReadPreferences();
    using Outcome = platform::Power::Outcome;
    m_s.power.SetOutcomeHandler(
        [this](Outcome outcome, const std::string& action, const std::string& reason) {
            const HistoryEvent::Kind kind =
                outcome == Outcome::Refused       ? HistoryEvent::Kind::PowerRefused
                : outcome == Outcome::NoAnswerYet ? HistoryEvent::Kind::PowerNoAnswerYet
                                                  : HistoryEvent::Kind::PowerDoneLate;
            // Heard between commands: kept at once.
            Kept([&] { m_recorder.Record({m_s.clock.Now(), kind, action, 0, reason}); });
        });
}

Engine::~Engine() {
    // The power back end may hear an answer after we are gone (at its own end).
    m_s.power.SetOutcomeHandler({});
}

std::string Engine::QuotedProgram(const std::string& path) const {
    return m_s.launcher.QuotedProgram(path);
}

ScheduleStatus Engine::Status() const {
    return m_schedule.Status(m_s.clock.Now());
}

std::optional<std::int64_t> Engine::SecondsLeft(int row) const {
    return m_schedule.SecondsLeft(row, m_s.clock.Now());
}

std::optional<Mark> Engine::ArmedAfterAllAction() const {
    return MarkOf(ArmedAfterAll(m_options));
}

TaskBuilder::Input Engine::InputOf(int row) const {
    return TaskBuilder::InputOf(m_tasks.At(row), m_s.dateOrder);
}

void Engine::SetPreferences(const Preferences& prefs) {
    m_prefs = prefs;
    m_prefs.warnLeadSeconds =
        std::clamp(m_prefs.warnLeadSeconds, Preferences::kMinLead, Preferences::kMaxLead);
    m_files.SavePreferences(m_prefs);
}

int Engine::CloseProgramNow(std::string_view program) {
    return ProgramTargets::CloseNow(m_scan.Programs(), m_s.processes, program);
}

TaskFileCount Engine::LoadTasks(const std::filesystem::path& path) {
    TaskFileCount count;
    Kept([&] {
        std::vector<Task> tasks = m_files.ReadTasks(path, m_s.clock.Now(), count);
        const int loaded = static_cast<int>(tasks.size());
        m_schedule.Load(std::move(tasks));
        if (loaded > 0) {
            m_recorder.Record(
                {m_s.clock.Now(), HistoryEvent::Kind::Loaded, Utf8FromPath(path), loaded, {}});
        }
    });
    return count;
}

int Engine::AddTask(const TaskBuilder::Input& in, TaskOrigin origin) {
    return Kept([&] {
        const int row = m_schedule.Add(WithLiveTarget(in));
        const TaskPlan& plan = m_tasks.PlanOf(row);
        const std::string subject = plan.target == TaskTarget::Empty
                                        ? std::string(PowerName(plan.power))
                                        : m_tasks.At(row).program;
        m_recorder.Record({m_s.clock.Now(), HistoryEvent::Kind::Added, subject, 0,
                           origin == TaskOrigin::Editor ? "editor" : "command-line"});
        return row;
    });
}

void Engine::CancelAll() {
    Kept([&] {
        // A held action is cancelled as its notice's Cancel would, so nothing fires after all.
        if (m_schedule.PendingWarning()) {
            m_schedule.Cancel();
        }
        m_schedule.Clear();
        if (const std::optional<Mark> armed = ArmedAfterAllAction()) {
            m_options.TogglePowerMark(*armed);
        }
    });
}

std::string Engine::HibernateUnavailableReason() const {
    return m_s.power.HibernateUnavailableReason();
}

Result Engine::CheckProgram(const std::string& commandLine) const {
    return m_s.launcher.CheckProgram(commandLine);
}

TaskBuilder::Input Engine::WithLiveTarget(TaskBuilder::Input in) const {
    if (in.autoType != 0 || in.emptyTask) {
        return in;
    }
    const auto pid = ParseProcessId(in.processId);
    if (!pid) {
        return in;
    }
    const std::string name = m_s.processes.ProcessName(*pid);
    if (*pid == m_s.processes.OwnPid() || name.empty() ||
        !m_s.processes.SameProgramName(name, in.targetName)) {
        in.processId = texts::kNone;
    }
    return in;
}

bool Engine::EmptyWaitsBehindRepeating(const TaskBuilder::Input& in, int editedRow) const {
    TaskPlan plan;
    plan.target = in.autoType == 0 && in.emptyTask ? TaskTarget::Empty : TaskTarget::Run;
    plan.power = PowerAtIndex(in.afterIndex);
    plan.quit = in.quit;
    if (!plan.ActsAfterAll()) {
        return false;
    }
    const bool editedStays =
        m_tasks.IsValidRow(editedRow) && m_tasks.PlanOf(editedRow).StaysForEver();
    return m_tasks.RepeatingTaskCount() > (editedStays ? 1 : 0);
}

Result Engine::CheckWatched(TaskBuilder::Input& in) const {
    if (in.watch != TaskBuilder::Input::Watch::ProgramExits) {
        return {};
    }
    if (!in.watchId.empty()) {
        const auto pid = ParseProcessId(in.watchId);
        const std::string name = pid ? m_s.processes.ProcessName(*pid) : std::string();
        if (in.watchName.empty() && !name.empty() && *pid != m_s.processes.OwnPid()) {
            in.watchName = name;
        }
        if (name.empty() || !m_s.processes.SameProgramName(name, in.watchName)) {
            return Result::Error(0, (in.watchName.empty() ? "process" : in.watchName) + " (" +
                                        in.watchId + ") is not running");
        }
        return {};
    }
    for (const platform::ProcessInfo& process : m_s.processes.ScanRunningPrograms()) {
        if (m_s.processes.SameProgramName(FileNameFromPath(process.path), in.watchName)) {
            return {};
        }
    }
    return Result::Error(0, in.watchName + " is not running");
}

void Engine::ToggleMark(Mark mark) {
    switch (mark) {
    case Mark::Shut:
    case Mark::Reboot:
    case Mark::Logoff:
    case Mark::Hibernate:
    case Mark::Screen:
    case Mark::Suspend:
    case Mark::Lock:
        m_options.TogglePowerMark(mark);
        break;
    case Mark::Autoload:
        // The user's click says again whether the kept list is wanted; it is written or removed
        // at once, as every change of the list is.
        m_files.KeptListAnswered();
        m_options.Toggle(mark);
        m_files.KeepListSoon();
        m_files.KeepList();
        break;
    case Mark::Quit:
        m_options.Toggle(mark);
        break;
    case Mark::Autostart:
        ToggleAutostart();
        break;
    case Mark::English:
    case Mark::French:
    case Mark::Polish:
        SelectLanguage(mark);
        break;
    }
}

void Engine::ExitCommand() {
    if (m_session.IsEnding()) {
        return;
    }
    if (m_session.WouldLoseTasks()) {
        if (!OfferToKeepTasks()) {
            return;
        }
    } else if (!m_tasks.IsEmptyAfterRemovals() && !m_host.AskExitQuestion()) {
        return;
    }
    m_session.Exit();
}

bool Engine::ConfirmClose() {
    return m_session.IsEnding() || !m_session.WouldLoseTasks() || OfferToKeepTasks();
}

bool Engine::OfferToKeepTasks() {
    switch (m_host.AskToKeepTasks()) {
    case KeepAnswer::Keep:
        // The same as the user's click on Autoload, so the list is written before the end.
        if (!m_options.IsChecked(Mark::Autoload)) {
            ToggleMark(Mark::Autoload);
        }
        return true;
    case KeepAnswer::QuitAnyway:
        return true;
    case KeepAnswer::Stay:
        break;
    }
    return false;
}

bool Engine::AutostartsWithWindows() const {
    return m_s.autostart.StartsWithWindows();
}

} // namespace morvane
