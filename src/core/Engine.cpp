#include "core/Engine.h"

#include "core/UiHost.h"
#include "core/editor/ProgramTargets.h"
#include "core/storage/Settings.h"
#include "core/tasks/DateTime.h"
#include "platform/Autostart.h"
#include "platform/IdleSource.h"
#include "platform/Launcher.h"
#include "platform/Power.h"
#include "types/Clock.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

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
                services.log,
                [this](HistoryEvent event) {
                    Record(std::move(event));
                }}),
      m_scheduler({m_tasks, m_options, services.clock, m_dispatch, m_runner, m_signals,
                   m_timerClose, *this, [this] { SaveDefaultTaskList(); },
                   [this] { return m_s.idle.IsAvailable(); },
                   [this](int row) { return HoldTask(row); }, [this] { return HoldAfterAll(); },
                   [this] {
                       m_emptyActionWaiting =
                           ArmedAfterAllAction().has_value() || m_options.IsChecked(Mark::Quit);
                   }},
                  services.dateOrder),
      m_idle(m_tasks, services.clock, services.idle, m_timerClose) {
    m_signals.SetRefreshHandler([this] { ScanRunningPrograms(); });
    int skipped = 0;
    m_prefs = ReadPreferences(m_paths.PreferencesFile(), &skipped);
    if (skipped > 0) {
        Log(m_paths.PreferencesFile().string() + ": " + std::to_string(skipped) +
            " line(s) that are not options were left at their defaults");
    }
    m_history.Load(m_paths.HistoryFile());
    m_tasks.AddObserver(&m_listWatch);
    m_options.AddListener([this](Mark /*mark*/, bool /*checked*/) {
        if (!ArmedAfterAllAction() && !m_options.IsChecked(Mark::Quit)) {
            m_emptyActionWaiting = false;
        }
        if (!ArmedAfterAllAction()) {
            m_afterAllHeldUntil.reset();
        }
    });
    m_dispatch.SetRequestListener([this](std::string_view action) {
        Record({m_s.clock.Now(), HistoryEvent::Kind::PowerRequested, std::string(action), 0, {}});
    });
    m_s.power.SetRefusalHandler([this](const std::string& action, const std::string& reason) {
        Record({m_s.clock.Now(), HistoryEvent::Kind::PowerRefused, action, 0, reason});
    });
}

Engine::~Engine() {
    // The power back end may hear a refusal after we are gone (at its own end).
    m_s.power.SetRefusalHandler({});
    m_tasks.RemoveObserver(&m_listWatch);
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
    const DateTime now = m_s.clock.Now();
    NotifyPowerSoon(now);
    if (!TickPastWarning(now)) {
        return;
    }
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

// The additions: status, editing, preferences, the warning before acting, history and
// notifications.
namespace morvane {

namespace {

// The power action an `after` text names, as tasks store it; empty for none.
std::string PowerNameOf(std::string_view after) {
    for (const std::string_view name : texts::kPowerNames) {
        if (StartsWith(after, name)) {
            return std::string(name);
        }
    }
    return {};
}

// The after-all-tasks marks in the order PowerDispatch reads them, with their names.
constexpr std::array<std::pair<Mark, std::string_view>, 5> kAfterAllOrder = {{
    {Mark::Hibernate, texts::kHibernate},
    {Mark::Reboot, texts::kReboot},
    {Mark::Shut, texts::kShutdown},
    {Mark::Logoff, texts::kLogOff},
    {Mark::Screen, texts::kMonitorOff},
}};

std::string_view MarkName(Mark mark) {
    for (const auto& [m, name] : kAfterAllOrder) {
        if (m == mark) {
            return name;
        }
    }
    return {};
}

constexpr std::int64_t kSnoozeSeconds = 600;

// Texts that say which task a held one is; the due time may move under it (idle tasks).
bool SameTask(const Task& a, const Task& b) {
    for (int f = 1; f <= kFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        if (field != Field::CloseTime && a.Get(field) != b.Get(field)) {
            return false;
        }
    }
    return true;
}

bool IsIdleTask(const Task& task) {
    return IdleTrigger::IdlePeriod(task.type).has_value();
}

} // namespace

std::optional<std::int64_t> Engine::SecondsLeft(int row) const {
    if (!m_tasks.IsValidRow(row) || IsIdleTask(m_tasks.At(row))) {
        return std::nullopt;
    }
    const auto due = ParseDateText(m_tasks.At(row).closeTime, m_s.dateOrder);
    if (!due) {
        return std::nullopt;
    }
    return std::max<std::int64_t>(0, SecondsBetween(m_s.clock.Now(), *due));
}

int Engine::NextDueRow() const {
    int best = 0;
    std::int64_t bestLeft = 0;
    for (int row = 1; row <= m_tasks.Count(); ++row) {
        if (IsIdleTask(m_tasks.At(row))) {
            continue;
        }
        // A time that cannot be read is due at once, as the scheduler reads it.
        const std::int64_t left = SecondsLeft(row).value_or(0);
        if (best == 0 || left < bestLeft) {
            best = row;
            bestLeft = left;
        }
    }
    return best != 0 || m_tasks.IsEmpty() ? best : 1;
}

std::optional<Mark> Engine::ArmedAfterAllAction() const {
    for (const auto& [mark, name] : kAfterAllOrder) {
        if (m_options.IsChecked(mark)) {
            return mark;
        }
    }
    return std::nullopt;
}

TaskBuilder::Input Engine::InputOf(int row) const {
    return TaskBuilder::InputOf(m_tasks.At(row), m_s.dateOrder);
}

bool Engine::ReplaceTask(int row, const TaskBuilder::Input& in) {
    if (!m_tasks.IsValidRow(row)) {
        return false;
    }
    // What the warning named is no longer what the row does.
    if (m_warning && !m_warning->afterAllTasks && HeldRow() == row) {
        DropWarning();
    }
    m_tasks.Replace(row, TaskBuilder::Build(in, m_s.clock.Now(), m_s.launcher));
    TaskBuilder::SetAfterMarks(in, m_options, m_signals);
    m_timerClose.SetEnabled(true);
    return true;
}

void Engine::SetPreferences(const Preferences& prefs) {
    m_prefs = prefs;
    m_prefs.warnLeadSeconds =
        std::clamp(m_prefs.warnLeadSeconds, Preferences::kMinLead, Preferences::kMaxLead);
    EnsureFolder(m_paths.appDataFolder);
    if (const WriteResult written =
            WritePreferences(m_paths.PreferencesFile(), m_prefs, m_s.fileSync);
        !written.Ok()) {
        Log("the preferences could not be written: " + written.error);
    }
}

void Engine::RowsRemoved() {
    if (m_tasks.IsEmpty()) {
        m_emptyActionWaiting = false;
    }
    if (m_warning && !m_warning->afterAllTasks && HeldRow() == 0) {
        DropWarning();
    }
}

int Engine::HeldRow() {
    if (m_tasks.IsValidRow(m_heldRow) && SameTask(m_tasks.At(m_heldRow), m_heldTask)) {
        return m_heldRow;
    }
    for (int row = 1; row <= m_tasks.Count(); ++row) {
        if (SameTask(m_tasks.At(row), m_heldTask)) {
            m_heldRow = row;
            return row;
        }
    }
    return 0;
}

void Engine::DropWarning() {
    m_warning.reset();
    m_heldRow = 0;
    if (m_host != nullptr) {
        m_host->WarningChanged();
    }
}

bool Engine::HoldTask(int row) {
    if (!m_prefs.warnBeforeActing || m_releasing) {
        return false;
    }
    const Task& task = m_tasks.At(row);
    // An Empty task does nothing itself: its action is the after-all-tasks one, held there.
    const bool closes = StartsWith(task.type, texts::kClose) && !IsEmptyTask(task);
    std::string power = IsEmptyTask(task) ? std::string() : PowerNameOf(task.after);
    if (!closes && power.empty()) {
        return false;
    }
    const DateTime now = m_s.clock.Now();
    m_warning = Warning{false, closes ? task.program : std::string(), std::move(power),
                        PowerDispatch::WantsQuit(task.after),
                        AddSeconds(now, m_prefs.warnLeadSeconds).value_or(now)};
    m_heldRow = row;
    m_heldTask = task;
    if (m_host != nullptr) {
        m_host->WarningChanged();
    }
    return true;
}

bool Engine::HoldAfterAll() {
    const auto armed = ArmedAfterAllAction();
    if (!armed || (m_releasing && m_releaseCoversAfterAll)) {
        return false;
    }
    const DateTime now = m_s.clock.Now();
    if (m_afterAllHeldUntil && now < *m_afterAllHeldUntil) {
        return true;
    }
    m_afterAllHeldUntil.reset();
    if (!m_prefs.warnBeforeActing) {
        return false;
    }
    m_warning = Warning{true,
                        {},
                        std::string(MarkName(*armed)),
                        m_options.IsChecked(Mark::Quit),
                        AddSeconds(now, m_prefs.warnLeadSeconds).value_or(now)};
    if (m_host != nullptr) {
        m_host->WarningChanged();
    }
    return true;
}

bool Engine::TickPastWarning(const DateTime& now) {
    if (!m_warning) {
        if (m_afterAllHeldUntil && m_tasks.IsEmpty() && now >= *m_afterAllHeldUntil) {
            // The snooze is over: warned about again (or done, if the option went off).
            m_afterAllHeldUntil.reset();
            m_scheduler.FinishIfEmpty();
            return false;
        }
        return true;
    }
    if (m_warning->afterAllTasks) {
        // A task added meanwhile, or the choice cleared, ends what was warned about.
        if (!m_tasks.IsEmpty() || !ArmedAfterAllAction()) {
            DropWarning();
            return true;
        }
        if (now >= m_warning->deadline) {
            Release([this] { m_scheduler.FinishIfEmpty(); });
        }
        return false;
    }
    const int row = HeldRow();
    if (row == 0) {
        DropWarning();
        return true;
    }
    if (now >= m_warning->deadline) {
        Release([this, row] {
            m_scheduler.Fire(row);
            m_scheduler.FinishIfEmpty();
        });
    }
    return false;
}

void Engine::Release(const std::function<void()>& act) {
    m_releaseCoversAfterAll = m_warning->afterAllTasks || !m_warning->power.empty();
    m_warning.reset();
    m_heldRow = 0;
    if (m_host != nullptr) {
        m_host->WarningChanged();
    }
    const FlagScope releasing(m_releasing);
    act();
}

void Engine::RecordAnswer(HistoryEvent::Kind kind, const Warning& warning) {
    const bool named = !warning.program.empty();
    Record({m_s.clock.Now(), kind, named ? warning.program : warning.power, 0,
            warning.afterAllTasks ? "after all tasks" : (named ? warning.power : std::string())});
}

void Engine::WarningDoItNow() {
    if (!m_warning || m_end != End::Running || m_inTick) {
        return;
    }
    const FlagScope inTick(m_inTick);
    if (m_warning->afterAllTasks) {
        Release([this] { m_scheduler.FinishIfEmpty(); });
        return;
    }
    const int row = HeldRow();
    if (row == 0) {
        DropWarning();
        return;
    }
    Release([this, row] {
        m_scheduler.Fire(row);
        m_scheduler.FinishIfEmpty();
    });
}

void Engine::WarningSnooze() {
    if (!m_warning || m_end != End::Running || m_inTick) {
        return;
    }
    const Warning warning = *m_warning;
    const DateTime now = m_s.clock.Now();
    const DateTime until = AddSeconds(now, kSnoozeSeconds).value_or(now);
    if (warning.afterAllTasks) {
        m_afterAllHeldUntil = until;
    } else if (const int row = HeldRow(); row != 0) {
        m_tasks.SetField(row, Field::CloseTime, FormatCanonical(until));
        SaveDefaultTaskList();
    }
    DropWarning();
    RecordAnswer(HistoryEvent::Kind::Snoozed, warning);
}

void Engine::WarningCancel() {
    if (!m_warning || m_end != End::Running || m_inTick) {
        return;
    }
    const FlagScope inTick(m_inTick);
    const Warning warning = *m_warning;
    const int row = warning.afterAllTasks ? 0 : HeldRow();
    DropWarning();
    RecordAnswer(HistoryEvent::Kind::Cancelled, warning);
    if (warning.afterAllTasks) {
        // Cancelling the after-all-tasks action clears its choice: nothing happens once the
        // list is empty, not even the quit that would have followed the action.
        for (const Mark mark : kPowerMarks) {
            m_options.SetChecked(mark, false);
        }
        if (m_tasks.IsEmpty()) {
            m_timerClose.SetEnabled(false); // as the scheduler stops once all is done
        }
        return;
    }
    if (row != 0) {
        // Finished as if it had run, without acting; a list left empty goes on to the
        // after-all-tasks action, which is warned about on its own.
        m_runner.Skip(row);
        m_scheduler.FinishIfEmpty();
    }
}

void Engine::Record(HistoryEvent event) {
    if (m_host != nullptr && m_prefs.notifyFailures) {
        if (event.kind == HistoryEvent::Kind::CouldNotStart) {
            m_host->Notify({Notice::Kind::CouldNotStart, event.subject, event.detail, 0});
        } else if (event.kind == HistoryEvent::Kind::NothingToClose) {
            m_host->Notify({Notice::Kind::NothingToClose, event.subject, {}, 0});
        }
    }
    EnsureFolder(m_paths.appDataFolder);
    // Not flushed to the disk: a record, not the user's data, and it would delay the power
    // requests it follows. The rename still leaves the old file or the new one whole.
    if (const WriteResult written = m_history.Append(std::move(event)); !written.Ok()) {
        Log("the history could not be written: " + written.error);
    }
    if (m_host != nullptr) {
        m_host->HistoryChanged();
    }
}

std::string Engine::PowerAt(int row) const {
    const Task& task = m_tasks.At(row);
    std::string power = IsEmptyTask(task) ? std::string() : PowerNameOf(task.after);
    // The last one-off task empties the list at its time, and the after-all action follows.
    if (power.empty() && m_tasks.Count() == 1 && task.loop == texts::kNone) {
        if (const auto armed = ArmedAfterAllAction()) {
            power = MarkName(*armed);
        }
    }
    return power;
}

void Engine::NotifyPowerSoon(const DateTime& now) {
    const std::optional<DateTime> previous = m_lastTick;
    m_lastTick = now;
    if (!previous || *previous >= now || !m_prefs.notifyPowerSoon || m_host == nullptr) {
        return;
    }
    for (int row = 1; row <= m_tasks.Count(); ++row) {
        const Task& task = m_tasks.At(row);
        if (IsIdleTask(task)) {
            continue;
        }
        const auto due = ParseDateText(task.closeTime, m_s.dateOrder);
        const std::string power = due ? PowerAt(row) : std::string();
        if (power.empty()) {
            continue;
        }
        const std::int64_t before = SecondsBetween(*previous, *due);
        const std::int64_t left = SecondsBetween(now, *due);
        // The nearest mark crossed since the last tick; none once it is due.
        for (const int minutes : {1, 5}) {
            const std::int64_t mark = std::int64_t{minutes} * 60;
            if (left > 0 && left <= mark && before > mark) {
                m_host->Notify({Notice::Kind::PowerSoon, power, {}, minutes});
                break;
            }
        }
    }
}

} // namespace morvane
