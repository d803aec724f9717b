#pragma once

#include "core/editor/TaskBuilder.h"
#include "core/tasks/TaskPlan.h"
#include "types/DateTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvane {

/// A task's fields by name, as the command line and the bus give them.
using OrderFields = std::vector<std::pair<std::string, std::string>>;

/// A task asked for from outside the windows (the command line, a script), read and checked.
/// Reading it needs no running program: the checks that need the machine (a program to close
/// must run, one to start must exist) are made where it is added.
struct TaskOrder {
    enum class Target { Empty, Close, Run };
    enum class Trigger { Now, In, At, Idle, Exits, Quiet };

    PowerAction power = PowerAction::None;
    Target target = Target::Empty;
    std::string program;     ///< Close: the program's name as the process list shows it.
    std::string commandLine; ///< Run.
    Trigger trigger = Trigger::Now;
    std::int64_t seconds = 0; ///< In, Idle and Quiet: the period.
    DateTime at;              ///< At: the moment, resolved against the time it was read.
    std::string loop;         ///< The stored repeat text ("None", "Every Day", ...).
    /// Exits: the process waited for (0: every process of `watchName`), or the program's name.
    std::int64_t watchPid = 0;
    std::string watchName;
    /// Quiet: what is measured, and the level below which it is quiet (KiB/s or %).
    QuietSource quietSource = QuietSource::Network;
    int quietLimit = kDefaultQuietKiB;
    bool quit = false;
    /// Close: ask the program first, and force it after this many seconds; 0 closes at once.
    std::int64_t graceSeconds = 0;

    /// The editor's fields for this task, as if the user had filled them in.
    [[nodiscard]] TaskBuilder::Input ToInput() const;
};

/// Reads `fields` into a task; nullopt with `why` (one line, naming the option) when they do
/// not make one. A time of day alone means its next coming after `now`.
[[nodiscard]] std::optional<TaskOrder> ReadTaskOrder(const OrderFields& fields, const DateTime& now,
                                                     std::string& why);

/// "90s", "30m", "1h30m", "2d": whole numbers with units s, m, h, d, combined, more than zero;
/// nullopt otherwise, or beyond what a countdown can hold.
[[nodiscard]] std::optional<std::int64_t> ParseDuration(std::string_view text);

/// A duration written the way ParseDuration reads it, largest units first ("1h30m").
[[nodiscard]] std::string DurationText(std::int64_t seconds);

/// "HH:MM[:SS]" (its next coming after `now`) or "YYYY-MM-DD HH:MM[:SS]"; nullopt when it is
/// no time or a date the calendar lacks.
[[nodiscard]] std::optional<DateTime> ParseOrderTime(std::string_view text, const DateTime& now);

} // namespace morvane
