#pragma once

#include "core/tasks/Task.h"

#include <string>
#include <vector>

namespace morvane {

/// Told about every change of the task list, so a view can follow it without owning state.
/// Each change is announced before it happens and reported after, so a view reading the list
/// directly can prepare while the old rows are still there.
class TaskListObserver {
public:
    TaskListObserver() = default;
    virtual ~TaskListObserver() = default;
    TaskListObserver(const TaskListObserver&) = delete;
    TaskListObserver& operator=(const TaskListObserver&) = delete;

    /// A row is about to be appended at 1-based position `row`; the list does not hold it yet.
    virtual void OnRowAboutToBeAppended(int row) = 0;
    /// A row was appended at 1-based position `row`.
    virtual void OnRowAppended(int row) = 0;
    /// The row at 1-based position `row` is about to be removed; it still holds its texts.
    virtual void OnRowAboutToBeRemoved(int row) = 0;
    /// The row at 1-based position `row` was removed; later rows moved up by one.
    virtual void OnRowRemoved(int row) = 0;
    /// Field `field` of row `row` now holds a new text.
    virtual void OnFieldChanged(int row, Field field) = 0;
    /// Every row is about to be removed at once.
    virtual void OnAboutToClear() = 0;
    /// Every row was removed at once.
    virtual void OnCleared() = 0;
};

/// The ordered rows of the task list, addressed by 1-based position. No key, never sorted.
class TaskList {
public:
    TaskList() = default;
    TaskList(const TaskList&) = delete;
    TaskList& operator=(const TaskList&) = delete;

    [[nodiscard]] int Count() const { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] bool IsEmpty() const { return m_rows.empty(); }
    [[nodiscard]] bool IsValidRow(int row) const { return row >= 1 && row <= Count(); }

    /// The task at 1-based position `row`; the row must exist.
    [[nodiscard]] const Task& At(int row) const;
    /// Field `f` of row `row`; the empty text for a row that does not exist.
    [[nodiscard]] const std::string& FieldOf(int row, Field f) const;

    /// Appends a task at the end and returns its position.
    int Append(Task task);
    /// Removes row `row`; false (and nothing changes) when there is no such row.
    bool Remove(int row);
    /// Writes field `f` of row `row`; false when there is no such row.
    bool SetField(int row, Field f, std::string value);
    /// Puts `task` in place of row `row`, keeping its position: each field that changes is
    /// announced as SetField does, and the row's last failure is cleared. False when there is
    /// no such row.
    bool Replace(int row, const Task& task);
    /// Removes every row.
    void Clear();

    [[nodiscard]] const std::vector<Task>& Rows() const { return m_rows; }

    /// Why the last run of row `row` went wrong (a program that could not start); empty when
    /// it went well or the row has not run. It moves with its row and is never stored in a file.
    /// Setting it is not announced: a view reads it when it shows it.
    [[nodiscard]] const std::string& LastFailureOf(int row) const;
    /// Sets or, with an empty text, clears the last failure of row `row`; false when there is
    /// no such row.
    bool SetLastFailure(int row, std::string failure);

    /// Observing does not change the list, so a read-only holder may observe it too.
    void AddObserver(TaskListObserver* observer) const;
    void RemoveObserver(TaskListObserver* observer) const;

private:
    template <typename Fn> void Notify(Fn&& fn) {
        for (TaskListObserver* o : m_observers) {
            fn(*o);
        }
    }

    std::vector<Task> m_rows;
    std::vector<std::string> m_failures; // one per row, in step with m_rows
    mutable std::vector<TaskListObserver*> m_observers;
};

} // namespace morvane
