#pragma once

#include "core/editor/TaskBuilder.h"
#include "ui/PickTargetView.h"
#include "ui/ProcessListView.h"

#include <QIcon>
#include <QSize>
#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

namespace morvane {

struct DateTime;
class LanguageTable;
class ScheduleFields;
class TargetSection;

/// The task editor's fields, all of its window: the target, the kind of task, the schedule,
/// what follows, and Add and Cancel. It lays them out, enables the fields each choice calls
/// for, translates the captions, and names and sizes its window. What the buttons do is the
/// editor's: the form reports them as signals and is read and filled as a whole.
class TaskEditorForm final : public QWidget, public PickTargetView {
    Q_OBJECT
public:
    /// The window's designed size; it is fixed.
    static constexpr QSize kSize{738, 760};

    /// Builds the form in the window `parent`; the date lists start at `now`.
    TaskEditorForm(const DateTime& now, QWidget* parent);
    ~TaskEditorForm() override;

    /// Applies Qt's translation, then the language table, to the captions.
    void UpdateLan(const LanguageTable& lan);
    /// Sizes the window for its font: the designed size, or larger where a larger font needs
    /// it. The lists know their widths only once shown.
    void FitToFont();
    [[nodiscard]] QSize FullSize() const { return m_fullSize; }

    /// The values Add reads, taken from the fields.
    [[nodiscard]] TaskBuilder::Input ReadInput() const;
    /// The reverse: sets the fields so that ReadInput gives `in` back (a value a list does not
    /// hold is typed into the countdown fields, and leaves the other lists as they are).
    void FillInput(const TaskBuilder::Input& in);

    /// Makes `target` the one Add uses and shows its name and id.
    void SetTarget(const EditorTarget& target);
    [[nodiscard]] const EditorTarget& CurrentTarget() const;
    /// Shows `text` on the line under the target's name.
    void SetTargetDetail(const QString& text);

    /// Why no-mouse-movement tasks cannot run here (empty when they can), and whether the
    /// session counts any input rather than the pointer alone.
    void SetIdleState(const QString& unavailableReason, bool anyInput);
    /// Why this machine cannot hibernate (empty when it can): the after list's Hibernate is
    /// then greyed out unless chosen, and says why.
    void SetHibernateReason(const QString& reason);
    void SetEmptyTask(bool empty);
    void SetCommandLine(const QString& commandLine);
    /// Ticks or clears the box that makes a close task ask its program first.
    void SetCloseGently(bool gently);
    /// The caption of the Add button (Save while a task is edited).
    void SetAddCaption(const QString& caption);

    /// Lists the running programs, in this order.
    void SetPrograms(const QList<ProcessListView::Row>& rows);
    [[nodiscard]] QStringList ListedPrograms() const;
    /// The program of the selected row; empty when none is.
    [[nodiscard]] QString SelectedProgram() const;
    /// Selects row `row` (0-based) of the list, without making it the target, and focuses it.
    void SelectProgramRow(int row);

    // What the drag of the target picture needs.
    [[nodiscard]] QLabel& PickHandle() override;
    void SetPickable(bool pickable, const QString& why) override;
    /// The timed pick's seconds left, on its button; 0 when none is under way.
    void ShowPickCountdown(int secondsLeft);
    [[nodiscard]] bool HasNoTarget() const override;
    /// Whether the target section picks the program the task waits for: a run or Empty task
    /// that waits for a program to exit has no other use for it.
    [[nodiscard]] bool WatchesTarget() const;
    [[nodiscard]] ReadOut ShownReadOut() const override;
    void ShowReadOut(const ReadOut& readOut) override;
    [[nodiscard]] const QIcon& TargetIcon() const override;
    void SetTargetIcon(const QIcon& icon) override;
    void ShortenForDrag() override;
    void RestoreAfterDrag() override;

Q_SIGNALS:
    void addClicked();
    void cancelClicked();
    /// The button beside the command line: a program to run is to be chosen.
    void browseClicked();
    /// The timed pick's button.
    void pickLaterClicked();
    /// The link beside the picker's caption.
    void tutorialClicked();
    void refreshClicked();
    /// Close the program selected in the list now.
    void closeNowClicked();
    /// HasNoTarget() or WatchesTarget() changed; the fields they lock are already set.
    void targetUseChanged();
    /// The user chose a program in the list of running programs.
    void programChosen(const QString& program, const QString& path, const QIcon& icon);

private:
    void Retranslate();
    /// The height the form needs at `width` with the list of programs at its smallest.
    [[nodiscard]] int HeightWithShortList(int width);
    // In this order, which is the tab order.
    void BuildTaskKind(QVBoxLayout* root);
    void BuildAfterAndButtons(QVBoxLayout* root);
    void FillLists();
    void OnAutoTypeChanged();
    void OnEmptyTaskToggled(bool empty);
    /// The Loop list, the target section and the watched program follow the trigger and kind.
    void OnWatchChanged();
    void ShowWatchedTarget();
    /// Only a program to close can be asked first, and the seconds count only then.
    void UpdateGentleFields();

    std::unique_ptr<TargetSection> m_target;
    std::unique_ptr<ScheduleFields> m_schedule;
    QSize m_fullSize = kSize;
    // HasNoTarget() and WatchesTarget() as last announced.
    bool m_noTarget = false;
    bool m_watchesTarget = false;
    QCheckBox* m_chkOnly = nullptr;
    QLabel* m_lblAutoType = nullptr;
    QComboBox* m_cmbAutoType = nullptr;
    QLabel* m_lblCmd = nullptr;
    QLineEdit* m_txtCmd = nullptr;
    QPushButton* m_cmdCmd = nullptr;
    QCheckBox* m_chkGentle = nullptr;
    QSpinBox* m_spinGrace = nullptr;
    QLabel* m_lblLoop = nullptr;
    QComboBox* m_cmbLoop = nullptr;
    QLabel* m_label8 = nullptr;
    QComboBox* m_cmbAfter = nullptr;
    QCheckBox* m_chkQuit = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};

} // namespace morvane
