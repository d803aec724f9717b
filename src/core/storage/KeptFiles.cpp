#include "core/storage/KeptFiles.h"

#include "core/UiHost.h"
#include "core/extras/Warning.h"
#include "core/storage/LanguageTable.h"
#include "core/storage/Settings.h"
#include "core/tasks/TaskList.h"
#include "types/Clock.h"
#include "types/PathText.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

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

bool FileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// "20261207-100000": names a file set aside, in the order a folder listing sorts.
std::string Stamp(const DateTime& t) {
    char text[80];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

// A file's name as UTF-8, whatever the host's own encoding of names.
std::string NameText(const std::filesystem::path& path) {
    return Utf8FromPath(path.filename());
}

} // namespace

KeptFiles::KeptFiles(Deps deps, const TaskList& tasks, const Options& options, Alerts& alerts,
                     UiHost& host, const Clock& clock)
    : m_d(std::move(deps)), m_tasks(tasks), m_options(options), m_alerts(alerts), m_host(host),
      m_clock(clock) {
    m_history.Load(m_d.paths.HistoryFile());
    m_tasks.AddObserver(this);
}

KeptFiles::~KeptFiles() {
    m_tasks.RemoveObserver(this);
}

void KeptFiles::OnRowsAppended(int /*first*/, int /*last*/) {
    m_listChanged = true;
}

void KeptFiles::OnRowRemoved(int /*row*/) {
    Removed(1);
}

void KeptFiles::OnRowsRemoved(const std::vector<int>& rows) {
    Removed(static_cast<int>(rows.size()));
}

void KeptFiles::Removed(int count) {
    // Rows a pass had finished were left out of the file written before a power request: their
    // going changes nothing on the disk, unless more went since.
    if (count != m_removalsKept) {
        m_listChanged = true;
    }
    m_removalsKept = 0;
}

void KeptFiles::OnCleared() {
    m_listChanged = true;
}

void KeptFiles::OnFieldChanged(int row, Field field) {
    // An idle task's time moves with every movement of the mouse, and is worked out afresh
    // whenever the list is loaded: not worth a write.
    if (field != Field::CloseTime || !m_tasks.PlanOf(row).IsIdle()) {
        m_listChanged = true;
    }
}

void KeptFiles::Saved(const std::string& subject, const WriteResult& written) {
    if (written.Ok()) {
        Clear(Alert::Kind::NotSaved, subject);
        return;
    }
    Log("the " + std::string(subject == "tasks" ? "kept task list" : subject) +
        " could not be written: " + written.error);
    const bool known =
        std::any_of(m_alerts.All().begin(), m_alerts.All().end(), [&](const Alert& a) {
            return a.kind == Alert::Kind::NotSaved && a.subject == subject;
        });
    Raise({Alert::Kind::NotSaved, subject, written.error});
    if (!known) {
        m_host.Notify({Notice::Kind::NotSaved, subject, written.error, 0});
        Record({m_clock.Now(), HistoryEvent::Kind::NotSaved, subject, 0, written.error});
        m_host.HistoryChanged();
    }
}

void KeptFiles::Raise(Alert alert) {
    if (m_alerts.Raise(std::move(alert))) {
        m_host.AlertsChanged();
    }
}

void KeptFiles::Clear(Alert::Kind kind, const std::string& subject) {
    if (m_alerts.Clear(kind, subject)) {
        m_host.AlertsChanged();
    }
}

void KeptFiles::Log(const std::string& line) const {
    if (m_d.log) {
        m_d.log(line);
    }
}

void KeptFiles::ReadSettings(Options& options, const DateTime& now) {
    if (morvane::ReadSettings(m_d.paths.SettingsFile(), options) == SettingsRead::Corrupt) {
        SetSettingsAside(now);
    }
}

void KeptFiles::SetSettingsAside(const DateTime& now) {
    m_keptListUnknown = true;
    const std::filesystem::path from = m_d.paths.SettingsFile();
    std::filesystem::path to = from;
    to += ".corrupt-" + Stamp(now);
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    Log(Utf8FromPath(from) + " is not a settings file" +
        (ec ? " and could not be renamed (" + ec.message() + ")"
            : "; kept as " + Utf8FromPath(to)) +
        "; the kept task list is left as it is");
}

void KeptFiles::SaveSettings(const Options& options) {
    EnsureFolder(m_d.paths.appDataFolder);
    Saved("settings", morvane::SaveSettings(m_d.paths.SettingsFile(), options, m_d.sync));
}

std::vector<Task> KeptFiles::ReadKeptList(const Options& options, const DateTime& now) {
    if (m_keptListUnknown || !options.IsChecked(Mark::Autoload) ||
        !FileExists(m_d.paths.KeptTaskList())) {
        return {};
    }
    TaskFileCount count;
    std::vector<Task> tasks = ReadTasks(m_d.paths.KeptTaskList(), now, count);
    if (count.skipped > 0) {
        SetKeptListAside(now, count.skipped);
    }
    return tasks;
}

void KeptFiles::SetKeptListAside(const DateTime& now, int skipped) {
    const std::filesystem::path from = m_d.paths.KeptTaskList();
    std::filesystem::path stamped = from;
    stamped += ".unreadable-" + Stamp(now);
    // A copy, not a rename: the tasks that could be read are written back under the old name.
    std::filesystem::path to = stamped;
    std::error_code ec;
    for (int again = 2; FileExists(to) && again < 100; ++again) {
        to = stamped;
        to += "-" + std::to_string(again);
    }
    const bool copied = std::filesystem::copy_file(from, to, ec) && !ec;
    if (copied && m_d.sync != nullptr) {
        // The copy must outlive the rewrite of the original, whatever happens to the power.
        (void)m_d.sync->SyncToDisk(to);
        (void)m_d.sync->SyncToDisk(from.parent_path());
    }
    if (!copied) {
        m_keptListUnknown = true;
    }
    Log(Utf8FromPath(from) + ": " + std::to_string(skipped) +
        " line(s) that are not tasks were skipped" +
        (copied ? "; the file was kept as " + Utf8FromPath(to)
                : "; no copy could be made (" + ec.message() + "), so it is left as it is"));
    Raise({Alert::Kind::ListSetAside, NameText(from), NameText(copied ? to : from)});
}

void KeptFiles::RemoveStaleTemporaries() const {
    const AppPaths& p = m_d.paths;
    const std::filesystem::path own[] = {p.KeptTaskList(), p.SettingsFile(), p.PreferencesFile(),
                                         p.HistoryFile(),  p.FrenchMarker(), p.PolishMarker()};
    std::error_code ec;
    for (std::filesystem::directory_iterator it(p.appDataFolder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = NameText(it->path());
        const bool ours = std::any_of(std::begin(own), std::end(own), [&](const auto& file) {
            return IsTemporaryNameFor(name, NameText(file));
        });
        std::error_code notFile;
        if (ours && it->is_regular_file(notFile)) {
            RemoveFileQuietly(it->path());
            Log("removed " + Utf8FromPath(it->path()) + ", left by a write that did not finish");
        }
    }
}

void KeptFiles::KeepList() {
    if (m_listChanged || m_tasks.PendingRemovals() > m_removalsKept) {
        WriteList();
    }
    WriteHistory();
}

void KeptFiles::KeepListNow() {
    WriteList();
    WriteHistory();
}

void KeptFiles::WriteList() {
    m_listChanged = false;
    m_removalsKept = m_tasks.PendingRemovals();
    if (m_keptListUnknown) {
        return;
    }
    if (!m_tasks.IsEmptyAfterRemovals() && m_options.IsChecked(Mark::Autoload)) {
        EnsureFolder(m_d.paths.appDataFolder);
        Saved("tasks", WriteTaskFile(m_d.paths.KeptTaskList(), m_tasks, m_d.codec, m_d.sync));
    } else {
        RemoveFileQuietly(m_d.paths.KeptTaskList(), m_d.sync);
        Clear(Alert::Kind::NotSaved, "tasks");
    }
}

WriteResult KeptFiles::SaveTasks(const std::filesystem::path& chosen,
                                 std::filesystem::path* written) const {
    const std::filesystem::path path = WithTaskFileExtension(chosen);
    if (written != nullptr) {
        *written = path;
    }
    return WriteTaskFile(path, m_tasks, m_d.codec, m_d.sync);
}

std::vector<Task> KeptFiles::ReadTasks(const std::filesystem::path& path, const DateTime& now,
                                       TaskFileCount& count) const {
    return ReadTaskFileTasks(path, now, count, m_d.codec);
}

Preferences KeptFiles::ReadPreferences() const {
    int skipped = 0;
    Preferences prefs = morvane::ReadPreferences(m_d.paths.PreferencesFile(), &skipped);
    if (skipped > 0) {
        Log(Utf8FromPath(m_d.paths.PreferencesFile()) + ": " + std::to_string(skipped) +
            " line(s) that are not options were left at their defaults");
    }
    return prefs;
}

void KeptFiles::SavePreferences(const Preferences& prefs) const {
    EnsureFolder(m_d.paths.appDataFolder);
    if (const WriteResult written = WritePreferences(m_d.paths.PreferencesFile(), prefs, m_d.sync);
        !written.Ok()) {
        Log("the preferences could not be written: " + written.error);
    }
}

void KeptFiles::Record(HistoryEvent event) {
    // Written with the list, once a tick or command: many firings make one write.
    m_history.Add(std::move(event));
}

void KeptFiles::WriteHistory() {
    // Asked after every tick: nothing touches the disk unless an event came.
    if (!m_history.HasUnwritten()) {
        return;
    }
    EnsureFolder(m_d.paths.appDataFolder);
    // Not flushed to the disk: a record, not the user's data, and it would delay the power
    // requests it follows. The rename still leaves the old file or the new one whole.
    if (const WriteResult written = m_history.Write(); !written.Ok()) {
        Log("the history could not be written: " + written.error);
    }
}

Mark KeptFiles::MarkedLanguage() const {
    if (FileExists(m_d.paths.FrenchMarker())) {
        return Mark::French;
    }
    if (FileExists(m_d.paths.PolishMarker())) {
        return Mark::Polish;
    }
    return Mark::English;
}

bool KeptFiles::ReadLanguage(Mark language, LanguageTable& table) const {
    // Shipped in UTF-8, whatever the host's own 8-bit encoding; one in that encoding still reads.
    return table.Read(m_d.paths.LanguageFile(LanguageFileName(language)),
                      Utf8FirstCodec(m_d.codec));
}

void KeptFiles::MarkLanguage(Mark language) const {
    switch (language) {
    case Mark::French:
        EnsureFolder(m_d.paths.appDataFolder);
        WriteTextLinesAtomic(m_d.paths.FrenchMarker(), {"fr"}, m_d.codec, m_d.sync);
        RemoveFileQuietly(m_d.paths.PolishMarker());
        break;
    case Mark::Polish:
        EnsureFolder(m_d.paths.appDataFolder);
        WriteTextLinesAtomic(m_d.paths.PolishMarker(), {"pl"}, m_d.codec, m_d.sync);
        RemoveFileQuietly(m_d.paths.FrenchMarker());
        break;
    default:
        RemoveFileQuietly(m_d.paths.FrenchMarker());
        RemoveFileQuietly(m_d.paths.PolishMarker());
        break;
    }
}

} // namespace morvane
