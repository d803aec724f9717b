#pragma once

#include "platform/Launcher.h"
#include "platform/common/ShellWords.h"

#include <algorithm>
#include <string>
#include <vector>

namespace morvane::platform {

/// Records command lines instead of starting them. Lines listed in `failing` report failure.
/// Command lines are read with the Linux launcher's rules, so tests write them the same way.
class FakeLauncher final : public Launcher {
public:
    Result Launch(const std::string& commandLine) override {
        launched.push_back(commandLine);
        if (std::find(failing.begin(), failing.end(), commandLine) != failing.end()) {
            return Result::Error(2, "cannot start " + commandLine);
        }
        return {};
    }
    [[nodiscard]] std::string ProgramOf(const std::string& commandLine) const override {
        return ShellWords::First(commandLine);
    }
    [[nodiscard]] std::string QuotedProgram(const std::string& path) const override {
        return ShellWords::Quote(path);
    }

    [[nodiscard]] Result CheckProgram(const std::string& commandLine) const override {
        const std::string program = ProgramOf(commandLine);
        if (program.empty() ||
            std::find(missing.begin(), missing.end(), program) != missing.end()) {
            return Result::Error(2, "cannot start " + program + ": no such program");
        }
        return {};
    }

    std::vector<std::string> launched;
    /// Programs CheckProgram does not find.
    std::vector<std::string> missing;
    std::vector<std::string> failing;
};

} // namespace morvane::platform
