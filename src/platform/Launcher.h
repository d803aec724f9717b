#pragma once

#include "types/Result.h"

#include <string>

namespace morvane::platform {

/// Starts command lines as new processes.
class Launcher {
public:
    Launcher() = default;
    virtual ~Launcher() = default;
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    /// Starts `commandLine` (a program followed by its arguments, split the host's way) without a
    /// shell and without waiting; an error says why it could not be started.
    virtual Result Launch(const std::string& commandLine) = 0;

    /// The program `commandLine` names, as Launch splits it; empty when it names none.
    [[nodiscard]] virtual std::string ProgramOf(const std::string& commandLine) const = 0;

    /// Whether the program `commandLine` names can be found and started now, without starting
    /// it: an error says why not (none named, not found, not a program), as Launch would fail.
    [[nodiscard]] virtual Result CheckProgram(const std::string& commandLine) const {
        (void)commandLine;
        return {};
    }
    /// `path` written as command-line text that Launch reads back as that one program.
    [[nodiscard]] virtual std::string QuotedProgram(const std::string& path) const = 0;
};

} // namespace morvane::platform
