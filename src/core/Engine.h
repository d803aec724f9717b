#pragma once

#include "core/AppExit.h"
#include "core/Options.h"
#include "core/RunningPrograms.h"
#include "core/SignalBox.h"
#include "core/TimerSwitch.h"
#include "core/editor/TaskBuilder.h"
#include "core/extras/History.h"
#include "core/extras/Preferences.h"
#include "core/extras/Warning.h"
#include "core/scheduler/IdleTrigger.h"
#include "core/scheduler/PowerDispatch.h"
#include "core/scheduler/Scheduler.h"
#include "core/scheduler/TaskRunner.h"
#include "core/storage/AppPaths.h"
#include "core/storage/LanguageTable.h"
#include "core/storage/TaskFile.h"
#include "core/storage/TextFile.h"
#include "core/tasks/TaskList.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace morvane {

class Clock;
class UiHost;
namespace platform {
class Autostart;
class FileSync;
class IdleSource;
class Launcher;
class Power;
class Processes;
} // namespace platform

/// Everything Morvane knows and does, without any window: the task list, the options, the two
/// timers' work, the actions, the files, and the ways of starting and ending. The user
/// interface shows this state and forwards the user's commands here.
class Engine final : public AppExit {
public:
    struct Services {
        const Clock& clock;
        platform::Power& power;
        platform::Processes& processes;
        platform::Launcher& launcher;
        platform::IdleSource& idle;
        platform::Autostart& autostart;
        DateOrder dateOrder = DateOrder::DayFirst;
        const TextCodec& codec = TextCodec::Default();
        /// Puts written files on the disk before they replace the old ones; none when null.
        platform::FileSync* fileSync = nullptr;
        /// Where what could not be done, or was left out, is written; may be empty.
        std::function<void(const std::string& line)> log = {};
    };

    /// Reads the preferences and the history (the files beside the settings).
    Engine(Services services, AppPaths paths);
    ~Engine() override;
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    /// The windows; set once before start-up.
    void SetHost(UiHost* host) { m_host = host; }

    // State the user interface shows. It is read only: every change goes through a command.
    [[nodiscard]] const TaskList& Tasks() const { return m_tasks; }
    [[nodiscard]] const Options& Marks() const { return m_options; }
    [[nodiscard]] const RunningPrograms& Running() const { return m_running; }
    [[nodiscard]] const LanguageTable& Language() const { return m_language; }
    /// Whether the scheduler's 500 ms timer should run.
    [[nodiscard]] bool IsSchedulerOn() const { return m_timerClose.IsEnabled(); }
    [[nodiscard]] const AppPaths& Paths() const { return m_paths; }
    [[nodiscard]] const Clock& ClockSource() const { return m_s.clock; }
    [[nodiscard]] DateOrder DateOrderInUse() const { return m_s.dateOrder; }
    /// A program's path as command-line text the launcher reads back as that one program.
    [[nodiscard]] std::string QuotedProgram(const std::string& path) const;
    /// Why idleness cannot be known here, for the user; empty when it can. No-mouse-movement
    /// tasks wait for as long as it is not empty.
    [[nodiscard]] std::string IdleUnavailableReason() const;

    // What the windows show beyond the list itself.
    /// The options kept outside the settings file.
    [[nodiscard]] const Preferences& Prefs() const { return m_prefs; }
    /// What ran and how it went, oldest first.
    [[nodiscard]] const History& Events() const { return m_history; }
    /// The action held back while the warning notice is shown; none when nothing is held.
    [[nodiscard]] const std::optional<Warning>& PendingWarning() const { return m_warning; }
    /// Seconds from now until `row` is due (0 when it is due or overdue); nullopt for a
    /// no-mouse-movement task (it waits for idleness) and for a due time that cannot be read.
    [[nodiscard]] std::optional<std::int64_t> SecondsLeft(int row) const;
    /// The row that is due first by its time, skipping no-mouse-movement tasks when a timed one
    /// exists; 0 when the list is empty.
    [[nodiscard]] int NextDueRow() const;
    /// The after-all-tasks power action that is armed (Mark::Shut ... Mark::Screen), if any.
    [[nodiscard]] std::optional<Mark> ArmedAfterAllAction() const;
    /// Whether an Empty task's time has come while other tasks remain, so its action now waits
    /// for the list to empty. Cleared when the list empties or the choice is cleared.
    [[nodiscard]] bool EmptyActionWaiting() const { return m_emptyActionWaiting; }
    /// The editor's fields for the task at `row`, so it can be edited; the row must exist.
    [[nodiscard]] TaskBuilder::Input InputOf(int row) const;

    // Following the state. The task list takes observers itself (Tasks().AddObserver).
    /// Hears every mark that changes, whatever changed it.
    void AddMarkListener(Options::Listener listener) { m_options.AddListener(std::move(listener)); }
    /// Hears the scheduler being switched on or off; one listener, an empty one stops it.
    void SetSchedulerListener(TimerSwitch::Listener listener) {
        m_timerClose.SetListener(std::move(listener));
    }

    // Start-up, in the order the main window runs it.
    /// Forgets the activity seen so far (the last mouse position).
    void ResetIdle() { m_idle.Reset(); }
    /// Reads the language the marker files choose into the table and sets the language marks.
    void ChooseStartupLanguage();
    /// Clears the after-all-tasks marks and the two start-up options before the settings load.
    void ClearStartupMarks();
    /// Reads the settings, loads the kept task list when asked, reads the start-at-logon state,
    /// and starts the scheduler when tasks were loaded. Returns whether the list has tasks.
    /// A settings file that is not Morvane's is renamed aside and logged; the kept task list is
    /// then neither loaded nor, at this run's end, replaced or removed, since whether the user
    /// wants it is unknown (until the Autoload item is clicked).
    bool LoadSettingsAndTasks();

    // Timers.
    /// The 500 ms scheduler tick.
    void SchedulerTick();
    /// The 1000 ms activity sampler.
    void MouseTick();

    // Commands.
    /// Rescans the running programs (the "refresh" request).
    void Refresh() { m_signals.Refresh(); }
    /// Add, once the editor's checks have passed: builds the task from the editor's fields,
    /// appends it, lets it set the after-all-tasks marks and starts the scheduler. Returns its row.
    int AddTask(const TaskBuilder::Input& in);
    /// Appends a task that is already built and starts the scheduler. Returns its row.
    int AddTask(Task task);
    /// Save in the editor: replaces the task at `row` in place with one built from the fields,
    /// as Add would build it (the after-all-tasks marks included). False when there is no row.
    bool ReplaceTask(int row, const TaskBuilder::Input& in);
    /// Sets and keeps the options outside the settings file.
    void SetPreferences(const Preferences& prefs);
    /// The warning notice's answers. Do it now acts at once; Snooze puts the action off by
    /// ten minutes; Cancel skips this firing only (a repeating task moves to its next time).
    void WarningDoItNow();
    void WarningSnooze();
    void WarningCancel();
    /// Delete: removes the row at 1-based position `row`; false when there is none.
    bool DeleteTask(int row);
    /// Remove All: empties the list. The scheduler keeps running, and no after-all-tasks action
    /// follows, since no task finished.
    void ClearTasks() { m_tasks.Clear(); }
    /// The editor's "close now": ends every running copy of `program` at once, never ourselves.
    /// Returns how many processes were asked to end.
    int CloseProgramNow(std::string_view program);
    /// A click on the menu item of `mark`: a power mark excludes the other four, Quit and
    /// Autoload flip, Autostart registers or unregisters, a language is selected.
    void ToggleMark(Mark mark);
    /// Save Tasks to a chosen path (".mtf" added when missing). The result names the file written.
    WriteResult SaveTasks(const std::filesystem::path& chosen,
                          std::filesystem::path* written = nullptr);
    /// Load Tasks: the scheduler stops while the file is read and starts again afterwards.
    /// Lines that are not tasks are skipped and counted.
    TaskFileCount LoadTasks(const std::filesystem::path& path);
    /// A click on menuEn, menuFr or menuPolish.
    void SelectLanguage(Mark language);
    /// A click on menuAutostart: toggles the mark and registers or unregisters.
    void ToggleAutostart();
    /// Writes or removes the kept task list, as the option and the list say.
    void SaveDefaultTaskList();
    /// Writes the settings file.
    void SaveSettings();

    // Ending.
    /// The Exit command (button, menu, and a run task's quit flag).
    void ExitCommand() override;
    /// The after-all-tasks quit and a close task's quit flag.
    void QuitImmediately() override;
    [[nodiscard]] bool IsEnding() const override { return m_end != End::Running; }
    /// The main window closes for any reason but an immediate quit: settings and kept list are
    /// saved, the skin released, the editor closed. Runs once; never after an immediate quit.
    void UnloadSequence();

private:
    void ReadLanguage(Mark language);
    void ScanRunningPrograms();
    /// Appends a task file's tasks as loading does: each idle task waits its period from now,
    /// and each Empty task sets the after-all-tasks marks as adding it did.
    TaskFileCount ReadTasks(const std::filesystem::path& path);
    /// Renames a settings file that could not be read aside, and says so in the log.
    void SetSettingsAside();
    void Log(const std::string& line) const;

    // The warning before acting.
    /// Asked by the scheduler before a due task acts: holds a forced close or a power action
    /// back behind a new warning when the user wants one.
    bool HoldTask(int row);
    /// Asked before the after-all-tasks action: holds it back while snoozed or warned about.
    bool HoldAfterAll();
    /// Runs before each tick while something is held; false while the tick must wait.
    bool TickPastWarning(const DateTime& now);
    /// The row of the task held back, found again by its texts when rows moved; 0 when gone.
    int HeldRow();
    /// The held task went away or was changed: nothing is held any more.
    void DropWarning();
    /// Performs what was held (`act`), with nothing asked again about this firing.
    void Release(const std::function<void()>& act);
    /// Cancelled and Snoozed events name the program, else the power action.
    void RecordAnswer(HistoryEvent::Kind kind, const Warning& warning);

    /// Adds an event to the history and tells the windows; failures are also notified.
    void Record(HistoryEvent event);
    /// Notifies the crossings of five and one minute before a power action since the last tick.
    void NotifyPowerSoon(const DateTime& now);
    /// The power action that follows `row` at its time: its own, or the after-all-tasks one of
    /// the last one-off task; empty for none.
    [[nodiscard]] std::string PowerAt(int row) const;

    /// Follows row removals, for what must not outlive the rows it is about.
    class ListWatch final : public TaskListObserver {
    public:
        explicit ListWatch(Engine& engine) : m_engine(engine) {}
        void OnRowAboutToBeAppended(int /*row*/) override {}
        void OnRowAppended(int /*row*/) override {}
        void OnRowAboutToBeRemoved(int /*row*/) override {}
        void OnRowRemoved(int /*row*/) override { m_engine.RowsRemoved(); }
        void OnFieldChanged(int /*row*/, Field /*field*/) override {}
        void OnAboutToClear() override {}
        void OnCleared() override { m_engine.RowsRemoved(); }

    private:
        Engine& m_engine;
    };
    void RowsRemoved();

    Services m_s;
    AppPaths m_paths;
    UiHost* m_host = nullptr;
    enum class End { Running, Unloaded, QuitNow };
    End m_end = End::Running;
    bool m_inTick = false; // set while a scheduler tick runs
    // The settings could not be read, so whether the kept list is wanted is unknown.
    bool m_keptListUnknown = false;

    TaskList m_tasks;
    Options m_options;
    RunningPrograms m_running;
    LanguageTable m_language;
    TimerSwitch m_timerClose;
    SignalBox m_signals{m_options};
    PowerDispatch m_dispatch;
    TaskRunner m_runner;
    Scheduler m_scheduler;
    IdleTrigger m_idle;
    Preferences m_prefs;
    History m_history;
    std::optional<Warning> m_warning;
    bool m_emptyActionWaiting = false;
    // The task the warning is about: its row when warned, and its texts to find it again.
    int m_heldRow = 0;
    Task m_heldTask;
    // Set while a held action is carried out, so it is not held a second time; and whether
    // the after-all-tasks action that may follow it at once was in the same warning.
    bool m_releasing = false;
    bool m_releaseCoversAfterAll = false;
    // A snoozed after-all-tasks action waits until then, and is warned about again.
    std::optional<DateTime> m_afterAllHeldUntil;
    // The previous tick's time, for the notifications' crossings.
    std::optional<DateTime> m_lastTick;
    ListWatch m_listWatch{*this};
};

} // namespace morvane
