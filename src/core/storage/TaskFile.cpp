#include "core/storage/TaskFile.h"

#include "core/tasks/TaskList.h"

namespace morvane {

WriteResult WriteTaskFile(const std::filesystem::path& path, const TaskList& tasks,
                          const TextCodec& codec) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(tasks.Count()));
    for (const Task& task : tasks.Rows()) {
        lines.push_back(JoinTaskLine(task));
    }
    return WriteTextLinesAtomic(path, lines, codec);
}

int ReadTaskFile(const std::filesystem::path& path, TaskList& tasks, const DateTime& now,
                 const TextCodec& codec) {
    const auto lines = ReadTextLines(path, codec);
    if (!lines) {
        return 0;
    }
    for (const std::string& line : *lines) {
        const int row = tasks.Append(SplitTaskLine(line));
        RearmCountdown(tasks, row, now);
    }
    return static_cast<int>(lines->size());
}

void RearmCountdown(TaskList& tasks, int row, const DateTime& now) {
    const std::string& type = tasks.FieldOf(row, Field::Type);
    std::string_view period;
    if (StartsWith(type, texts::kCloseAfter)) {
        period = std::string_view(type).substr(texts::kCloseAfter.size());
    } else if (StartsWith(type, texts::kRunAfter)) {
        period = std::string_view(type).substr(texts::kRunAfter.size());
    } else {
        return;
    }
    if (const auto due = AddPeriod(now, period)) {
        tasks.SetField(row, Field::CloseTime, FormatCanonical(*due));
    }
}

std::filesystem::path WithTaskFileExtension(const std::filesystem::path& chosen) {
    const std::string name = chosen.string();
    if (name.size() >= 4 &&
        EqualsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".mtf")) {
        return chosen;
    }
    return std::filesystem::path(name + ".mtf");
}

} // namespace morvane
