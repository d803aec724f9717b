#pragma once

#include "core/storage/TextFile.h"

#include <filesystem>

namespace morvane {

/// The options that are not among the eight settings marks. They live in a file of their own,
/// so the settings file stays as every version reads it. Each one is off where it would change
/// what the program does without them.
struct Preferences {
    /// Shows a notice with a countdown before a power action or a forced close.
    bool warnBeforeActing = false;
    /// How long that notice waits, in seconds (kept within [kMinLead, kMaxLead]).
    int warnLeadSeconds = 60;
    /// Desktop notifications five minutes and one minute before a power action.
    bool notifyPowerSoon = false;
    /// Desktop notifications when a run task could not start or a close task found nothing.
    bool notifyFailures = true;
    /// Closing the main window hides it in the tray instead of quitting.
    bool keepInTray = false;
    /// A sound when the warning appears: the desktop's warning sound, else the system beep.
    bool soundWithWarning = false;
    /// In a power action's last minute, the warning's countdown fills the screen.
    bool fullScreenLastMinute = false;
    /// New close tasks ask their program to close first and force it after a grace.
    bool closeGently = false;

    static constexpr int kMinLead = 5;
    static constexpr int kMaxLead = 3600;

    bool operator==(const Preferences&) const = default;
};

/// Reads the preferences file ("key=value" lines). A missing file gives the defaults; an
/// unknown key, a bad value or a line that is not "key=value" leaves that option at its
/// default and is counted in `*skipped`, never failing the rest.
[[nodiscard]] Preferences ReadPreferences(const std::filesystem::path& path,
                                          int* skipped = nullptr);

/// Writes every option, atomically and durably.
WriteResult WritePreferences(const std::filesystem::path& path, const Preferences& prefs,
                             platform::FileSync* sync = nullptr);

} // namespace morvane
