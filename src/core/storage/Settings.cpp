#include "core/storage/Settings.h"

#include "core/Options.h"

namespace morvane {

WriteResult SaveSettings(const std::filesystem::path& path, const Options& options) {
    std::vector<std::string> lines;
    lines.reserve(kSettingsMarks.size());
    for (Mark mark : kSettingsMarks) {
        lines.emplace_back(options.IsChecked(mark) ? "1" : "0");
    }
    return WriteTextLinesAtomic(path, lines);
}

void ReadSettings(const std::filesystem::path& path, Options& options) {
    const auto lines = ReadTextLines(path);
    if (!lines) {
        return;
    }
    for (std::size_t i = 0; i < kSettingsMarks.size(); ++i) {
        options.SetChecked(kSettingsMarks[i], i < lines->size() && (*lines)[i] == "1");
    }
    for (Mark mark :
         {Mark::Shut, Mark::Reboot, Mark::Logoff, Mark::Hibernate, Mark::Screen, Mark::Quit}) {
        options.SetChecked(mark, false);
    }
}

} // namespace morvane
