#include "ui/TaskTableModel.h"

#include "ui/ProgramIcons.h"

namespace morvane {

namespace {
const char* const kHeaders[TaskTableModel::kColumns] = {
    "Icon", "Program", "Path", "ID", "Close Time", "Loop", "Type", "After the Task Finished"};
}

TaskTableModel::TaskTableModel(TaskList& tasks, QObject* parent)
    : QAbstractTableModel(parent), m_tasks(tasks), m_rows(tasks.Rows()) {
    m_icons.append(ProgramIcons::Generic());
    m_tasks.AddObserver(this);
}

TaskTableModel::~TaskTableModel() {
    m_tasks.RemoveObserver(this);
}

int TaskTableModel::AddIcon(const QIcon& icon) {
    m_icons.append(icon);
    return static_cast<int>(m_icons.size()) - 1;
}

QIcon TaskTableModel::IconAt(int index) const {
    return index >= 0 && index < m_icons.size() ? m_icons.at(index) : m_icons.first();
}

int TaskTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TaskTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant TaskTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(m_rows.size())) {
        return {};
    }
    const Task& task = m_rows[static_cast<std::size_t>(index.row())];
    if (index.column() == 0) {
        return role == Qt::DecorationRole ? QVariant(IconAt(task.icon)) : QVariant();
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return QString::fromStdString(task.Get(static_cast<Field>(index.column())));
    }
    return {};
}

QVariant TaskTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kColumns) {
        return QString::fromLatin1(kHeaders[section]);
    }
    return {};
}

void TaskTableModel::OnRowAppended(int row) {
    const int at = row - 1;
    beginInsertRows({}, at, at);
    m_rows.insert(m_rows.begin() + at, m_tasks.At(row));
    endInsertRows();
}

void TaskTableModel::OnRowRemoved(int row) {
    const int at = row - 1;
    if (at < 0 || at >= static_cast<int>(m_rows.size())) {
        return;
    }
    beginRemoveRows({}, at, at);
    m_rows.erase(m_rows.begin() + at);
    endRemoveRows();
}

void TaskTableModel::OnFieldChanged(int row, Field field) {
    const int at = row - 1;
    if (at < 0 || at >= static_cast<int>(m_rows.size()) || !m_tasks.IsValidRow(row)) {
        return;
    }
    m_rows[static_cast<std::size_t>(at)] = m_tasks.At(row);
    const QModelIndex cell = index(at, static_cast<int>(field));
    Q_EMIT dataChanged(cell, cell);
}

void TaskTableModel::OnCleared() {
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

} // namespace morvane
