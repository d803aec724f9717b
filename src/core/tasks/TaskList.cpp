#include "core/tasks/TaskList.h"

#include <algorithm>

namespace morvane {

const Task& TaskList::At(int row) const {
    return m_rows.at(static_cast<std::size_t>(row - 1));
}

const std::string& TaskList::FieldOf(int row, Field f) const {
    static const std::string kEmpty;
    return IsValidRow(row) ? At(row).Get(f) : kEmpty;
}

int TaskList::Append(Task task) {
    const int row = Count() + 1;
    Notify([row](TaskListObserver& o) { o.OnRowAboutToBeAppended(row); });
    m_rows.push_back(std::move(task));
    m_failures.emplace_back();
    Notify([row](TaskListObserver& o) { o.OnRowAppended(row); });
    return row;
}

bool TaskList::Remove(int row) {
    if (!IsValidRow(row)) {
        return false;
    }
    Notify([row](TaskListObserver& o) { o.OnRowAboutToBeRemoved(row); });
    m_rows.erase(m_rows.begin() + (row - 1));
    m_failures.erase(m_failures.begin() + (row - 1));
    Notify([row](TaskListObserver& o) { o.OnRowRemoved(row); });
    return true;
}

bool TaskList::SetField(int row, Field f, std::string value) {
    if (!IsValidRow(row)) {
        return false;
    }
    std::string& slot = m_rows[static_cast<std::size_t>(row - 1)].Get(f);
    if (slot == value) {
        return true;
    }
    slot = std::move(value);
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
    m_failures[static_cast<std::size_t>(row - 1)].clear();
    return true;
}

const std::string& TaskList::LastFailureOf(int row) const {
    static const std::string kNone;
    return IsValidRow(row) ? m_failures[static_cast<std::size_t>(row - 1)] : kNone;
}

bool TaskList::SetLastFailure(int row, std::string failure) {
    if (!IsValidRow(row)) {
        return false;
    }
    m_failures[static_cast<std::size_t>(row - 1)] = std::move(failure);
    return true;
}

void TaskList::Clear() {
    Notify([](TaskListObserver& o) { o.OnAboutToClear(); });
    m_rows.clear();
    m_failures.clear();
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
