#pragma once

#include "core/tasks/TaskPlan.h"
#include "types/DateTime.h"

#include <string>

namespace morvane {

/// A due action held back while the user is warned: a task that force-closes a program or
/// performs a power action, or the after-all-tasks power action.
struct Warning {
    /// The after-all-tasks action rather than a task.
    bool afterAllTasks = false;
    /// The program a close task ends; empty when nothing is closed.
    std::string program;
    /// The power action that follows; None for none.
    PowerAction power = PowerAction::None;
    /// Whether Morvane quits afterwards.
    bool quits = false;
    /// When the action happens unless the user answers first.
    DateTime deadline;

    bool operator==(const Warning&) const = default;
};

/// A desktop notification the core asks for; the windows word it in the user's language.
struct Notice {
    enum class Kind {
        PowerSoon,      ///< `subject` (a power action name) happens in `minutesLeft` minutes.
        CouldNotStart,  ///< A run task could not start `subject`; `detail` says why.
        NothingToClose, ///< A close task found no process of `subject` it could end; `detail`
                        ///< as the history keeps it.
        NotSaved,       ///< `subject` ("tasks", "settings") could not be written; `detail` why.
    };
    Kind kind = Kind::PowerSoon;
    std::string subject;
    std::string detail;
    int minutesLeft = 0;

    bool operator==(const Notice&) const = default;
};

} // namespace morvane
