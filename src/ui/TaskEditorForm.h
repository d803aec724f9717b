#pragma once

#include "core/editor/TaskBuilder.h"

#include <QDialog>
#include <QIcon>
#include <QSize>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QVBoxLayout;

namespace morvane {

struct DateTime;
class LanguageTable;
class LinkLabel;
class ProcessListView;

/// The task editor's window (`frmMouseSelect`): its widgets with their lists and layout, the
/// fields each choice enables, and the translated captions. What the buttons do is the editor's;
/// the widgets are public so the editor and its picker drag can drive them.
class TaskEditorForm : public QDialog {
    Q_OBJECT
public:
    /// The window's designed size; it is fixed.
    static constexpr QSize kSize{738, 617};
    /// The size the target pictures are shown at.
    static constexpr QSize kPictureSize{32, 32};
    /// From the program name's right edge to its picture (250 twips).
    static constexpr int kIconGap = 17;

    /// The program a close task ends, as the editor shows it: Add uses these texts and nothing
    /// else. The labels show them shortened when long.
    struct Target {
        QString program;
        QString id;
        QString path; ///< Empty when unknown.
    };

    /// Builds the window; the date lists start at `now`.
    TaskEditorForm(const DateTime& now, QWidget* parent);

    /// Applies Qt's translation, then the language table, to the captions.
    void UpdateLan(const LanguageTable& lan);
    /// The window's size: the designed one, or larger where a larger font needs it.
    [[nodiscard]] QSize FullSize() const { return m_fullSize; }
    /// The values Add reads, taken from the widgets.
    [[nodiscard]] TaskBuilder::Input ReadInput() const;
    /// The reverse: sets the widgets so that ReadInput gives `in` back (a value a list does not
    /// hold is typed into the countdown fields, and leaves the other lists as they are).
    void FillInput(const TaskBuilder::Input& in);

    /// Makes `target` the one Add uses and shows its name and id.
    void SetTarget(const Target& target);
    [[nodiscard]] const Target& CurrentTarget() const { return m_target; }

    /// Shows the picture of the target beside its name; a null icon shows none.
    void SetTargetIcon(const QIcon& icon);
    /// The picture shown beside the target's name.
    [[nodiscard]] const QIcon& TargetIcon() const { return m_targetIcon; }

    /// Why no-mouse-movement tasks cannot run here; empty when they can. While it is not empty
    /// the "After No Mouse Moving" box is cleared and disabled, and says why in its tooltip.
    void SetIdleUnavailableReason(const QString& reason);

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
    /// The keyboard's way to pick a window: the one under the pointer a moment later.
    QPushButton* m_cmdPickLater = nullptr;
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

protected:
    /// Sizes the window for its font; the lists know their widths only once shown.
    void FitToFont();

    QIcon m_targetIcon;
    Target m_target;

private:
    QString m_idleReason;
    QSize m_fullSize = kSize;
    QLabel* m_lblAutoType = nullptr;
    QLabel* m_lblCmd = nullptr;
    QLabel* m_lblLoop = nullptr;
    void Retranslate();
    // In this order, which is the tab order.
    void BuildTarget(QVBoxLayout* root);
    void BuildTaskKind(QVBoxLayout* root);
    void BuildSchedule(QVBoxLayout* root);
    void BuildAfterAndButtons(QVBoxLayout* root);
    void FillLists(const DateTime& now);
    void OnTriggerChanged();
    void OnAutoTypeChanged();
};

} // namespace morvane
