#include "core/Engine.h"

#include "core/UiHost.h"
#include "core/editor/ProgramTargets.h"
#include "core/storage/Settings.h"
#include "core/tasks/DateTime.h"
#include "platform/Autostart.h"
#include "platform/IdleSource.h"
#include "platform/Launcher.h"
#include "types/Clock.h"

#include <cstdio>

namespace morvane {

namespace {

const char* LanguageFileName(Mark language) {
    switch (language) {
    case Mark::French:
        return "fr.ini";
    case Mark::Polish:
        return "pl.ini";
    default:
        return "en.ini";
    }
}

// Sets a flag for as long as a scope runs, however the scope is left.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

bool FileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// What TaskBuilder::SetAfterMarks reads of the editor, recovered from an Empty task's texts:
// its power action is carried by the marks alone, so a loaded one sets them as adding it did.
TaskBuilder::Input AfterChoiceOf(const Task& task) {
    TaskBuilder::Input in;
    in.emptyTask = true;
    in.quit = PowerDispatch::WantsQuit(task.after);
    for (std::size_t i = 0; i < texts::kPowerNames.size(); ++i) {
        if (StartsWith(task.after, texts::kPowerNames[i])) {
            in.afterIndex = static_cast<int>(i) + 1;
        }
    }
    return in;
}

bool IsEmptyTask(const Task& task) {
    return StartsWith(task.type, texts::kClose) && task.program == texts::kEmptyProgram;
}

// "20261207-100000": names a file set aside, in the order a folder listing sorts.
std::string Stamp(const DateTime& t) {
    char text[80];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

} // namespace

Engine::Engine(Services services, AppPaths paths)
    : m_s(services), m_paths(std::move(paths)), m_dispatch(services.power, m_options),
      m_runner({m_tasks, m_running, services.processes, services.launcher, services.clock,
                m_dispatch, m_signals, *this, [this] { SaveDefaultTaskList(); }, services.dateOrder,
                services.log}),
      m_scheduler({m_tasks, m_options, services.clock, m_dispatch, m_runner, m_signals,
                   m_timerClose, *this, [this] { SaveDefaultTaskList(); },
                   [this] {
                       return m_s.idle.IsAvailable();
                   }},
                  services.dateOrder),
      m_idle(m_tasks, services.clock, services.idle, m_timerClose) {
    m_signals.SetRefreshHandler([this] { ScanRunningPrograms(); });
}

void Engine::ScanRunningPrograms() {
    m_running.Rebuild(m_s.processes.ScanRunningPrograms(), &m_s.processes);
    if (m_host != nullptr) {
        m_host->RunningProgramsChanged();
    }
}

std::string Engine::QuotedProgram(const std::string& path) const {
    return m_s.launcher.QuotedProgram(path);
}

std::string Engine::IdleUnavailableReason() const {
    if (m_s.idle.IsAvailable()) {
        return {};
    }
    std::string reason = m_s.idle.UnavailableReason();
    // Never empty while idle tasks wait: the user is told something.
    return reason.empty() ? "Activity cannot be seen on this desktop." : reason;
}

void Engine::ReadLanguage(Mark language) {
    m_language.Read(m_paths.LanguageFile(LanguageFileName(language)), m_s.codec);
}

void Engine::ChooseStartupLanguage() {
    Mark language = Mark::English;
    if (FileExists(m_paths.FrenchMarker())) {
        language = Mark::French;
    } else if (FileExists(m_paths.PolishMarker())) {
        language = Mark::Polish;
    }
    // A missing language file reads nothing and leaves the marks as designed (English).
    if (m_language.Read(m_paths.LanguageFile(LanguageFileName(language)), m_s.codec)) {
        m_options.SelectLanguage(language);
    }
}

void Engine::ClearStartupMarks() {
    m_options.UncheckAfterMenus();
    m_options.SetChecked(Mark::Autostart, false);
    m_options.SetChecked(Mark::Autoload, false);
}

void Engine::Log(const std::string& line) const {
    if (m_s.log) {
        m_s.log(line);
    }
}

TaskFileCount Engine::ReadTasks(const std::filesystem::path& path) {
    const int first = m_tasks.Count() + 1;
    const TaskFileCount count = ReadTaskFile(path, m_tasks, m_s.clock.Now(), m_s.codec);
    m_idle.Arm(first);
    for (int row = first; row <= m_tasks.Count(); ++row) {
        if (IsEmptyTask(m_tasks.At(row))) {
            TaskBuilder::SetAfterMarks(AfterChoiceOf(m_tasks.At(row)), m_options, m_signals);
        }
    }
    return count;
}

void Engine::SetSettingsAside() {
    m_keptListUnknown = true;
    const std::filesystem::path from = m_paths.SettingsFile();
    std::filesystem::path to = from;
    to += ".corrupt-" + Stamp(m_s.clock.Now());
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    Log(from.string() + " is not a settings file" +
        (ec ? " and could not be renamed (" + ec.message() + ")" : "; kept as " + to.string()) +
        "; the kept task list is left as it is");
}

bool Engine::LoadSettingsAndTasks() {
    if (ReadSettings(m_paths.SettingsFile(), m_options) == SettingsRead::Corrupt) {
        SetSettingsAside();
    }
    if (m_options.IsChecked(Mark::Autoload) && FileExists(m_paths.KeptTaskList())) {
        const TaskFileCount count = ReadTasks(m_paths.KeptTaskList());
        if (count.skipped > 0) {
            Log(m_paths.KeptTaskList().string() + ": " + std::to_string(count.skipped) +
                " line(s) that are not tasks were skipped");
        }
    }
    const bool hasTasks = !m_tasks.IsEmpty();
    if (hasTasks && m_host != nullptr) {
        m_host->HideDoor();
    }
    m_options.SetChecked(Mark::Autostart,
                         m_s.autostart.IsAutostartRegistered(m_paths.executableName));
    if (hasTasks) {
        m_timerClose.SetEnabled(true);
    }
    return hasTasks;
}

void Engine::SchedulerTick() {
    // A question asked inside an action (the Exit question of a run task) lets timers fire;
    // a nested tick would hand out a second task before the first has finished.
    if (m_end != End::Running || m_inTick) {
        return;
    }
    const FlagScope inTick(m_inTick);
    m_scheduler.Tick();
}

void Engine::MouseTick() {
    if (m_end == End::Running) {
        m_idle.Tick();
    }
}

int Engine::AddTask(const TaskBuilder::Input& in) {
    const int row = m_tasks.Append(TaskBuilder::Build(in, m_s.clock.Now(), m_s.launcher));
    TaskBuilder::SetAfterMarks(in, m_options, m_signals);
    m_timerClose.SetEnabled(true);
    return row;
}

int Engine::AddTask(Task task) {
    const int row = m_tasks.Append(std::move(task));
    m_timerClose.SetEnabled(true);
    return row;
}

bool Engine::DeleteTask(int row) {
    return m_tasks.Remove(row);
}

int Engine::CloseProgramNow(std::string_view program) {
    return ProgramTargets::CloseNow(m_running, m_s.processes, program);
}

void Engine::ToggleMark(Mark mark) {
    switch (mark) {
    case Mark::Shut:
    case Mark::Reboot:
    case Mark::Logoff:
    case Mark::Hibernate:
    case Mark::Screen:
        m_options.TogglePowerMark(mark);
        break;
    case Mark::Autoload:
        // The user's click says again whether the kept list is wanted.
        m_keptListUnknown = false;
        m_options.Toggle(mark);
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

WriteResult Engine::SaveTasks(const std::filesystem::path& chosen, std::filesystem::path* written) {
    const std::filesystem::path path = WithTaskFileExtension(chosen);
    if (written != nullptr) {
        *written = path;
    }
    return WriteTaskFile(path, m_tasks, m_s.codec, m_s.fileSync);
}

TaskFileCount Engine::LoadTasks(const std::filesystem::path& path) {
    m_timerClose.SetEnabled(false);
    const TaskFileCount count = ReadTasks(path);
    m_timerClose.SetEnabled(true);
    return count;
}

void Engine::SelectLanguage(Mark language) {
    ReadLanguage(language);
    m_options.SelectLanguage(language);
    if (m_host != nullptr) {
        m_host->UpdateLan();
    }
    // Marker files carry the choice to the next start; failures are ignored.
    switch (language) {
    case Mark::French:
        EnsureFolder(m_paths.appDataFolder);
        WriteTextLinesAtomic(m_paths.FrenchMarker(), {"fr"}, m_s.codec, m_s.fileSync);
        RemoveFileQuietly(m_paths.PolishMarker());
        break;
    case Mark::Polish:
        EnsureFolder(m_paths.appDataFolder);
        WriteTextLinesAtomic(m_paths.PolishMarker(), {"pl"}, m_s.codec, m_s.fileSync);
        RemoveFileQuietly(m_paths.FrenchMarker());
        break;
    default:
        RemoveFileQuietly(m_paths.FrenchMarker());
        RemoveFileQuietly(m_paths.PolishMarker());
        break;
    }
}

void Engine::ToggleAutostart() {
    m_options.Toggle(Mark::Autostart);
    const Result result =
        m_s.autostart.SetAutostart(m_paths.executableName, m_paths.programFolder.string(),
                                   m_options.IsChecked(Mark::Autostart));
    if (!result.Ok() && m_host != nullptr) {
        m_host->ShowMessage(result.Message());
    }
}

void Engine::SaveDefaultTaskList() {
    if (m_keptListUnknown) {
        return;
    }
    // Written through to the disk: this runs right before shutdown and hibernate requests.
    if (!m_tasks.IsEmpty() && m_options.IsChecked(Mark::Autoload)) {
        EnsureFolder(m_paths.appDataFolder);
        if (const WriteResult written =
                WriteTaskFile(m_paths.KeptTaskList(), m_tasks, m_s.codec, m_s.fileSync);
            !written.Ok()) {
            Log("the kept task list could not be written: " + written.error);
        }
    } else {
        RemoveFileQuietly(m_paths.KeptTaskList(), m_s.fileSync);
    }
}

void Engine::SaveSettings() {
    EnsureFolder(m_paths.appDataFolder);
    if (const WriteResult written =
            morvane::SaveSettings(m_paths.SettingsFile(), m_options, m_s.fileSync);
        !written.Ok()) {
        Log("the settings could not be written: " + written.error);
    }
}

void Engine::ExitCommand() {
    if (m_end != End::Running) {
        return;
    }
    if (!m_tasks.IsEmpty() && m_host != nullptr && !m_host->AskExitQuestion()) {
        return;
    }
    if (m_host != nullptr) {
        m_host->HideDoor();
        m_host->DetachSkin();
        m_host->UnloadEditor();
    }
    UnloadSequence();
    if (m_host != nullptr) {
        m_host->CloseMainWindow();
    }
}

void Engine::QuitImmediately() {
    if (m_end != End::Running) {
        return;
    }
    // The kept task list stays as the last action wrote it: only the settings are saved.
    m_end = End::QuitNow;
    SaveSettings();
    if (m_host != nullptr) {
        m_host->DetachSkin();
        m_host->UnloadEditor();
        m_host->EndProgram();
    }
}

void Engine::UnloadSequence() {
    if (m_end == End::QuitNow || m_end == End::Unloaded) {
        return;
    }
    m_end = End::Unloaded;
    SaveSettings();
    SaveDefaultTaskList();
    if (m_host != nullptr) {
        m_host->DetachSkin();
        m_host->UnloadEditor();
    }
}

} // namespace morvane

// Placeholders of the additions, filled in by their own commits.
namespace morvane {

std::optional<std::int64_t> Engine::SecondsLeft(int row) const {
    (void)row;
    return std::nullopt;
}

int Engine::NextDueRow() const {
    return 0;
}

std::optional<Mark> Engine::ArmedAfterAllAction() const {
    return std::nullopt;
}

TaskBuilder::Input Engine::InputOf(int row) const {
    (void)row;
    return {};
}

bool Engine::ReplaceTask(int row, const TaskBuilder::Input& in) {
    (void)row;
    (void)in;
    return false;
}

void Engine::SetPreferences(const Preferences& prefs) {
    m_prefs = prefs;
}

void Engine::WarningDoItNow() {}
void Engine::WarningSnooze() {}
void Engine::WarningCancel() {}

} // namespace morvane
