#include "core/storage/AppPaths.h"

#include "platform/UserFolders.h"

#include <system_error>

namespace morvane {

std::filesystem::path DefaultAppDataFolder(const platform::UserFolders& host) {
    if (std::filesystem::path appData = host.FromEnvironment("APPDATA"); !appData.empty()) {
        return appData;
    }
    if (std::filesystem::path roaming = host.RoamingAppData(); !roaming.empty()) {
        return roaming;
    }
    if (const std::filesystem::path config = host.FromEnvironment("XDG_CONFIG_HOME");
        !config.empty()) {
        return config / "morvane";
    }
    if (const std::filesystem::path home = host.FromEnvironment("HOME"); !home.empty()) {
        return home / ".config" / "morvane";
    }
    return std::filesystem::path(".morvane");
}

bool EnsureFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return std::filesystem::is_directory(folder, ec);
}

} // namespace morvane
