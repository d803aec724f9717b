#pragma once

#include <string>

namespace morvane {

struct Notice;

/// The answers when ending would lose the tasks (the list is not kept): keep them (the list is
/// kept from now on) and quit, quit without them, or stay.
enum class KeepAnswer { Keep, QuitAnyway, Stay };

/// What the core asks of the windows, and what it tells them. Every method does nothing unless
/// the windows override it, so the core runs the same with no window at all (tests, start-up).
class UiHost {
public:
    UiHost() = default;
    virtual ~UiHost() = default;
    UiHost(const UiHost&) = delete;
    UiHost& operator=(const UiHost&) = delete;

    /// "Are you sure to quit?" titled "Exit" with OK and Cancel; true for OK. With no window
    /// there is nobody to ask, and the program quits.
    virtual bool AskExitQuestion() { return true; }
    /// The user ends while the list has tasks that are not kept: keep them, quit anyway, or
    /// stay. With no window there is nobody to ask, and the program quits.
    virtual KeepAnswer AskToKeepTasks() { return KeepAnswer::QuitAnyway; }
    /// Hides the how-to-use picture over the task list.
    virtual void HideDoor() {}
    /// Releases the skin (every way of ending does this).
    virtual void DetachSkin() {}
    /// Closes the task editor for good.
    virtual void UnloadEditor() {}
    /// Closes the main window, which runs the unload sequence, and ends the program.
    virtual void CloseMainWindow() {}
    /// Ends the program now, without the main window's unload sequence.
    virtual void EndProgram() {}
    /// Applies the language table to every translated caption of both windows.
    virtual void UpdateLan() {}
    /// Shows a message box titled "Morvane" with an OK button.
    virtual void ShowMessage(const std::string& text) { (void)text; }
    /// The running-programs lists were rebuilt: refresh the editor's process list.
    virtual void RunningProgramsChanged() {}
    /// The held action (Engine::PendingWarning) appeared, changed or went away.
    virtual void WarningChanged() {}
    /// Asks for a desktop notification; the core has already applied the user's options.
    virtual void Notify(const Notice& notice) { (void)notice; }
    /// An event was added to the history.
    virtual void HistoryChanged() {}
    /// An alert (Engine::CurrentAlerts) was raised or cleared.
    virtual void AlertsChanged() {}
    /// Brings the main window forward: shown, unminimised, raised and active.
    virtual void BringForward() {}
};

/// The windows as the core's parts see them: forwards to the windows once they are set, and to
/// UiHost's do-nothing defaults until then, so no part asks whether there is a window.
class HostRelay final : public UiHost {
public:
    /// `host` null goes back to the defaults.
    void SetTarget(UiHost* host) { m_target = host != nullptr ? host : &m_none; }

    bool AskExitQuestion() override { return m_target->AskExitQuestion(); }
    KeepAnswer AskToKeepTasks() override { return m_target->AskToKeepTasks(); }
    void HideDoor() override { m_target->HideDoor(); }
    void DetachSkin() override { m_target->DetachSkin(); }
    void UnloadEditor() override { m_target->UnloadEditor(); }
    void CloseMainWindow() override { m_target->CloseMainWindow(); }
    void EndProgram() override { m_target->EndProgram(); }
    void UpdateLan() override { m_target->UpdateLan(); }
    void ShowMessage(const std::string& text) override { m_target->ShowMessage(text); }
    void RunningProgramsChanged() override { m_target->RunningProgramsChanged(); }
    void WarningChanged() override { m_target->WarningChanged(); }
    void Notify(const Notice& notice) override { m_target->Notify(notice); }
    void HistoryChanged() override { m_target->HistoryChanged(); }
    void AlertsChanged() override { m_target->AlertsChanged(); }
    void BringForward() override { m_target->BringForward(); }

private:
    UiHost m_none;
    UiHost* m_target = &m_none;
};

} // namespace morvane
