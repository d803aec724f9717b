#pragma once

#include "platform/Launcher.h"

#include <optional>
#include <string>
#include <string_view>

namespace morvane::platform {

/// Starts command lines through the shell's "open" (ShellExecuteW), shown normally: programs,
/// and documents or scripts with the program their type is opened with. Nothing is waited for.
class WindowsLauncher final : public Launcher {
public:
    /// A command line taken apart the way Windows reads one: the program, and the rest as the
    /// program's own parameters, left as typed for the program to read.
    struct Parts {
        std::string program;
        std::string parameters;
    };

    Result Launch(const std::string& commandLine) override;
    /// Split's program; from an opening quote never closed, the rest of the line after it.
    [[nodiscard]] std::string ProgramOf(const std::string& commandLine) const override;
    /// In double quotes when it is empty or holds a blank; backslashes are left as they are.
    [[nodiscard]] std::string QuotedProgram(const std::string& path) const override;

    /// The program is the first word, or the text between a leading pair of double quotes (for
    /// paths with blanks); the parameters follow after the blanks that end it. nullopt for an
    /// opening quote never closed.
    [[nodiscard]] static std::optional<Parts> Split(std::string_view commandLine);
    /// ShellExecute's words for one of its error results (below 32).
    [[nodiscard]] static std::string ReasonFor(long long code);
};

} // namespace morvane::platform
