#include "core/storage/TaskFile.h"

#include "core/tasks/TaskList.h"

namespace morvane {

WriteResult WriteTaskFile(const std::filesystem::path& path, const TaskList& tasks,
                          const TextCodec& codec, platform::FileSync* sync) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(tasks.Count()));
    for (int row = 1; row <= tasks.Count(); ++row) {
        // A task that finished in a pass the program ends in is not kept to run again.
        if (!tasks.IsRemoved(row)) {
            lines.push_back(JoinTaskLine(tasks.At(row)));
        }
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

std::vector<Task> ReadTaskFileTasks(const std::filesystem::path& path, const DateTime& now,
                                    TaskFileCount& count, const TextCodec& codec) {
    count = {};
    std::vector<Task> read;
    const auto lines = ReadTextLines(path, codec);
    if (!lines) {
        return read;
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
        RearmCountdown(task, now);
        read.push_back(std::move(task));
    }
    count.added = static_cast<int>(read.size());
    return read;
}

TaskFileCount ReadTaskFile(const std::filesystem::path& path, TaskList& tasks, const DateTime& now,
                           const TextCodec& codec) {
    TaskFileCount count;
    // One change for the whole file: a view follows a long list at once, not row by row.
    tasks.AppendAll(ReadTaskFileTasks(path, now, count, codec));
    return count;
}

void RearmCountdown(Task& task, const DateTime& now) {
    const std::string& type = task.type;
    std::string_view period;
    if (StartsWith(type, texts::kCloseAfter)) {
        period = std::string_view(type).substr(texts::kCloseAfter.size());
    } else if (StartsWith(type, texts::kRunAfter)) {
        period = std::string_view(type).substr(texts::kRunAfter.size());
    } else {
        return;
    }
    if (const auto due = AddPeriod(now, period)) {
        task.closeTime = FormatCanonical(*due);
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
