#pragma once

#include "platform/Launcher.h"

#include <algorithm>
#include <string>
#include <vector>

namespace morvane::platform {

/// Records command lines instead of starting them. Lines listed in `failing` report failure.
class FakeLauncher final : public Launcher {
public:
    bool Launch(const std::string& commandLine) override {
        launched.push_back(commandLine);
        return std::find(failing.begin(), failing.end(), commandLine) == failing.end();
    }

    std::vector<std::string> launched;
    std::vector<std::string> failing;
};

} // namespace morvane::platform
