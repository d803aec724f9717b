#include "core/tasks/TaskList.h"

#include <algorithm>

namespace morvane {

TaskList::Row TaskList::MakeRow(Task task) {
    TaskPlan plan = ParseTask(task, m_order);
    return Row{std::move(task), std::move(plan), m_nextId++, {}};
}

int TaskList::RowOf(TaskId id) const {
    const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), id,
                                     [](const Row& r, TaskId wanted) { return r.id < wanted; });
    return it != m_rows.end() && it->id == id ? static_cast<int>(it - m_rows.begin()) + 1 : 0;
}

const std::string& TaskList::FieldOf(int row, Field f) const {
    static const std::string kEmpty;
    return IsValidRow(row) ? At(row).Get(f) : kEmpty;
}

int TaskList::Append(Task task) {
    std::vector<Task> one;
    one.push_back(std::move(task));
    return AppendAll(std::move(one));
}

int TaskList::AppendAll(std::vector<Task> tasks) {
    const int first = Count() + 1;
    if (tasks.empty()) {
        return first;
    }
    const int last = first + static_cast<int>(tasks.size()) - 1;
    Notify([first, last](TaskListObserver& o) { o.OnRowsAboutToBeAppended(first, last); });
    // Grown geometrically: reserving the exact size would move every row at each single add.
    const std::size_t needed = m_rows.size() + tasks.size();
    if (needed > m_rows.capacity()) {
        m_rows.reserve(std::max(needed, 2 * m_rows.capacity()));
    }
    for (Task& task : tasks) {
        m_rows.push_back(MakeRow(std::move(task)));
        CountPlan(m_rows.back().plan, 1);
    }
    Notify([first, last](TaskListObserver& o) { o.OnRowsAppended(first, last); });
    return first;
}

bool TaskList::Remove(int row) {
    if (!IsValidRow(row) || m_rows[static_cast<std::size_t>(row - 1)].removed) {
        return false;
    }
    if (m_deferRemovals) {
        m_rows[static_cast<std::size_t>(row - 1)].removed = true;
        m_removed.insert(std::upper_bound(m_removed.begin(), m_removed.end(), row), row);
        return true;
    }
    Notify([row](TaskListObserver& o) { o.OnRowAboutToBeRemoved(row); });
    CountPlan(PlanOf(row), -1);
    m_rows.erase(m_rows.begin() + (row - 1));
    Notify([row](TaskListObserver& o) { o.OnRowRemoved(row); });
    return true;
}

bool TaskList::SetField(int row, Field f, std::string value) {
    if (!IsValidRow(row)) {
        return false;
    }
    Row& slot = m_rows[static_cast<std::size_t>(row - 1)];
    std::string& text = slot.task.Get(f);
    if (text == value) {
        return true;
    }
    text = std::move(value);
    if (f == Field::CloseTime) {
        // The common change (a repeat, an idle restart) reads only what it changed.
        slot.plan.due = ParseDateText(text, m_order);
    } else {
        CountPlan(slot.plan, -1);
        slot.plan = ParseTask(slot.task, m_order);
        CountPlan(slot.plan, 1);
    }
    Notify([row, f](TaskListObserver& o) { o.OnFieldChanged(row, f); });
    return true;
}

bool TaskList::Replace(int row, const Task& task) {
    if (!IsValidRow(row)) {
        return false;
    }
    for (int f = 1; f <= kFieldCount; ++f) {
        SetField(row, static_cast<Field>(f), task.Get(static_cast<Field>(f)));
    }
    m_rows[static_cast<std::size_t>(row - 1)].failure.clear();
    return true;
}

const std::string& TaskList::LastFailureOf(int row) const {
    static const std::string kNone;
    return IsValidRow(row) ? RowAt(row).failure : kNone;
}

bool TaskList::SetLastFailure(int row, std::string failure) {
    if (!IsValidRow(row)) {
        return false;
    }
    m_rows[static_cast<std::size_t>(row - 1)].failure = std::move(failure);
    return true;
}

void TaskList::EndRemovals() {
    m_deferRemovals = false;
    std::vector<int> rows;
    rows.swap(m_removed);
    if (rows.size() == 1) {
        m_rows[static_cast<std::size_t>(rows[0] - 1)].removed = false;
        Remove(rows[0]);
        return;
    }
    if (rows.empty()) {
        return;
    }
    Notify([&rows](TaskListObserver& o) { o.OnRowsAboutToBeRemoved(rows); });
    for (const int row : rows) {
        CountPlan(PlanOf(row), -1);
    }
    std::erase_if(m_rows, [](const Row& r) { return r.removed; });
    Notify([&rows](TaskListObserver& o) { o.OnRowsRemoved(rows); });
}

void TaskList::CountPlan(const TaskPlan& plan, int sign) {
    m_idleCount += plan.IsIdle() ? sign : 0;
    m_watchCount += plan.Watches() ? sign : 0;
    m_repeatingCount += plan.StaysForEver() ? sign : 0;
}

bool TaskList::EmptyWaitsBehindRepeating(int row) const {
    // An Empty task never repeats itself, so every repeating task is another one.
    return IsValidRow(row) && PlanOf(row).ActsAfterAll() && m_repeatingCount > 0;
}

void TaskList::Clear() {
    Notify([](TaskListObserver& o) { o.OnAboutToClear(); });
    m_rows.clear();
    m_removed.clear();
    m_idleCount = 0;
    m_watchCount = 0;
    m_repeatingCount = 0;
    Notify([](TaskListObserver& o) { o.OnCleared(); });
}

void TaskList::AddObserver(TaskListObserver* observer) const {
    if (observer != nullptr &&
        std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
    }
}

void TaskList::RemoveObserver(TaskListObserver* observer) const {
    std::erase(m_observers, observer);
}

} // namespace morvane
