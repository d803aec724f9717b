#pragma once

#include "core/editor/TaskBuilder.h"
#include "ui/EditorTarget.h"

#include <QCoreApplication>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QRadioButton;
class QCheckBox;
class QSpinBox;
class QStackedWidget;
class QVBoxLayout;
class QWidget;

namespace morvane {

struct DateTime;
class LanguageTable;

/// The editor's schedule: a countdown (`optTimer`, `cmbTDay`..`cmbTSec`, optionally counted from
/// the last mouse movement, `chkMouse`), a date and time (`optTime`, `cmbYear`..`cmbSec`), or
/// an event (`optWhen`, `cmbWhen`): a program exiting (`cmbWatch` names it for a close task,
/// `lblWatch` says which) or the network or processor staying below `spnQuietLimit` for
/// `spnQuietFor` minutes. Each choice enables its own fields.
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

    /// Why no-mouse-movement tasks cannot run here (empty when they can), and whether any input
    /// counts rather than the pointer alone (the box is then named for input). While the reason
    /// is not empty the box is cleared and disabled, and says why in its tooltip.
    void SetIdleState(const QString& reason, bool anyInput);

    /// What the chosen trigger waits for; None for the countdown and the specific time.
    [[nodiscard]] TaskBuilder::Input::Watch ChosenWatch() const;
    /// Called whenever ChosenWatch() may have changed.
    void SetWatchListener(std::function<void()> changed) { m_watchChanged = std::move(changed); }
    /// Where the program to wait for comes from: the editor's target (a run or Empty task has
    /// no other use for it), shown in `lblWatch`; or, with none, the `cmbWatch` list.
    void SetWatchedTarget(const std::optional<EditorTarget>& target);
    /// The names `cmbWatch` offers: the running programs'.
    void SetPrograms(const QStringList& names);

private:
    void FillLists(const DateTime& now);
    void BuildWhenRow(QVBoxLayout* sched, QWidget* schedule);
    void OnTriggerChanged();
    void OnWhenChanged();
    void ShowQuietUnit();
    void ShowWatched();
    [[nodiscard]] std::array<QComboBox*, 6> DateLists() const;

    QString m_idleReason;
    bool m_idleAnyInput = false;
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
    QRadioButton* m_optWhen = nullptr;
    QComboBox* m_cmbWhen = nullptr;
    QStackedWidget* m_whenPages = nullptr;
    QComboBox* m_cmbWatch = nullptr;
    QLabel* m_lblWatch = nullptr;
    QSpinBox* m_spnQuietLimit = nullptr;
    QLabel* m_lblQuietFor = nullptr;
    QSpinBox* m_spnQuietFor = nullptr;
    std::function<void()> m_watchChanged;
    std::optional<EditorTarget> m_watchedTarget;
    /// The process id of a filled task's watch: it holds while `cmbWatch` still shows the name
    /// it came with, since the list offers names alone.
    QString m_keptId;
    QString m_keptIdName;
    /// Each counter keeps its own level while the other is chosen: 50 KiB/s is no share of the
    /// processor. Network first.
    std::array<int, 2> m_quietLimits{kDefaultQuietKiB, kDefaultQuietPercent};
    int m_shownQuiet = -1; ///< Which of them spnQuietLimit holds; -1 for neither.
};

} // namespace morvane
