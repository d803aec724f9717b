#include "core/extras/Preferences.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

namespace {

constexpr std::string_view kWarn = "warn-before-acting";
constexpr std::string_view kLead = "warn-lead-seconds";
constexpr std::string_view kPowerSoon = "notify-power-soon";
constexpr std::string_view kFailures = "notify-failures";
constexpr std::string_view kTray = "keep-in-tray";
constexpr std::string_view kSound = "sound-with-warning";
constexpr std::string_view kFullScreen = "full-screen-last-minute";
// Older versions count this line as one they skip, log it, and go on.
constexpr std::string_view kGently = "close-gently";

bool ReadFlag(std::string_view value, bool& out) {
    if (value == "0" || value == "1") {
        out = value == "1";
        return true;
    }
    return false;
}

bool ReadLead(std::string_view value, int& out) {
    int n = 0;
    const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (value.empty() || ec != std::errc() || ptr != value.data() + value.size()) {
        return false;
    }
    out = std::clamp(n, Preferences::kMinLead, Preferences::kMaxLead);
    return true;
}

bool ReadLine(std::string_view line, Preferences& prefs) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return false;
    }
    const std::string_view key = line.substr(0, eq);
    const std::string_view value = line.substr(eq + 1);
    if (key == kWarn) {
        return ReadFlag(value, prefs.warnBeforeActing);
    }
    if (key == kLead) {
        return ReadLead(value, prefs.warnLeadSeconds);
    }
    if (key == kPowerSoon) {
        return ReadFlag(value, prefs.notifyPowerSoon);
    }
    if (key == kFailures) {
        return ReadFlag(value, prefs.notifyFailures);
    }
    if (key == kTray) {
        return ReadFlag(value, prefs.keepInTray);
    }
    if (key == kSound) {
        return ReadFlag(value, prefs.soundWithWarning);
    }
    if (key == kFullScreen) {
        return ReadFlag(value, prefs.fullScreenLastMinute);
    }
    if (key == kGently) {
        return ReadFlag(value, prefs.closeGently);
    }
    return false;
}

std::string Line(std::string_view key, int value) {
    return std::string(key) + "=" + std::to_string(value);
}

} // namespace

Preferences ReadPreferences(const std::filesystem::path& path, int* skipped) {
    Preferences prefs;
    int bad = 0;
    if (const auto lines = ReadTextLines(path)) {
        for (const std::string& line : *lines) {
            // Blank lines are left by hand editing; they are not worth a count.
            if (!line.empty() && !ReadLine(line, prefs)) {
                ++bad;
            }
        }
    }
    if (skipped != nullptr) {
        *skipped = bad;
    }
    return prefs;
}

WriteResult WritePreferences(const std::filesystem::path& path, const Preferences& prefs,
                             platform::FileSync* sync) {
    const std::vector<std::string> lines = {
        Line(kWarn, prefs.warnBeforeActing ? 1 : 0),
        Line(kLead,
             std::clamp(prefs.warnLeadSeconds, Preferences::kMinLead, Preferences::kMaxLead)),
        Line(kPowerSoon, prefs.notifyPowerSoon ? 1 : 0),
        Line(kFailures, prefs.notifyFailures ? 1 : 0),
        Line(kTray, prefs.keepInTray ? 1 : 0),
        Line(kSound, prefs.soundWithWarning ? 1 : 0),
        Line(kFullScreen, prefs.fullScreenLastMinute ? 1 : 0),
        Line(kGently, prefs.closeGently ? 1 : 0),
    };
    return WriteTextLinesAtomic(path, lines, TextCodec::Default(), sync);
}

} // namespace morvane
