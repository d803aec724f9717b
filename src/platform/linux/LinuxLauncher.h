#pragma once

#include "platform/Launcher.h"

#include <string>

namespace morvane::platform {

/// Starts command lines as detached processes, without a shell: each program gets its own
/// session, /dev/null as input and output, and is never our child, so no zombie is left behind.
class LinuxLauncher final : public Launcher {
public:
    /// Splits the line into words the way a POSIX shell quotes (ShellWords), with no expansion.
    Result Launch(const std::string& commandLine) override;
    [[nodiscard]] std::string ProgramOf(const std::string& commandLine) const override;
    [[nodiscard]] std::string QuotedProgram(const std::string& path) const override;
    [[nodiscard]] Result CheckProgram(const std::string& commandLine) const override;

    /// The file to run for a program word: the word itself when it holds a '/', else the first
    /// executable of that name on PATH; empty when there is none.
    [[nodiscard]] static std::string ResolveProgram(const std::string& program);
};

} // namespace morvane::platform
