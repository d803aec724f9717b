#include "core/extras/Preferences.h"

namespace morvane {

Preferences ReadPreferences(const std::filesystem::path& path, int* skipped) {
    (void)path;
    if (skipped != nullptr) {
        *skipped = 0;
    }
    return {};
}

WriteResult WritePreferences(const std::filesystem::path& path, const Preferences& prefs,
                             platform::FileSync* sync) {
    (void)path;
    (void)prefs;
    (void)sync;
    return {};
}

} // namespace morvane
