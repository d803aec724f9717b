#pragma once

#include "core/tasks/TaskPlan.h"

#include <QCoreApplication>
#include <QString>

#include <string_view>

namespace morvane {

class LanguageTable;

/// The list's Type, Loop and After cells in the user's words ("Close in 15 min", "every day")
/// while the task file keeps its own texts. A text this version cannot read is shown as stored.
class TaskCells {
    Q_DECLARE_TR_FUNCTIONS(morvane::TaskCells)
public:
    /// `idleAnyInput`: the session counts any input, not only the pointer's moves.
    [[nodiscard]] static QString Type(const TaskPlan& plan, std::string_view stored,
                                      bool idleAnyInput);
    [[nodiscard]] static QString Loop(const TaskPlan& plan, std::string_view stored);
    [[nodiscard]] static QString After(const LanguageTable& lan, const TaskPlan& plan,
                                       std::string_view stored);
};

} // namespace morvane
