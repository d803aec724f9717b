#pragma once

#include <string>

namespace morvane {

struct Notice;

/// What the core asks of the windows. The user interface implements it; tests record it.
class UiHost {
public:
    UiHost() = default;
    virtual ~UiHost() = default;
    UiHost(const UiHost&) = delete;
    UiHost& operator=(const UiHost&) = delete;

    /// "Are you sure to quit?" titled "Exit" with OK and Cancel; true for OK.
    virtual bool AskExitQuestion() = 0;
    /// Hides the how-to-use picture over the task list.
    virtual void HideDoor() = 0;
    /// Releases the skin (every way of ending does this).
    virtual void DetachSkin() = 0;
    /// Closes the task editor for good.
    virtual void UnloadEditor() = 0;
    /// Closes the main window, which runs the unload sequence, and ends the program.
    virtual void CloseMainWindow() = 0;
    /// Ends the program now, without the main window's unload sequence.
    virtual void EndProgram() = 0;
    /// Applies the language table to every translated caption of both windows.
    virtual void UpdateLan() = 0;
    /// Shows a message box titled "Morvane" with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    /// The running-programs lists were rebuilt: refresh the editor's process list.
    virtual void RunningProgramsChanged() = 0;
    /// The held action (Engine::PendingWarning) appeared, changed or went away.
    virtual void WarningChanged() {}
    /// Asks for a desktop notification; the core has already applied the user's options.
    virtual void Notify(const Notice& notice) { (void)notice; }
    /// An event was added to the history.
    virtual void HistoryChanged() {}
};

} // namespace morvane
