#pragma once

#include <ostream>

namespace morvane::platform {

/// Where the command line's answers go: the help, the version, the task list, a new task's id,
/// and why a command failed. A terminal program prints them; a windowed program started without
/// a terminal (from Explorer or a shortcut) has none to print to, and shows them in a box.
class CommandOutput {
public:
    virtual ~CommandOutput() = default;

    /// What a terminal shows on standard output.
    [[nodiscard]] virtual std::ostream& Out() = 0;
    /// Why a command was refused or failed: standard error.
    [[nodiscard]] virtual std::ostream& Err() = 0;
    /// Delivers what was written, once, after the last line. False when it could not be (a
    /// closed pipe, a full disk), so the exit status can say so.
    [[nodiscard]] virtual bool Finish() = 0;
};

} // namespace morvane::platform
