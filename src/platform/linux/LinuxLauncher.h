#pragma once

#include "platform/Launcher.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::platform {

/// Starts command lines as detached processes, without a shell: each program gets its own
/// session, /dev/null as input and output, and is never our child, so no zombie is left behind.
class LinuxLauncher final : public Launcher {
public:
    Result Launch(const std::string& commandLine) override;

    /// Splits a command line into words the way a POSIX shell quotes (single quotes, double
    /// quotes, backslash), with no expansion of any kind. nullopt for an unterminated quote.
    [[nodiscard]] static std::optional<std::vector<std::string>>
    SplitCommandLine(std::string_view commandLine);
    /// The file to run for a program word: the word itself when it holds a '/', else the first
    /// executable of that name on PATH; empty when there is none.
    [[nodiscard]] static std::string ResolveProgram(const std::string& program);
};

} // namespace morvane::platform
