#pragma once

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
};

} // namespace morvane
