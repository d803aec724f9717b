#pragma once

#include "core/tasks/TaskList.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

#include <vector>

namespace morvane {

/// The task list as the main window shows it: one row per task, the icon column and the seven
/// texts. It follows the core's list through its observer and owns the row pictures.
class TaskTableModel final : public QAbstractTableModel, private TaskListObserver {
    Q_OBJECT
public:
    static constexpr int kColumns = 8;

    explicit TaskTableModel(TaskList& tasks, QObject* parent = nullptr);
    ~TaskTableModel() override;
    TaskTableModel(const TaskTableModel&) = delete;
    TaskTableModel& operator=(const TaskTableModel&) = delete;

    /// Adds a row picture and returns the index a task's `icon` refers to it by. Index 0 is the
    /// generic program picture that tasks read from a file get.
    int AddIcon(const QIcon& icon);
    [[nodiscard]] QIcon IconAt(int index) const;
    [[nodiscard]] int IconCount() const { return static_cast<int>(m_icons.size()); }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    void OnRowAppended(int row) override;
    void OnRowRemoved(int row) override;
    void OnFieldChanged(int row, Field field) override;
    void OnCleared() override;

    TaskList& m_tasks;
    // What the view shows; kept in step with the list so the view is told before rows go.
    std::vector<Task> m_rows;
    QList<QIcon> m_icons;
};

} // namespace morvane
