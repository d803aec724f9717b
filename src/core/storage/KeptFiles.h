#pragma once

#include "core/Options.h"
#include "core/extras/Alerts.h"
#include "core/extras/History.h"
#include "core/extras/Preferences.h"
#include "core/scheduler/ScheduleHooks.h"
#include "core/storage/AppPaths.h"
#include "core/storage/TaskFile.h"
#include "core/storage/TextFile.h"
#include "core/tasks/TaskList.h"

#include <filesystem>
#include <functional>
#include <string>

namespace morvane {

class Clock;
class LanguageTable;
class UiHost;

/// Every file Morvane keeps for the user: the settings, the kept task list, the preferences, the
/// history and the language markers, and what is done with one that cannot be read. The only
/// part that touches the application-data folder.
class KeptFiles final : public ListKeeper, private TaskListObserver {
public:
    struct Deps {
        AppPaths paths;
        const TextCodec& codec;
        /// Puts written files on the disk before they replace the old ones; none when null.
        platform::FileSync* sync = nullptr;
        /// Where what could not be done, or was left out, is written; may be empty.
        std::function<void(const std::string& line)> log = {};
    };

    /// The kept task list is written from `tasks` as the Autoload mark in `options` says; what
    /// the user must know about the files is raised in `alerts`, and `host` is told.
    KeptFiles(Deps deps, const TaskList& tasks, const Options& options, Alerts& alerts,
              UiHost& host, const Clock& clock);
    ~KeptFiles() override;
    KeptFiles(const KeptFiles&) = delete;
    KeptFiles& operator=(const KeptFiles&) = delete;

    [[nodiscard]] const AppPaths& Paths() const { return m_d.paths; }
    void Log(const std::string& line) const;

    // The settings and the kept task list.
    /// Reads the settings into `options`. A file that is not Morvane's is renamed aside (stamped
    /// with `now`) and logged; the kept task list is then neither loaded nor replaced or removed
    /// at this run's end, since whether the user wants it is unknown.
    void ReadSettings(Options& options, const DateTime& now);
    void SaveSettings(const Options& options);
    /// Whether the settings could not be read, so the kept list must be left as it is.
    [[nodiscard]] bool KeptListUnknown() const { return m_keptListUnknown; }
    /// The user said again whether the kept list is wanted (a click on Autoload).
    void KeptListAnswered() { m_keptListUnknown = false; }
    /// The kept task list's tasks, when it is wanted and exists. When it had lines that are not
    /// tasks, a copy of it is set aside (stamped with `now`) before the readable tasks can
    /// replace it, and an Alert::Kind::ListSetAside says so; if no copy can be made, the list is
    /// left as it is at this run's end.
    [[nodiscard]] std::vector<Task> ReadKeptList(const Options& options, const DateTime& now);
    /// Removes the temporary files a write killed half way left beside Morvane's own files in
    /// its data folder; nothing else there is touched. For the start, before anything is read.
    void RemoveStaleTemporaries() const;
    /// Writes the kept task list, or removes it when the list is empty or not wanted, if the
    /// list changed since it was last kept; written through to the disk, since this runs right
    /// before shutdown and hibernate requests. A write that fails is said in the window, the
    /// notifications and the history, and tried again at the next change.
    void KeepList() override;
    /// The same whether or not the list changed (the program is ending); the history too.
    void KeepListNow();
    /// Whether the kept list is wanted changed: it is written or removed at the next keeping.
    void KeepListSoon() { m_listChanged = true; }
    /// The list was just read from the kept file, which therefore holds it: no write is due.
    void KeptListLoaded() { m_listChanged = false; }

    // Task files the user chooses.
    /// ".mtf" added when missing; `written` receives the name written.
    WriteResult SaveTasks(const std::filesystem::path& chosen,
                          std::filesystem::path* written) const;
    /// The tasks of a file, each countdown restarted from `now`; `count` says what was skipped.
    [[nodiscard]] std::vector<Task> ReadTasks(const std::filesystem::path& path,
                                              const DateTime& now, TaskFileCount& count) const;

    // The options kept outside the settings file, and the history.
    [[nodiscard]] Preferences ReadPreferences() const;
    void SavePreferences(const Preferences& prefs) const;
    [[nodiscard]] const History& Events() const { return m_history; }
    /// Adds an event; the history file is written with the list (KeepList).
    void Record(HistoryEvent event);

    // The language.
    /// The language the marker files choose.
    [[nodiscard]] Mark MarkedLanguage() const;
    /// Reads the language file of `language` into `table`; false when it cannot be read.
    bool ReadLanguage(Mark language, LanguageTable& table) const;
    /// Marker files carry the choice to the next start; failures are ignored.
    void MarkLanguage(Mark language) const;

    /// Raises an alert, or clears one, and tells the windows when that changed them.
    void Raise(Alert alert);
    void Clear(Alert::Kind kind, const std::string& subject);

private:
    void OnRowsAppended(int first, int last) override;
    void OnRowRemoved(int row) override;
    void OnRowsRemoved(const std::vector<int>& rows) override;
    void OnFieldChanged(int row, Field field) override;
    void OnCleared() override;

    void SetSettingsAside(const DateTime& now);
    void SetKeptListAside(const DateTime& now, int skipped);
    void WriteList();
    void Removed(int count);
    void WriteHistory();
    /// A write of `subject` ("tasks", "settings") went as `written` says: a failure is raised
    /// once per run of failures; the first success after them clears it.
    void Saved(const std::string& subject, const WriteResult& written);

    Deps m_d;
    const TaskList& m_tasks;
    const Options& m_options;
    Alerts& m_alerts;
    UiHost& m_host;
    const Clock& m_clock;
    History m_history;
    // The settings could not be read, so whether the kept list is wanted is unknown.
    bool m_keptListUnknown = false;
    // The list changed since it was last kept.
    bool m_listChanged = false;
    // Rows removed in a pass that were already left out of the file when it was written.
    int m_removalsKept = 0;
};

} // namespace morvane
