#pragma once

#include "core/tasks/Task.h"
#include "core/tasks/TaskList.h"
#include "platform/WindowPicker.h"
#include "ui/CommonDlgsW.h"
#include "ui/EditorTarget.h"

#include <QDialog>
#include <QIcon>

#include <string>
#include <vector>

class QTimer;

namespace morvane {

class WindowPickDrag;
class Engine;
class LanguageTable;
class TaskEditorForm;
class ProgramIcons;
class TaskTableModel;

/// The task editor (`frmMouseSelect`): collects one new task and hands it to the task list.
/// Created once and only hidden between uses, so its fields keep their values. The window holds
/// the form with the fields and acts on what the user does in it; picking a program by dragging
/// the target picture is the WindowPickDrag's.
class TaskEditor final : public QDialog {
    Q_OBJECT
public:
    struct Deps {
        Engine& engine;
        ProgramIcons& icons;
        TaskTableModel& taskIcons;
    };

    TaskEditor(Deps deps, QWidget* parent);
    ~TaskEditor() override;

    /// The window picker behind `imgSelect`; without one, or where it cannot work, the handle
    /// is disabled and its tooltip says why.
    void SetWindowPicker(platform::WindowPicker* picker);
    /// Whether a drag of the target picture is running.
    [[nodiscard]] bool IsDragging() const;

    /// The program's one set of file dialogs.
    CommonDlgsW& Dialogs() { return m_dialogs; }

    /// Applies the language to the captions, the translated texts included.
    void UpdateLan(const LanguageTable& lan);

    /// Shows the editor without blocking the main window.
    void ShowEditor();
    /// Rebuilds the process list from the last scan and selects the target again.
    void RefillProcessList();
    /// Closes the editor for good (the program is ending).
    void Unload();

    /// Opens the editor filled with the task at 1-based `row`; Add becomes Save, which replaces
    /// that task in place. Closing the editor returns it to adding.
    void EditTask(int row);
    /// Where the task being edited stands now; 0 while adding, or when it is gone.
    [[nodiscard]] int EditedRow() const;
    /// The program a close task made now would end.
    [[nodiscard]] const EditorTarget& CurrentTarget() const;

    /// Add (`cmdOK`): checks the fields, appends the task (or replaces the edited one), closes the
    /// editor.
    void AddTask();
    /// Cancel (`cmdCancel`): closes the editor; no field is reset.
    void CancelEditor();

    void reject() override;

Q_SIGNALS:
    /// The editor was hidden: the main window shows again (and takes the focus when asked).
    void returnedToMainWindow(bool giveFocus);
    /// Add put a new task at this row (1-based) of the task list.
    void taskAdded(int row);
    /// A tutorial page was asked for ("tutorial.html#select").
    void tutorialRequested(const QString& page);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CloseFromProgram();
    void LeaveEditMode();
    /// Whether the edited row still holds the task being edited (a repeat moves its time only).
    void ResetPointerState();
    void StopPickCountdown();
    void FitToFont();
    /// Ticks the close-gently box as the setting for new tasks says, once it has changed.
    void FollowGentleDefault();
    /// Asked again at each opening: a session can stop telling us about activity, and the
    /// user can turn hibernation off.
    void ShowMachineState();
    /// The target section was locked for an Empty task, freed again, or turned to or from
    /// the program to wait for.
    void OnTargetUseChanged();
    void OnProgramChosen(const QString& program, const QString& path, const QIcon& icon);
    void OnCloseProgramNow();
    void OnBrowse();
    void OnPickLater();
    void OnDropped(const QString& program);
    void SelectProgramRow(const std::vector<std::string>& programs, const QString& program);
    void Inform(const QString& title, const QString& text);
    /// Asks with OK and Cancel; true for OK.
    bool Confirm(const QString& title, const QString& text);

    Deps m_d;
    TaskEditorForm* m_form = nullptr;
    CommonDlgsW m_dialogs;
    WindowPickDrag* m_drag = nullptr;
    QIcon m_imgEmptyIcon;

    bool m_selected = false;
    bool m_closingFromProgram = false;
    bool m_unloaded = false;
    QTimer* m_pickLater = nullptr;
    QTimer* m_pickCountdown = nullptr; // a second of the timed pick gone
    int m_pickSecondsLeft = 0;
    TaskId m_editId = 0;          // the task being edited; 0 while adding
    bool m_gentleDefault = false; // the setting the close-gently box last followed
    QString m_addTitle;
};

} // namespace morvane
