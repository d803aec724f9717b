#include "core/storage/TaskFile.h"

#include "core/tasks/TaskList.h"

namespace morvane {

WriteResult WriteTaskFile(const std::filesystem::path& path, const TaskList& tasks,
                          const TextCodec& codec, platform::FileSync* sync) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(tasks.Count()));
    for (const Task& task : tasks.Rows()) {
        lines.push_back(JoinTaskLine(task));
    }
    return WriteTextLinesAtomic(path, lines, codec, sync);
}

bool IsTaskType(std::string_view type) {
    if (type == texts::kCloseNormal || type == texts::kRunNormal) {
        return true;
    }
    for (std::string_view prefix :
         {texts::kCloseAfter, texts::kRunAfter, texts::kCloseIdle, texts::kRunIdle}) {
        if (StartsWith(type, prefix)) {
            return true;
        }
    }
    return false;
}

TaskFileCount ReadTaskFile(const std::filesystem::path& path, TaskList& tasks, const DateTime& now,
                           const TextCodec& codec) {
    TaskFileCount count;
    const auto lines = ReadTextLines(path, codec);
    if (!lines) {
        return count;
    }
    for (const std::string& line : *lines) {
        if (line.empty()) {
            continue;
        }
        Task task = SplitTaskLine(line);
        if (!IsTaskType(task.type)) {
            ++count.skipped;
            continue;
        }
        const int row = tasks.Append(std::move(task));
        RearmCountdown(tasks, row, now);
        ++count.added;
    }
    return count;
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
