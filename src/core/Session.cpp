#include "core/Session.h"

#include "core/UiHost.h"
#include "core/scheduler/Schedule.h"
#include "core/storage/KeptFiles.h"
#include "core/storage/LanguageTable.h"
#include "platform/Autostart.h"
#include "types/Clock.h"
#include "types/PathText.h"

namespace morvane {

void Session::ChooseStartupLanguage() {
    const Mark language = m_d.files.MarkedLanguage();
    // A missing language file reads nothing and leaves the marks as designed (English).
    if (m_d.files.ReadLanguage(language, m_d.language)) {
        m_d.options.SelectLanguage(language);
    }
}

void Session::ClearStartupMarks() {
    m_d.options.UncheckAfterMenus();
    m_d.options.SetChecked(Mark::Autostart, false);
    m_d.options.SetChecked(Mark::Autoload, false);
}

bool Session::LoadSettingsAndTasks() {
    const DateTime now = m_d.clock.Now();
    // A save killed half way leaves its temporary file; nothing else will ever remove it.
    m_d.files.RemoveStaleTemporaries();
    m_d.files.ReadSettings(m_d.options, now);
    m_d.schedule.Load(m_d.files.ReadKeptList(m_d.options, now));
    // Countdowns and idle waits start afresh at every load anyway: writing it back adds nothing.
    m_d.files.KeptListLoaded();
    const bool hasTasks = !m_d.tasks.IsEmpty();
    if (hasTasks) {
        m_d.host.HideDoor();
    }
    m_d.options.SetChecked(Mark::Autostart,
                           m_d.autostart.IsAutostartRegistered(m_d.files.Paths().executableName));
    return hasTasks;
}

void Session::SelectLanguage(Mark language) {
    m_d.files.ReadLanguage(language, m_d.language);
    m_d.options.SelectLanguage(language);
    m_d.host.UpdateLan();
    m_d.files.MarkLanguage(language);
}

void Session::ToggleAutostart() {
    m_d.options.Toggle(Mark::Autostart);
    const AppPaths& paths = m_d.files.Paths();
    const Result result =
        m_d.autostart.SetAutostart(paths.executableName, Utf8FromPath(paths.programFolder),
                                   m_d.options.IsChecked(Mark::Autostart));
    if (!result.Ok()) {
        m_d.host.ShowMessage(result.Message());
    }
}

void Session::ExitCommand() {
    if (m_end != End::Running) {
        return;
    }
    if (!m_d.tasks.IsEmptyAfterRemovals() && !m_d.host.AskExitQuestion()) {
        return;
    }
    Exit();
}

void Session::Exit() {
    if (m_end != End::Running) {
        return;
    }
    m_d.host.HideDoor();
    m_d.host.DetachSkin();
    m_d.host.UnloadEditor();
    UnloadSequence();
    m_d.host.CloseMainWindow();
}

bool Session::WouldLoseTasks() const {
    return !m_d.tasks.IsEmptyAfterRemovals() && !m_d.options.IsChecked(Mark::Autoload);
}

void Session::QuitImmediately() {
    if (m_end != End::Running) {
        return;
    }
    // The kept task list is left as the last action made it: no question, no other change.
    m_end = End::QuitNow;
    m_d.files.KeepList();
    m_d.files.SaveSettings(m_d.options);
    m_d.host.DetachSkin();
    m_d.host.UnloadEditor();
    m_d.host.EndProgram();
}

void Session::UnloadSequence() {
    if (m_end != End::Running) {
        return;
    }
    m_end = End::Unloaded;
    m_d.files.SaveSettings(m_d.options);
    m_d.files.KeepListNow();
    m_d.host.DetachSkin();
    m_d.host.UnloadEditor();
}

} // namespace morvane
