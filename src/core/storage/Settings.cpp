#include "core/storage/Settings.h"

#include "core/Options.h"

#include <algorithm>

namespace morvane {

WriteResult SaveSettings(const std::filesystem::path& path, const Options& options,
                         platform::FileSync* sync) {
    std::vector<std::string> lines;
    lines.reserve(kSettingsMarks.size());
    for (Mark mark : kSettingsMarks) {
        lines.emplace_back(options.IsChecked(mark) ? "1" : "0");
    }
    return WriteTextLinesAtomic(path, lines, TextCodec::Default(), sync);
}

SettingsRead ReadSettings(const std::filesystem::path& path, Options& options) {
    const auto lines = ReadTextLines(path);
    if (!lines) {
        std::error_code ec;
        return std::filesystem::exists(path, ec) ? SettingsRead::Corrupt : SettingsRead::Missing;
    }
    // Random bytes read as "every option off" would let the unload delete the kept task list.
    if (lines->empty() || std::any_of(lines->begin(), lines->end(), [](const std::string& line) {
            return line != "0" && line != "1";
        })) {
        return SettingsRead::Corrupt;
    }
    for (std::size_t i = 0; i < kSettingsMarks.size(); ++i) {
        options.SetChecked(kSettingsMarks[i], i < lines->size() && (*lines)[i] == "1");
    }
    // No after-all-tasks action is armed at start, whatever the files say.
    for (Mark mark : kPowerMarks) {
        options.SetChecked(mark, false);
    }
    options.SetChecked(Mark::Quit, false);
    return SettingsRead::Read;
}

} // namespace morvane
