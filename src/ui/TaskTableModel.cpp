#include "ui/TaskTableModel.h"

#include "ui/ProgramIcons.h"
#include "ui/ShownText.h"
#include "ui/StatusTexts.h"
#include "ui/TaskCells.h"
#include "ui/UiText.h"

namespace morvane {

namespace {
const char* const kHeaders[TaskTableModel::kColumns] = {
    QT_TRANSLATE_NOOP("morvane::TaskTableModel", "Icon"),
    QT_TRANSLATE_NOOP("morvane::TaskTableModel", "Program"),
    QT_TRANSLATE_NOOP("morvane::TaskTableModel", "Path"),
    QT_TRANSLATE_NOOP("morvane::TaskTableModel", "ID"),
    QT_TRANSLATE_NOOP("morvane::TaskTableModel", "Close Time"),
    QT_TRANSLATE_NOOP("morvane::TaskTableModel", "Loop"),
    QT_TRANSLATE_NOOP("morvane::TaskTableModel", "Type"),
    QT_TRANSLATE_NOOP("morvane::TaskTableModel", "After the Task Finished")};
}

TaskTableModel::TaskTableModel(const TaskList& tasks, QObject* parent)
    : QAbstractTableModel(parent), m_tasks(tasks) {
    m_rowIcons.fill(ProgramIcons::Generic(), m_tasks.Count());
    m_repeating = m_tasks.RepeatingTaskCount() > 0;
    m_tasks.AddObserver(this);
}

TaskTableModel::~TaskTableModel() {
    m_tasks.RemoveObserver(this);
}

void TaskTableModel::SetRowIcon(int row, const QIcon& icon) {
    const int at = row - 1;
    if (at < 0 || at >= m_rowIcons.size()) {
        return;
    }
    m_rowIcons[at] = icon;
    const QModelIndex cell = index(at, 0);
    Q_EMIT dataChanged(cell, cell, {Qt::DecorationRole});
}

void TaskTableModel::SetIdleReasonSource(std::function<std::string()> reason) {
    m_idleReason = std::move(reason);
    if (m_tasks.Count() > 0) {
        Q_EMIT dataChanged(index(0, 1), index(m_tasks.Count() - 1, kColumns - 1));
    }
}

void TaskTableModel::Retranslate() {
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
    if (m_tasks.Count() > 0) {
        Q_EMIT dataChanged(index(0, 1), index(m_tasks.Count() - 1, kColumns - 1));
    }
}

void TaskTableModel::RefreshWatchProblems() {
    if (!m_watchProblem || (m_tasks.WatchTaskCount() == 0 && m_troubled.empty())) {
        return;
    }
    std::unordered_set<TaskId> troubled;
    for (int row = 1; row <= m_tasks.Count(); ++row) {
        if (!m_tasks.PlanOf(row).Watches()) {
            continue;
        }
        const TaskId id = m_tasks.IdOf(row);
        const bool shown = m_troubled.contains(id);
        // Whether there is a problem, not its words: this runs at every tick over every row.
        if (StatusTexts::StillWaits(m_tasks.PlanOf(row)) && !m_watchProblem(row).empty()) {
            troubled.insert(id);
            if (shown) {
                continue;
            }
        } else if (!shown) {
            continue;
        }
        Q_EMIT dataChanged(index(row - 1, 1), index(row - 1, kColumns - 1));
    }
    m_troubled = std::move(troubled);
}

QString TaskTableModel::WaitReason(int row) const {
    const TaskPlan& plan = m_tasks.PlanOf(row);
    if (plan.IsIdle()) {
        return m_idleReason ? UiText::Reason(m_idleReason()) : QString();
    }
    if (m_watchProblem && StatusTexts::StillWaits(plan)) {
        return UiText::Reason(m_watchProblem(row));
    }
    return {};
}

QString TaskTableModel::CellText(int row, Field field, const QString& waitReason) const {
    switch (field) {
    case Field::Type:
        return TaskCells::Type(m_tasks.PlanOf(row), m_tasks.FieldOf(row, field),
                               m_idleAnyInput && m_idleAnyInput());
    case Field::Loop:
        return TaskCells::Loop(m_tasks.PlanOf(row), m_tasks.FieldOf(row, field));
    case Field::After:
        if (m_language) {
            return TaskCells::After(m_language(), m_tasks.PlanOf(row), m_tasks.FieldOf(row, field));
        }
        [[fallthrough]];
    case Field::Id:
    case Field::Path:
        // A task without a process or a file stores the word itself.
        if (m_tasks.FieldOf(row, field) == texts::kNone) {
            return tr("none");
        }
        [[fallthrough]];
    case Field::Program:
        return ShownText(m_tasks.FieldOf(row, field));
    case Field::CloseTime:
        break;
    }
    // Its stored time is a placeholder for what it waits for, and a due time that cannot be
    // seen to come would be a promise the scheduler cannot keep.
    const TaskPlan& plan = m_tasks.PlanOf(row);
    if (StatusTexts::StillWaits(plan)) {
        const QString waitsFor = StatusTexts::WaitsFor(plan);
        return waitReason.isEmpty() ? waitsFor : tr("%1 (may not happen)").arg(waitsFor);
    }
    if (!waitReason.isEmpty()) {
        return tr("Waits: activity cannot be seen here");
    }
    if (m_tasks.EmptyWaitsBehindRepeating(row)) {
        return tr("%1 (waits behind a repeating task)").arg(ShownText(m_tasks.FieldOf(row, field)));
    }
    return ShownText(m_tasks.FieldOf(row, field));
}

void TaskTableModel::FollowRepeating() {
    const bool repeating = m_tasks.RepeatingTaskCount() > 0;
    if (repeating == m_repeating) {
        return;
    }
    m_repeating = repeating;
    if (m_tasks.Count() > 0) {
        const int time = static_cast<int>(Field::CloseTime);
        Q_EMIT dataChanged(index(0, time), index(m_tasks.Count() - 1, time));
    }
}

int TaskTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_tasks.Count();
}

int TaskTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant TaskTableModel::data(const QModelIndex& index, int role) const {
    const int row = index.row() + 1;
    if (!index.isValid() || !m_tasks.IsValidRow(row)) {
        return {};
    }
    if (index.column() == 0) {
        return role == Qt::DecorationRole && index.row() < m_rowIcons.size()
                   ? QVariant(m_rowIcons.at(index.row()))
                   : QVariant();
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        const auto field = static_cast<Field>(index.column());
        const QString waitReason = WaitReason(row);
        QString text = CellText(row, field, waitReason);
        if (role == Qt::DisplayRole) {
            return text;
        }
        // Every cell but the path's, whose tooltip is there to show the path.
        if (const QString left = m_timeLeft && field != Field::Path ? m_timeLeft(row) : QString();
            !left.isEmpty()) {
            text = QStringLiteral("%1\n\n%2").arg(text, left);
        }
        if (!waitReason.isEmpty()) {
            text = QStringLiteral("%1\n\n%2").arg(text, waitReason);
        }
        if (m_tasks.EmptyWaitsBehindRepeating(row)) {
            text =
                QStringLiteral("%1\n\n%2")
                    .arg(text,
                         tr("Its action waits until every other task has finished, and a task that "
                            "repeats never finishes: remove the repeating task or the action will "
                            "not happen."));
        }
        const std::string& failure = m_tasks.LastFailureOf(row);
        if (!failure.empty()) {
            return tr("%1\n\nLast run failed: %2").arg(text, ShownText(failure));
        }
        return text;
    }
    return {};
}

QVariant TaskTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumns) {
        return tr(kHeaders[section]);
    }
    return {};
}

void TaskTableModel::OnRowsAboutToBeAppended(int first, int last) {
    beginInsertRows({}, first - 1, last - 1);
}

void TaskTableModel::OnRowsAppended(int first, int last) {
    m_rowIcons.insert(first - 1, last - first + 1, ProgramIcons::Generic());
    endInsertRows();
    FollowRepeating();
}

void TaskTableModel::OnRowAboutToBeRemoved(int row) {
    beginRemoveRows({}, row - 1, row - 1);
}

void TaskTableModel::OnRowRemoved(int row) {
    m_rowIcons.removeAt(row - 1);
    endRemoveRows();
    FollowRepeating();
}

void TaskTableModel::OnRowsAboutToBeRemoved(const std::vector<int>& /*rows*/) {
    // Many rows at once (a tick's finished tasks): one reset is linear, row by row is not.
    beginResetModel();
}

void TaskTableModel::OnRowsRemoved(const std::vector<int>& rows) {
    QList<QIcon> kept;
    kept.reserve(m_rowIcons.size() - static_cast<qsizetype>(rows.size()));
    auto next = rows.begin();
    for (qsizetype i = 0; i < m_rowIcons.size(); ++i) {
        if (next != rows.end() && *next == i + 1) {
            ++next;
        } else {
            kept.push_back(m_rowIcons.at(i));
        }
    }
    m_rowIcons = std::move(kept);
    m_repeating = m_tasks.RepeatingTaskCount() > 0;
    endResetModel();
}

void TaskTableModel::OnFieldChanged(int row, Field field) {
    const QModelIndex cell = index(row - 1, static_cast<int>(field));
    Q_EMIT dataChanged(cell, cell);
    if (field != Field::CloseTime) {
        // What the task is and does decides what its time says.
        const QModelIndex time = index(row - 1, static_cast<int>(Field::CloseTime));
        Q_EMIT dataChanged(time, time);
    }
    FollowRepeating();
}

void TaskTableModel::OnAboutToClear() {
    beginResetModel();
}

void TaskTableModel::OnCleared() {
    m_rowIcons.clear();
    m_repeating = false;
    endResetModel();
}

} // namespace morvane
