#pragma once

#include "core/Options.h"
#include "core/UiHost.h"
#include "ui/UiTranslator.h"

#include <QMainWindow>
#include <QUrl>

#include <functional>
#include <map>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QTreeView;

namespace morvane {

class DoorPicture;
class Engine;
class HistoryWindow;
class PreferenceActions;
class TrayIcon;
class WarningNotice;
class LinkLabel;
class PictureButton;
class ProgramIcons;
class TaskEditor;
class TaskTableModel;
namespace platform {
class Notifications;
class ProgramIconLookup;
class WindowPicker;
} // namespace platform

/// The main window (`form1`): the command buttons, the task list, the menus and the two
/// timers that drive the core. It shows the core's state and forwards every command to it.
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
    [[nodiscard]] bool HasEnded() const { return m_ended; }

    /// Where the tutorial pages live (ends with '/'); pages are resolved against it.
    void SetTutorialBase(const QUrl& base);
    [[nodiscard]] QUrl TutorialUrl(const QString& page) const;
    /// Replaces how web pages are opened (the desktop's browser by default).
    void SetUrlOpener(std::function<void(const QUrl&)> opener) {
        m_openUrl = [opener = std::move(opener)](const QUrl& url) {
            opener(url);
            return true;
        };
    }
    /// The same, with an opener that answers whether the page could be shown; when it could
    /// not, the user is told where the tutorial is.
    void SetCheckedUrlOpener(std::function<bool(const QUrl&)> opener) {
        m_openUrl = std::move(opener);
    }

    // Commands of the buttons and menus.
    void AddTaskCommand();
    void DeleteCommand();
    void RemoveAllCommand();
    void SaveTasksCommand();
    void LoadTasksCommand();
    void SettingCommand();
    void HelpCommand();
    void AboutCommand();
    void ExitCommand();

    // What the core asks of the windows.
    bool AskExitQuestion() override;
    void HideDoor() override;
    void DetachSkin() override;
    void UnloadEditor() override;
    void CloseMainWindow() override;
    void EndProgram() override;
    void UpdateLan() override;
    void ShowMessage(const std::string& text) override;
    void RunningProgramsChanged() override;

    // The warning, notifications, tray, status line, history and editing (MainWindowExtras.cpp).
    /// Opens the editor on the selected task (Enter or a double-click on a row does the same).
    void EditCommand();
    void HistoryCommand();
    void WarningChanged() override;
    void Notify(const Notice& notice) override;
    void HistoryChanged() override;
    /// Replaces how the presence of a desktop tray is asked (QSystemTrayIcon's answer by default).
    void SetTrayAvailability(std::function<bool()> available);
    [[nodiscard]] TrayIcon& Tray() const { return *m_tray; }

Q_SIGNALS:
    /// The program is over: the event loop should end.
    void programEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildButtons(QWidget* client);
    void BuildMenus();
    QAction* NewAction(QMenu* menu, const QString& name, const QString& caption);
    QAction* NewMarkAction(QMenu* menu, const QString& name, const QString& caption, Mark mark);
    void OnMarkClicked(Mark mark);
    void SyncMarks();
    void FinishLoading();
    void ApplyLayoutRule();
    void OpenPage(const QString& page);
    [[nodiscard]] QString WebCaption() const;
    /// Selects and focuses a task row (1-based), its program name the current cell.
    void FocusRow(int row);
    /// Applies the texts that go through Qt's translation.
    void Retranslate();
    /// Grows the buttons and the window from the font beyond the standard one.
    void FitToFont();
    void FinishEnding();
    void BuildExtras();
    /// Shows what the engine holds now: the status line, the tray's tooltip, the warning.
    void RefreshLive();
    void RetranslateExtras();
    [[nodiscard]] bool KeepsInTray() const;

    Deps m_d;
    ProgramIcons* m_icons = nullptr;
    TaskTableModel* m_model = nullptr;
    TaskEditor* m_editor = nullptr;
    platform::WindowPicker* m_picker = nullptr;

    QWidget* m_client = nullptr;
    PictureButton* m_cmdAdd = nullptr;
    PictureButton* m_cmdDelete = nullptr;
    PictureButton* m_cmdRemoveAll = nullptr;
    PictureButton* m_cmdSave = nullptr;
    PictureButton* m_cmdLoad = nullptr;
    PictureButton* m_cmdSetting = nullptr;
    PictureButton* m_cmdHelp = nullptr;
    PictureButton* m_cmdExit = nullptr;
    QLabel* m_lblTask = nullptr;
    QTreeView* m_LVClose = nullptr;
    DoorPicture* m_picDoor = nullptr;
    LinkLabel* m_lblWeb = nullptr;
    QLabel* m_lblStatus = nullptr;
    QAction* m_menuEdit = nullptr;
    QAction* m_menuHistory = nullptr;
    TrayIcon* m_tray = nullptr;
    WarningNotice* m_warning = nullptr;
    HistoryWindow* m_history = nullptr;
    PreferenceActions* m_prefActions = nullptr;
    bool m_closingForGood = false; // not to the tray: the program ends

    QMenu* m_menuTask = nullptr;
    QMenu* m_menuSetting = nullptr;
    QMenu* m_menuAfter = nullptr;
    QMenu* m_menuLan = nullptr;
    QMenu* m_menuA = nullptr;
    QAction* m_menuAdd = nullptr;
    QAction* m_menuDelete = nullptr;
    QAction* m_menuClear = nullptr;
    QAction* m_menuExit = nullptr;
    QAction* m_menuHelp = nullptr;
    QAction* m_menuAbout = nullptr;
    std::map<Mark, QAction*> m_markActions;
    UiTranslator m_translator;

    QTimer* m_timerClose = nullptr;
    QTimer* m_timerMouse = nullptr;

    QUrl m_tutorialBase;
    std::function<bool(const QUrl&)> m_openUrl;
    QSize m_clientSize;
    bool m_started = false;
    bool m_ended = false;
    bool m_endingNow = false;
    bool m_asking = false;
    bool m_captionsApplied = false;
};

} // namespace morvane
