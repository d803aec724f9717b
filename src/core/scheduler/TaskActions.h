#pragma once

#include "core/tasks/TaskList.h"

#include <string>

namespace morvane {

/// The two actions a due task hands over to.
class TaskActions {
public:
    TaskActions() = default;
    virtual ~TaskActions() = default;
    TaskActions(const TaskActions&) = delete;
    TaskActions& operator=(const TaskActions&) = delete;

    /// Ends every process of `program` and finishes the task at 1-based position `row`.
    virtual void CloseProgram(const std::string& program, int row) = 0;
    /// Starts `commandLine` and finishes the task at 1-based position `row`.
    virtual void RunProgram(const std::string& commandLine, int row) = 0;
    /// Whether the action of task `task` is still under way, so it is not handed over again
    /// meanwhile: a gentle close waits for its processes.
    [[nodiscard]] virtual bool IsUnderWay(TaskId task) const {
        (void)task;
        return false;
    }
};

} // namespace morvane
