#pragma once

#include "platform/UserFolders.h"

namespace morvane::platform {

/// The user's folders read wide: the environment through GetEnvironmentVariableW (the C
/// library's getenv would hand them over in the ANSI code page), the roaming application-data
/// folder through SHGetKnownFolderPath.
class WindowsUserFolders final : public UserFolders {
public:
    [[nodiscard]] std::filesystem::path FromEnvironment(const std::string& name) const override;
    [[nodiscard]] std::filesystem::path RoamingAppData() const override;
};

} // namespace morvane::platform
