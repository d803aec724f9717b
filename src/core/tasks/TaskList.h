#pragma once

#include "core/tasks/Task.h"
#include "core/tasks/TaskPlan.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

/// Names one row for the life of the program, whatever moves around it; never reused. 0 is none.
using TaskId = std::uint64_t;

/// Told about every change of the task list, so a view can follow it without owning state.
/// Each change is announced before it happens and reported after, so a view reading the list
/// directly can prepare while the old rows are still there. Every method does nothing unless
/// overridden.
class TaskListObserver {
public:
    TaskListObserver() = default;
    virtual ~TaskListObserver() = default;
    TaskListObserver(const TaskListObserver&) = delete;
    TaskListObserver& operator=(const TaskListObserver&) = delete;

    /// Rows are about to be appended at 1-based positions `first` to `last`.
    virtual void OnRowsAboutToBeAppended(int first, int last) { (void)first, (void)last; }
    /// Rows were appended at 1-based positions `first` to `last`.
    virtual void OnRowsAppended(int first, int last) { (void)first, (void)last; }
    /// The row at 1-based position `row` is about to be removed; it still holds its texts.
    virtual void OnRowAboutToBeRemoved(int row) { (void)row; }
    /// The row at 1-based position `row` was removed; later rows moved up by one.
    virtual void OnRowRemoved(int row) { (void)row; }
    /// Rows at these 1-based positions (ascending, more than one) are about to be removed at
    /// once; they still hold their texts.
    virtual void OnRowsAboutToBeRemoved(const std::vector<int>& rows) { (void)rows; }
    /// Those rows were removed; the others closed up in order.
    virtual void OnRowsRemoved(const std::vector<int>& rows) { (void)rows; }
    /// Field `field` of row `row` now holds a new text.
    virtual void OnFieldChanged(int row, Field field) { (void)row, (void)field; }
    /// Every row is about to be removed at once.
    virtual void OnAboutToClear() {}
    /// Every row was removed at once.
    virtual void OnCleared() {}
};

/// The ordered rows of the task list, addressed by 1-based position and by a stable id. Each row
/// keeps its seven texts and their typed reading (TaskPlan), read again whenever a text changes.
class TaskList {
public:
    /// `order` reads due times that are not in the canonical form.
    explicit TaskList(DateOrder order = DateOrder::DayFirst) : m_order(order) {}
    TaskList(const TaskList&) = delete;
    TaskList& operator=(const TaskList&) = delete;

    [[nodiscard]] int Count() const { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] bool IsEmpty() const { return m_rows.empty(); }
    [[nodiscard]] bool IsValidRow(int row) const { return row >= 1 && row <= Count(); }
    [[nodiscard]] DateOrder Order() const { return m_order; }

    /// The texts of the task at 1-based position `row`; the row must exist.
    [[nodiscard]] const Task& At(int row) const { return RowAt(row).task; }
    /// The typed reading of the task at `row`; the row must exist.
    [[nodiscard]] const TaskPlan& PlanOf(int row) const { return RowAt(row).plan; }
    /// The id of the task at `row`; 0 when there is no such row.
    [[nodiscard]] TaskId IdOf(int row) const { return IsValidRow(row) ? RowAt(row).id : 0; }
    /// Where the task `id` stands now; 0 when it is gone.
    [[nodiscard]] int RowOf(TaskId id) const;
    /// Field `f` of row `row`; the empty text for a row that does not exist.
    [[nodiscard]] const std::string& FieldOf(int row, Field f) const;
    /// Whether row `row` was removed while removals are deferred: it still stands, but is gone.
    [[nodiscard]] bool IsRemoved(int row) const { return IsValidRow(row) && RowAt(row).removed; }
    /// How many rows were removed while removals are deferred.
    [[nodiscard]] int PendingRemovals() const { return static_cast<int>(m_removed.size()); }
    /// Whether no task is left once the deferred removals are done.
    [[nodiscard]] bool IsEmptyAfterRemovals() const { return Count() == PendingRemovals(); }
    /// How many rows wait for a period without activity.
    [[nodiscard]] int IdleTaskCount() const { return m_idleCount; }
    /// How many tasks wait for a program to exit or for quiet.
    [[nodiscard]] int WatchTaskCount() const { return m_watchCount; }
    /// How many tasks repeat, and so never leave the list by themselves.
    [[nodiscard]] int RepeatingTaskCount() const { return m_repeatingCount; }
    /// Whether the Empty task at `row` has an action that would wait for ever behind another
    /// task that repeats. Cheap enough for every row painted.
    [[nodiscard]] bool EmptyWaitsBehindRepeating(int row) const;

    /// Appends a task at the end and returns its position.
    int Append(Task task);
    /// Appends tasks at the end in order, announced as one change; returns the first new
    /// position (Count() + 1 when `tasks` is empty).
    int AppendAll(std::vector<Task> tasks);
    /// Removes row `row`; false (and nothing changes) when there is no such row.
    bool Remove(int row);
    /// Writes field `f` of row `row`; false when there is no such row.
    bool SetField(int row, Field f, std::string value);
    /// Puts `task` in place of row `row`, keeping its position and id: each field that changes
    /// is announced as SetField does, and the row's last failure is cleared. False when there is
    /// no such row.
    bool Replace(int row, const Task& task);
    /// Removes every row.
    void Clear();
    /// Until EndRemovals, a removed row keeps its place (and its texts), so a pass over the rows
    /// can go on by position; EndRemovals then takes them all out in one sweep, announced as one
    /// change. Many rows finishing in one tick cost one pass, not one shift of the list each.
    void BeginRemovals() { m_deferRemovals = true; }
    void EndRemovals();

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
    struct Row {
        Task task;
        TaskPlan plan;
        TaskId id = 0;
        std::string failure;
        bool removed = false; // waits for EndRemovals
    };

    [[nodiscard]] const Row& RowAt(int row) const {
        return m_rows.at(static_cast<std::size_t>(row - 1));
    }
    Row MakeRow(Task task);
    template <typename Fn> void Notify(Fn&& fn) {
        for (TaskListObserver* o : m_observers) {
            fn(*o);
        }
    }

    DateOrder m_order;
    bool m_deferRemovals = false;
    // Removed while removals were deferred, in position order.
    std::vector<int> m_removed;
    // Rows only ever join at the end, so ids rise with the position.
    std::vector<Row> m_rows;
    TaskId m_nextId = 1;
    int m_idleCount = 0;
    int m_watchCount = 0;
    int m_repeatingCount = 0;
    /// Counts a row's plan in (+1) or out (-1) of the per-trigger counts.
    void CountPlan(const TaskPlan& plan, int sign);
    mutable std::vector<TaskListObserver*> m_observers;
};

} // namespace morvane
