#pragma once

#include "core/AppExit.h"
#include "core/Options.h"

namespace morvane {

class Clock;
class KeptFiles;
class LanguageTable;
class Schedule;
class TaskList;
class UiHost;
namespace platform {
class Autostart;
}

/// Start-up and the ways of ending: the part that asks the windows to show, ask and close.
class Session final : public AppExit {
public:
    struct Deps {
        const TaskList& tasks;
        Options& options;
        LanguageTable& language;
        const Clock& clock;
        platform::Autostart& autostart;
        KeptFiles& files;
        Schedule& schedule;
        UiHost& host;
    };

    explicit Session(Deps deps) : m_d(deps) {}

    // Start-up, in the order the main window runs it.
    /// Reads the language the marker files choose into the table and sets the language marks.
    void ChooseStartupLanguage();
    /// Clears the after-all-tasks marks and the two start-up options before the settings load.
    void ClearStartupMarks();
    /// Reads the settings, loads the kept task list when asked, and reads the start-at-logon
    /// state. Returns whether the list has tasks.
    bool LoadSettingsAndTasks();

    /// A click on menuEn, menuFr or menuPolish.
    void SelectLanguage(Mark language);
    /// A click on menuAutostart: toggles the mark and registers or unregisters.
    void ToggleAutostart();

    // Ending.
    /// A run task's quit flag: asks first when tasks remain, then ends.
    void ExitCommand() override;
    /// Ends through the unload sequence and closes the main window, without a question.
    void Exit();
    /// Whether ending now would lose tasks: the list has some and is not kept.
    [[nodiscard]] bool WouldLoseTasks() const;
    /// The after-all-tasks quit and a close task's quit flag.
    void QuitImmediately() override;
    [[nodiscard]] bool IsEnding() const override { return m_end != End::Running; }
    /// The main window closes for any reason but an immediate quit: settings and kept list are
    /// saved, the skin released, the editor closed. Runs once; never after an immediate quit.
    void UnloadSequence();

private:
    Deps m_d;
    enum class End { Running, Unloaded, QuitNow };
    End m_end = End::Running;
};

} // namespace morvane
