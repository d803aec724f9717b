#pragma once

#include <filesystem>
#include <string>

namespace morvane {

namespace platform {
class UserFolders;
} // namespace platform

/// Where Morvane's files live.
struct AppPaths {
    /// The folder of our executable: language files and the skin.
    std::filesystem::path programFolder;
    /// The per-user folder of the kept task list, the settings and the language markers.
    std::filesystem::path appDataFolder;
    /// Our executable's file name without extension: the start-at-logon registration's name.
    std::string executableName;
    /// Where the language files are when they are not beside the executable (an installed
    /// share/morvane); empty means the program folder.
    std::filesystem::path dataFolder{};

    [[nodiscard]] std::filesystem::path KeptTaskList() const {
        return appDataFolder / "default.mtf";
    }
    [[nodiscard]] std::filesystem::path SettingsFile() const {
        return appDataFolder / "mvsetting.ini";
    }
    /// The options that are not among the eight settings marks.
    [[nodiscard]] std::filesystem::path PreferencesFile() const {
        return appDataFolder / "preferences.ini";
    }
    /// The history of what ran, beside the kept task list.
    [[nodiscard]] std::filesystem::path HistoryFile() const {
        return appDataFolder / "history.log";
    }
    [[nodiscard]] std::filesystem::path FrenchMarker() const { return appDataFolder / "mvfr.dat"; }
    [[nodiscard]] std::filesystem::path PolishMarker() const { return appDataFolder / "mvpl.dat"; }
    [[nodiscard]] std::filesystem::path LanguageFile(const char* name) const {
        return (dataFolder.empty() ? programFolder : dataFolder) / name;
    }
};

/// `APPDATA` when set; else the host's roaming application-data folder (Windows); else
/// `$XDG_CONFIG_HOME/morvane`, else `~/.config/morvane`. Every folder comes from `host` as the
/// host names it, never through narrow text.
[[nodiscard]] std::filesystem::path DefaultAppDataFolder(const platform::UserFolders& host);

/// Creates the folder (and its parents) before a first write; false when it cannot.
bool EnsureFolder(const std::filesystem::path& folder);

} // namespace morvane
