#pragma once

#include "core/editor/TaskBuilder.h"
#include "platform/WindowPicker.h"
#include "ui/CommonDlgsW.h"

#include <QDialog>
#include <QIcon>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QToolButton;
class QTreeWidgetItem;

namespace morvane {

class Engine;
class LanguageTable;
class LinkLabel;
class ProcessListView;
class ProgramIcons;
class TaskTableModel;

/// The task editor (`frmMouseSelect`): collects one new task and hands it to the task list.
/// Created once and only hidden between uses, so its fields keep their values.
class TaskEditor final : public QDialog {
    Q_OBJECT
public:
    struct Deps {
        Engine& engine;
        ProgramIcons& icons;
        TaskTableModel& taskIcons;
    };

    TaskEditor(Deps deps, QWidget* parent);

    /// The window picker behind `imgSelect`; without one, or where it cannot work, the handle
    /// is disabled and its tooltip says why.
    void SetWindowPicker(platform::WindowPicker* picker);
    /// Whether a drag of the target picture is running.
    [[nodiscard]] bool IsDragging() const { return m_dragging; }

    /// The program's one set of file dialogs.
    CommonDlgsW& Dialogs() { return m_dialogs; }

    /// Shows the editor without blocking the main window.
    void ShowEditor();
    /// Applies the language table to the translated captions.
    void UpdateLan(const LanguageTable& lan);
    /// Rebuilds the process list from the last scan and selects the target again.
    void RefillProcessList();
    /// Closes the editor for good (the program is ending).
    void Unload();

    /// Add (`cmdOK`): checks the fields, appends the task, closes the editor.
    void AddTask();
    /// Cancel (`cmdCancel`): closes the editor; no field is reset.
    void CancelEditor();

    /// The values Add reads, taken from the widgets.
    [[nodiscard]] TaskBuilder::Input ReadInput() const;

    void reject() override;

Q_SIGNALS:
    /// The editor was hidden: the main window shows again (and takes the focus when asked).
    void returnedToMainWindow(bool giveFocus);
    /// A tutorial page was asked for ("tutorial.html#select").
    void tutorialRequested(const QString& page);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWidgets();
    void FillLists();
    void CloseFromProgram();
    void ResetPointerState();
    void ApplyPickerState();
    void StartDrag();
    void PickTick();
    void FinishDrag();
    std::optional<platform::PickedWindow> PickableUnderPointer();
    void DrawPickFrame(platform::WindowId window);
    void ErasePickFrame();
    void ShowPicked(const platform::PickedWindow& picked);
    void PlaceTargetIcon();
    void ShortenForDrag();
    void RestoreAfterDrag();
    void HideMainWindow();
    void ShowMainWindow();
    void OnTriggerChanged();
    void OnAutoTypeChanged();
    void OnEmptyTaskToggled(bool ticked);
    void OnProgramClicked(QTreeWidgetItem* item);
    void OnCloseProgramNow();
    void OnBrowse();
    void SetTargetIcon(const QIcon& icon);
    void Inform(const QString& title, const QString& text);

    Deps m_d;
    CommonDlgsW m_dialogs;

    // Target.
    QLabel* m_imgSelect = nullptr;
    QLabel* m_lblSelect = nullptr;
    LinkLabel* m_lblDrag = nullptr;
    std::array<QLabel*, 4> m_lblProcess{};
    QLabel* m_lblID = nullptr;
    QLabel* m_lblWindow = nullptr;
    QLabel* m_picIcon = nullptr;
    QLabel* m_lblPrograms = nullptr;
    ProcessListView* m_LV = nullptr;
    QToolButton* m_cmdRefresh = nullptr;
    QToolButton* m_cmdClose = nullptr;
    QCheckBox* m_chkOnly = nullptr;
    QComboBox* m_cmbAutoType = nullptr;
    QLineEdit* m_txtCmd = nullptr;
    QPushButton* m_cmdCmd = nullptr;
    // Trigger.
    QLabel* m_label1 = nullptr;
    QRadioButton* m_optTimer = nullptr;
    std::array<QComboBox*, 4> m_countdown{};
    std::array<QLabel*, 4> m_unitLabels{};
    QCheckBox* m_chkMouse = nullptr;
    QRadioButton* m_optTime = nullptr;
    QComboBox* m_cmbYear = nullptr;
    QComboBox* m_cmbMonth = nullptr;
    QComboBox* m_cmbDay = nullptr;
    QComboBox* m_cmbHour = nullptr;
    QComboBox* m_cmbMin = nullptr;
    QComboBox* m_cmbSec = nullptr;
    // After.
    QComboBox* m_cmbLoop = nullptr;
    QLabel* m_label8 = nullptr;
    QComboBox* m_cmbAfter = nullptr;
    QCheckBox* m_chkQuit = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;

    QTimer* m_timerSelect = nullptr;
    QIcon m_imgBackUp;
    QIcon m_imgEmptyIcon;
    QIcon m_targetIcon;

    // What the target fields held when the drag began: shown again while nothing pickable is
    // under the pointer, and kept when the drop lands there.
    struct Target {
        QString program;
        QString id;
        QString caption;
        QString window;
        bool windowShown = true;
        QIcon icon;
    };
    Target SavedTarget() const;
    void ShowTarget(const Target& target);

    platform::WindowPicker* m_picker = nullptr;
    Target m_beforeDrag;
    platform::WindowId m_lastHwnd = 0;
    platform::WindowId m_iconWindow = 0; // the top-level window whose icon is shown
    bool m_frameDrawn = false;
    bool m_shortened = false;
    bool m_mainHidden = false; // by the drag, which shows it again where it was
    QPoint m_mainPosition;

    bool m_selected = false;
    bool m_closingFromProgram = false;
    bool m_dragging = false;
    bool m_unloaded = false;
};

} // namespace morvane
