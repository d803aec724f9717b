#include "core/storage/AppPaths.h"

#include <cstdlib>
#include <system_error>

namespace morvane {

namespace {
const char* NonEmptyEnv(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}
} // namespace

std::filesystem::path DefaultAppDataFolder() {
    if (const char* appData = NonEmptyEnv("APPDATA")) {
        return appData;
    }
    if (const char* config = NonEmptyEnv("XDG_CONFIG_HOME")) {
        return std::filesystem::path(config) / "morvane";
    }
    if (const char* home = NonEmptyEnv("HOME")) {
        return std::filesystem::path(home) / ".config" / "morvane";
    }
    return std::filesystem::path(".morvane");
}

bool EnsureFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return std::filesystem::is_directory(folder, ec);
}

} // namespace morvane
