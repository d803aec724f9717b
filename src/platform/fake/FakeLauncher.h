#pragma once

#include "platform/Launcher.h"

#include <algorithm>
#include <string>
#include <vector>

namespace morvane::platform {

/// Records command lines instead of starting them. Lines listed in `failing` report failure.
class FakeLauncher final : public Launcher {
public:
    Result Launch(const std::string& commandLine) override {
        launched.push_back(commandLine);
        if (std::find(failing.begin(), failing.end(), commandLine) != failing.end()) {
            return Result::Error(2, "cannot start " + commandLine);
        }
        return {};
    }

    std::vector<std::string> launched;
    std::vector<std::string> failing;
};

} // namespace morvane::platform
