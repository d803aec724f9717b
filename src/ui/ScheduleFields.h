#pragma once

#include "core/editor/TaskBuilder.h"

#include <QCoreApplication>
#include <QString>

#include <array>

class QComboBox;
class QLabel;
class QRadioButton;
class QCheckBox;
class QVBoxLayout;
class QWidget;

namespace morvane {

struct DateTime;
class LanguageTable;

/// The editor's schedule: a countdown (`optTimer`, `cmbTDay`..`cmbTSec`, optionally counted from
/// the last mouse movement, `chkMouse`) or a date and time (`optTime`, `cmbYear`..`cmbSec`),
/// each choice enabling its own fields.
class ScheduleFields final {
    // Its texts were translated as the form's.
    Q_DECLARE_TR_FUNCTIONS(morvane::TaskEditorForm)
public:
    /// Builds the widgets as children of `form`, into `root`; the date lists start at `now`.
    ScheduleFields(QVBoxLayout* root, QWidget* form, const DateTime& now);

    void Retranslate();
    void UpdateLan(const LanguageTable& lan);

    /// Puts the schedule's values into `in`.
    void Read(TaskBuilder::Input& in) const;
    /// Sets the fields so that Read gives the schedule of `in` back (a value a date list does
    /// not hold leaves it as it is; the countdown fields take any typed value).
    void Fill(const TaskBuilder::Input& in);

    /// Why no-mouse-movement tasks cannot run here; empty when they can. While it is not empty
    /// the "After No Mouse Moving" box is cleared and disabled, and says why in its tooltip.
    void SetIdleUnavailableReason(const QString& reason);

private:
    void FillLists(const DateTime& now);
    void OnTriggerChanged();
    [[nodiscard]] std::array<QComboBox*, 6> DateLists() const;

    QString m_idleReason;
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
};

} // namespace morvane
