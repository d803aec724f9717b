#pragma once

#include "platform/UserFolders.h"

#include <map>
#include <utility>

namespace morvane::platform {

/// The folders a test names: these variables and this roaming folder, nothing of the machine's.
class FakeUserFolders final : public UserFolders {
public:
    FakeUserFolders() = default;
    explicit FakeUserFolders(std::map<std::string, std::filesystem::path> variables,
                             std::filesystem::path roaming = {})
        : variables(std::move(variables)), roaming(std::move(roaming)) {}

    [[nodiscard]] std::filesystem::path FromEnvironment(const std::string& name) const override {
        const auto it = variables.find(name);
        return it != variables.end() ? it->second : std::filesystem::path();
    }
    [[nodiscard]] std::filesystem::path RoamingAppData() const override { return roaming; }

    std::map<std::string, std::filesystem::path> variables;
    std::filesystem::path roaming;
};

} // namespace morvane::platform
