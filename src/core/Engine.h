#pragma once

#include "core/Options.h"
#include "core/ProgramScan.h"
#include "core/Session.h"
#include "core/UiHost.h"
#include "core/editor/TaskBuilder.h"
#include "core/extras/Alerts.h"
#include "core/extras/History.h"
#include "core/extras/Preferences.h"
#include "core/extras/Recorder.h"
#include "core/extras/Warning.h"
#include "core/scheduler/Schedule.h"
#include "core/storage/AppPaths.h"
#include "core/storage/KeptFiles.h"
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
#include <type_traits>
#include <vector>

namespace morvane {

/// Where a new task came from, as the history records it.
enum class TaskOrigin { Editor, CommandLine };

class Clock;
namespace platform {
class Autostart;
class FileSync;
class IdleSource;
class Launcher;
class Power;
class Processes;
class SystemLoad;
} // namespace platform

/// Everything Morvane knows and does, without any window. A thin front: it holds the state the
/// windows show (the task list, the marks, the language, the preferences) and hands each command
/// to the part whose job it is: the files (KeptFiles), the scheduling (Schedule, with the warning
/// before acting in its ActionGate), and start-up and ending (Session). The windows read this
/// state and forward the user's commands here; they never change it themselves.
class Engine final {
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
        /// The counters of the tasks that wait for quiet; null: they cannot be read.
        platform::SystemLoad* load = nullptr;
    };

    /// Reads the preferences and the history (the files beside the settings).
    Engine(Services services, AppPaths paths);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    /// The windows; null leaves the core without any.
    void SetHost(UiHost* host) { m_host.SetTarget(host); }

    // State the user interface shows. It is read only: every change goes through a command.
    [[nodiscard]] const TaskList& Tasks() const { return m_tasks; }
    [[nodiscard]] const Options& Marks() const { return m_options; }
    [[nodiscard]] const RunningPrograms& Running() const { return m_scan.Programs(); }
    [[nodiscard]] const LanguageTable& Language() const { return m_language; }
    /// Whether the scheduler's 500 ms timer should run: while tasks exist or something is held.
    [[nodiscard]] bool IsSchedulerOn() const { return m_schedule.TickSwitch().IsEnabled(); }
    /// Whether the activity sampler should run: while a no-mouse-movement task exists.
    [[nodiscard]] bool IsSamplerOn() const { return m_schedule.SamplerSwitch().IsEnabled(); }
    [[nodiscard]] const AppPaths& Paths() const { return m_files.Paths(); }
    [[nodiscard]] const Clock& ClockSource() const { return m_s.clock; }
    [[nodiscard]] DateOrder DateOrderInUse() const { return m_s.dateOrder; }
    /// A program's path as command-line text the launcher reads back as that one program.
    [[nodiscard]] std::string QuotedProgram(const std::string& path) const;
    /// Why idleness cannot be known here, for the user; empty when it can. No-mouse-movement
    /// tasks wait for as long as it is not empty.
    [[nodiscard]] bool IdleSeesAnyInput() const { return m_schedule.IdleSeesAnyInput(); }
    [[nodiscard]] std::string IdleUnavailableReason() const {
        return m_schedule.IdleUnavailableReason();
    }
    /// Why the machine cannot hibernate, for the user; empty when it can or that is not known.
    [[nodiscard]] std::string HibernateUnavailableReason() const;

    /// Why the task at `row`, which waits for a program or for quiet, may not fire (a counter
    /// that cannot be read, a program not seen running since loading); empty when it waits as
    /// it should.
    [[nodiscard]] std::string WatchProblem(int row) const { return m_schedule.WatchProblem(row); }
    // What the windows show beyond the list itself.
    [[nodiscard]] const Preferences& Prefs() const { return m_prefs; }
    /// What the user must know about Morvane's own state now (files set aside, saves that
    /// failed, another instance), oldest first.
    [[nodiscard]] const std::vector<Alert>& CurrentAlerts() const { return m_alerts.All(); }
    /// What ran and how it went, oldest first.
    [[nodiscard]] const History& Events() const { return m_files.Events(); }
    /// The action held back while the warning notice is shown; none when nothing is held.
    [[nodiscard]] const std::optional<Warning>& PendingWarning() const {
        return m_schedule.PendingWarning();
    }
    /// Where the list stands now: one pass over the rows at one reading of the clock.
    [[nodiscard]] ScheduleStatus Status() const;
    /// Seconds from now until `row` is due (0 when it is due or overdue); nullopt for a
    /// no-mouse-movement task (it waits for idleness) and for a due time that cannot be read.
    [[nodiscard]] std::optional<std::int64_t> SecondsLeft(int row) const;
    /// The row that is due first by its time, skipping no-mouse-movement tasks when a timed one
    /// exists; 0 when the list is empty.
    [[nodiscard]] int NextDueRow() const { return Status().nextRow; }
    /// The after-all-tasks power action that is armed (one of kPowerMarks), if any.
    [[nodiscard]] std::optional<Mark> ArmedAfterAllAction() const;
    /// Whether an Empty task's time has come while other tasks remain, so its action now waits
    /// for the list to empty. Cleared when the list empties or the choice is cleared.
    [[nodiscard]] bool EmptyActionWaiting() const { return m_schedule.EmptyActionWaiting(); }
    /// The editor's fields for the task at `row`, so it can be edited; the row must exist.
    [[nodiscard]] TaskBuilder::Input InputOf(int row) const;

    // Following the state. The task list takes observers itself (Tasks().AddObserver).
    /// Hears every mark that changes, whatever changed it.
    void AddMarkListener(Options::Listener listener) { m_options.AddListener(std::move(listener)); }
    /// Hears the scheduler being switched on or off; one listener, an empty one stops it.
    void SetSchedulerListener(TimerSwitch::Listener listener) {
        m_schedule.TickSwitch().SetListener(std::move(listener));
    }
    /// Hears the activity sampler being switched on or off; one listener.
    void SetSamplerListener(TimerSwitch::Listener listener) {
        m_schedule.SamplerSwitch().SetListener(std::move(listener));
    }

    // Start-up, in the order the main window runs it.
    /// Forgets the activity seen so far (the last mouse position).
    void ResetIdle() { m_schedule.ResetIdle(); }
    void ChooseStartupLanguage() { m_session.ChooseStartupLanguage(); }
    void ClearStartupMarks() { m_session.ClearStartupMarks(); }
    /// Reads the settings, loads the kept task list when asked and reads the start-at-logon
    /// state; the scheduler runs once tasks exist. Returns whether the list has tasks. A settings
    /// file that is not Morvane's is renamed aside and logged; the kept task list is then neither
    /// loaded nor, at this run's end, replaced or removed (until the Autoload item is clicked).
    bool LoadSettingsAndTasks() {
        return Kept([&] { return m_session.LoadSettingsAndTasks(); });
    }

    // Timers.
    /// The 500 ms scheduler tick.
    void SchedulerTick() {
        Kept([&] { m_schedule.Tick(); });
    }
    /// The 1000 ms activity sampler.
    void MouseTick() { m_schedule.SampleActivity(); }

    // Commands.
    /// Rescans the running programs; complete when it returns.
    void Refresh() { m_scan.Refresh(); }
    /// Add, once the editor's checks have passed: builds the task from the editor's fields
    /// (a program to close keeps its process id only while that process still runs), appends it,
    /// lets it set the after-all-tasks marks and records where it came from. Returns its row.
    int AddTask(const TaskBuilder::Input& in, TaskOrigin origin = TaskOrigin::Editor);
    /// Appends a task that is already built. Returns its row.
    int AddTask(Task task) {
        return Kept([&] { return m_schedule.Add(std::move(task)); });
    }
    /// Save in the editor: replaces the task at `row` in place with one built from the fields,
    /// as Add would build it (the after-all-tasks marks included). False when there is no row.
    bool ReplaceTask(int row, const TaskBuilder::Input& in) {
        return Kept([&] { return m_schedule.Replace(row, WithLiveTarget(in)); });
    }
    /// Raises an alert found outside the core (another instance on the same files).
    void RaiseAlert(Alert alert) { m_files.Raise(std::move(alert)); }
    /// Sets and keeps the options outside the settings file.
    void SetPreferences(const Preferences& prefs);
    /// The warning notice's answers. Do it now acts at once; Snooze puts the action off by
    /// ten minutes; Cancel skips this firing only (a repeating task moves to its next time).
    void WarningDoItNow() {
        Kept([&] { m_schedule.DoItNow(); });
    }
    void WarningSnooze() {
        Kept([&] { m_schedule.Snooze(); });
    }
    void WarningCancel() {
        Kept([&] { m_schedule.Cancel(); });
    }
    /// Delete: removes the row at 1-based position `row`; false when there is none.
    bool DeleteTask(int row) {
        return Kept([&] { return m_schedule.Delete(row); });
    }
    /// Remove All: empties the list. No after-all-tasks action follows, since no task finished.
    void ClearTasks() {
        Kept([&] { m_schedule.Clear(); });
    }
    /// Cancel everything from outside the windows: cancels a held action, empties the list and
    /// disarms the after-all-tasks power action.
    void CancelAll();
    /// Brings the main window forward.
    void ShowWindow() { m_host.BringForward(); }
    /// Whether `commandLine`'s program can be started now; an error says why not.
    [[nodiscard]] Result CheckProgram(const std::string& commandLine) const;
    /// Whether the Empty task `in` describes would have its action wait for ever behind a task
    /// that repeats. `editedRow` is the row it replaces (0 for a new task), which does not count.
    [[nodiscard]] bool EmptyWaitsBehindRepeating(const TaskBuilder::Input& in,
                                                 int editedRow = 0) const;
    /// The same for the task at `row`, as its row shows it.
    [[nodiscard]] bool EmptyWaitsBehindRepeating(int row) const {
        return m_tasks.EmptyWaitsBehindRepeating(row);
    }
    /// Whether the program a task would wait for runs now (its id still names it, or, without
    /// an id, a process of that name runs): an error says why not. Success for other tasks.
    /// An id given without a name gets the name of its program.
    [[nodiscard]] Result CheckWatched(TaskBuilder::Input& in) const;
    /// Hears each task as its time comes, before its action; one listener, empty stops it.
    void SetFiredListener(std::function<void(TaskId)> listener) {
        m_schedule.SetFiredListener(std::move(listener));
    }
    /// The editor's "close now": ends every running copy of `program` at once, never ourselves.
    /// Returns how many processes were asked to end.
    int CloseProgramNow(std::string_view program);
    /// A click on the menu item of `mark`: a power mark excludes the others, Quit and
    /// Autoload flip, Autostart registers or unregisters, a language is selected.
    void ToggleMark(Mark mark);
    /// Save Tasks to a chosen path (".mtf" added when missing). The result names the file written.
    WriteResult SaveTasks(const std::filesystem::path& chosen,
                          std::filesystem::path* written = nullptr) {
        return m_files.SaveTasks(chosen, written);
    }
    /// Load Tasks: appends the file's tasks (and keeps them when the list is kept). Lines that are
    /// not tasks are skipped and counted.
    TaskFileCount LoadTasks(const std::filesystem::path& path);
    void SelectLanguage(Mark language) { m_session.SelectLanguage(language); }
    void ToggleAutostart() { m_session.ToggleAutostart(); }
    [[nodiscard]] bool AutostartsWithWindows() const;
    /// Writes or removes the kept task list, as the option and the list say.
    void SaveDefaultTaskList() { m_files.KeepList(); }
    /// Writes the settings file.
    void SaveSettings() { m_files.SaveSettings(m_options); }

    // Ending.
    /// The user's Exit (button, menu, Ctrl+Q, the tray's Exit). Tasks the end would lose are
    /// offered to be kept first; tasks that are kept are asked about as before.
    void ExitCommand();
    /// The window's close box, before the window closes: tasks the end would lose are offered
    /// to be kept. False when the user stays.
    bool ConfirmClose();
    /// Whether ending now would lose tasks: the list has some and Autoload is off.
    [[nodiscard]] bool WouldLoseTasks() const { return m_session.WouldLoseTasks(); }
    void QuitImmediately() { m_session.QuitImmediately(); }
    [[nodiscard]] bool IsEnding() const { return m_session.IsEnding(); }
    void UnloadSequence() { m_session.UnloadSequence(); }

private:
    /// Asks whether to keep the tasks the end would lose; false when the user stays.
    bool OfferToKeepTasks();
    /// `in` without a process id to close that no longer names its program: the editor keeps
    /// the id it saw when the program was picked, and the close finds the program by name.
    [[nodiscard]] TaskBuilder::Input WithLiveTarget(TaskBuilder::Input in) const;
    /// Runs a command, then writes the kept task list if the command changed it: every change
    /// is on the disk once its command or tick is over, written once however many rows changed.
    template <typename Command> std::invoke_result_t<Command> Kept(Command&& command) {
        struct KeepAfter {
            KeptFiles& files;
            ~KeepAfter() { files.KeepList(); }
        } keep{m_files};
        return command();
    }

    Services m_s;
    HostRelay m_host;
    TaskList m_tasks;
    Options m_options;
    LanguageTable m_language;
    Preferences m_prefs;
    Alerts m_alerts;
    ProgramScan m_scan;
    KeptFiles m_files;
    Recorder m_recorder;
    Session m_session;
    Schedule m_schedule;
};

} // namespace morvane
