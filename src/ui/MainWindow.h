#pragma once

#include "core/UiHost.h"
#include "ui/MainCommand.h"
#include "ui/UiTranslator.h"

#include <QMainWindow>
#include <QUrl>

#include <functional>

class QLabel;

namespace morvane {

class CommandBar;
class DoorPicture;
class Engine;
class EngineTimers;
class HistoryWindow;
class LinkLabel;
class MainMenus;
class ProgramIcons;
class QuitFlow;
class StatusLine;
class TaskEditor;
class TaskListView;
class TaskTableModel;
class TrayIcon;
class TutorialPages;
class WarningNotice;
namespace platform {
class Notifications;
class ProgramIconLookup;
class WindowPicker;
} // namespace platform

/// The main window (`form1`): the command bar, the task list under its caption, the tutorial
/// link and the status line, laid out top to bottom, with the menus, the timers that drive the
/// core and the ending as parts of their own. It shows the core's state and forwards every
/// command to it.
class MainWindow final : public QMainWindow, public UiHost {
    Q_OBJECT
public:
    struct Deps {
        Engine& engine;
        /// Answers which picture a program has; null for theme and generic pictures only.
        platform::ProgramIconLookup* iconLookup = nullptr;
        /// The desktop's notification service; null for the tray's balloons only.
        platform::Notifications* notifications = nullptr;
    };

    explicit MainWindow(Deps deps, QWidget* parent = nullptr);
    ~MainWindow() override;

    /// The start-up steps after the single-instance test and the skin: language, marks,
    /// captions, showing the window; then, once the event loop has let the window paint, the
    /// editor, settings, kept task list, start-at-logon state and scheduler.
    void LoadSequence();
    /// Whether the start-up steps have all run.
    [[nodiscard]] bool HasStarted() const { return m_started; }
    /// The window picker the editor's target handle uses, handed over when the editor is built.
    void SetWindowPicker(platform::WindowPicker* picker);

    /// The task editor, built on first use (start-up builds it right after the first show).
    TaskEditor* Editor();
    [[nodiscard]] TaskTableModel& Model() const { return *m_model; }
    /// Whether the program has ended (the window closed, or an immediate quit).
    [[nodiscard]] bool HasEnded() const;

    /// Where the tutorial pages live (ends with '/'); pages are resolved against it.
    void SetTutorialBase(const QUrl& base);
    [[nodiscard]] QUrl TutorialUrl(const QString& page) const;
    /// Replaces how web pages are opened (the desktop's browser by default).
    void SetUrlOpener(std::function<void(const QUrl&)> opener);
    /// The same, with an opener that answers whether the page could be shown; when it could
    /// not, the user is told where the tutorial is.
    void SetCheckedUrlOpener(std::function<bool(const QUrl&)> opener);

    /// Carries out a command of the buttons or menus.
    void Run(MainCommand command);
    void AddTaskCommand();
    /// Opens the editor on the selected task (Enter or a double-click on a row does the same).
    void EditCommand();
    void DeleteCommand();
    void RemoveAllCommand();
    void SaveTasksCommand();
    void LoadTasksCommand();
    void SettingCommand();
    void HistoryCommand();
    void HelpCommand();
    void AboutCommand();
    void ExitCommand();

    // What the core asks of the windows.
    bool AskExitQuestion() override;
    KeepAnswer AskToKeepTasks() override;
    void HideDoor() override;
    void DetachSkin() override;
    void UnloadEditor() override;
    void CloseMainWindow() override;
    void EndProgram() override;
    void UpdateLan() override;
    void ShowMessage(const std::string& text) override;
    void RunningProgramsChanged() override;

    void WarningChanged() override;
    void Notify(const Notice& notice) override;
    void HistoryChanged() override;
    void AlertsChanged() override;
    void BringForward() override;
    /// Replaces how the presence of a desktop tray is asked (QSystemTrayIcon's answer by default).
    void SetTrayAvailability(std::function<bool()> available);
    [[nodiscard]] TrayIcon& Tray() const { return *m_tray; }

Q_SIGNALS:
    /// The program is over: the event loop should end.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildLayout();
    void BuildExtras();
    void FinishLoading();
    /// Applies the texts that go through Qt's translation.
    void Retranslate();
    /// Shows what the engine holds now: the status line, the tray's tooltip, the warning.
    void RefreshLive();

    Deps m_d;
    ProgramIcons* m_icons = nullptr;
    TaskTableModel* m_model = nullptr;
    TaskEditor* m_editor = nullptr;
    platform::WindowPicker* m_picker = nullptr;

    MainMenus* m_menus = nullptr;
    CommandBar* m_commandBar = nullptr;
    QLabel* m_listCaption = nullptr;
    TaskListView* m_list = nullptr;
    DoorPicture* m_howTo = nullptr;
    LinkLabel* m_tutorialLink = nullptr;
    StatusLine* m_statusLine = nullptr;
    TrayIcon* m_tray = nullptr;
    WarningNotice* m_warning = nullptr;
    HistoryWindow* m_history = nullptr;
    QuitFlow* m_quit = nullptr;
    TutorialPages* m_tutorial = nullptr;
    EngineTimers* m_timers = nullptr;
    UiTranslator m_translator;

    bool m_started = false;
    bool m_captionsApplied = false;
};

} // namespace morvane
