#pragma once

#include "platform/UserFolders.h"

namespace morvane::platform {

/// The user's folders from the process's environment, where names are bytes (Linux): the
/// variables' bytes as they are, and no roaming application-data folder.
class EnvironmentUserFolders final : public UserFolders {
public:
    [[nodiscard]] std::filesystem::path FromEnvironment(const std::string& name) const override;
    [[nodiscard]] std::filesystem::path RoamingAppData() const override { return {}; }
};

} // namespace morvane::platform
