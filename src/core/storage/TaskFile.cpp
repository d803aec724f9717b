#include "core/storage/TaskFile.h"

#include "core/tasks/TaskPlan.h"

#include "core/tasks/TaskList.h"
#include "types/PathText.h"

#include <algorithm>
#include <optional>
#include <string>

namespace morvane {

namespace {

// Far longer than any path or command line a task holds: such a line is not decoded at all.
constexpr std::size_t kLongestTaskLine = std::size_t{1} << 20;

// A field whose text does not encode back to the bytes it was read from keeps those bytes, so
// a name in another encoding is written back as it was, not as the text it was read as.
void KeepBytesReadFrom(Task& task, std::string_view line, const TextCodec& codec) {
    const Task bytes = SplitTaskLine(line);
    for (int f = 1; f <= kFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        if (codec.Encode(task.Get(field)) != bytes.Get(field)) {
            task.readFrom.push_back({field, task.Get(field), bytes.Get(field)});
        }
    }
}

// nullopt when a field cannot be encoded at all.
std::optional<std::string> TaskLineBytes(const Task& task, const TextCodec& codec) {
    if (task.readFrom.empty()) {
        return codec.Encode(JoinTaskLine(task));
    }
    std::string line;
    for (int f = 1; f <= kFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        if (f > 1) {
            line.push_back('\t');
        }
        if (const std::string* bytes = task.BytesReadFor(field)) {
            line += *bytes;
        } else if (const std::optional<std::string> encoded =
                       codec.Encode(TaskLineField(task.Get(field)))) {
            line += *encoded;
        } else {
            return std::nullopt;
        }
    }
    return line;
}

} // namespace

WriteResult WriteTaskFile(const std::filesystem::path& path, const TaskList& tasks,
                          const TextCodec& codec, platform::FileSync* sync) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(tasks.Count()));
    for (int row = 1; row <= tasks.Count(); ++row) {
        // A task that finished in a pass the program ends in is not kept to run again.
        if (tasks.IsRemoved(row)) {
            continue;
        }
        // Nothing is written rather than a task lost: the old file stays as it was.
        std::optional<std::string> line = TaskLineBytes(tasks.At(row), codec);
        if (!line) {
            return {"cannot encode task " + std::to_string(row) + " of " + Utf8FromPath(path) +
                    " in the system's code page"};
        }
        lines.push_back(std::move(*line));
    }
    return WriteByteLinesAtomic(path, lines, sync);
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
    // A waiting task only when the rest of its text reads too: else a fixed-time task would
    // act at whatever time its line holds.
    Task waiting;
    waiting.type = type;
    return ParseTask(waiting, DateOrder::DayFirst).Watches();
}

std::vector<Task> ReadTaskFileTasks(const std::filesystem::path& path, const DateTime& now,
                                    TaskFileCount& count, const TextCodec& codec) {
    count = {};
    std::vector<Task> read;
    bool any = false;
    const bool whole =
        ForEachLine(path, kLongestTaskLine, [&](std::string_view bytes, bool tooLong) {
            any = true;
            if (tooLong) {
                ++count.skipped;
                return;
            }
            if (bytes.empty()) {
                return;
            }
            const std::string text = codec.Decode(bytes);
            Task task = SplitTaskLine(text);
            if (!IsTaskType(task.type)) {
                ++count.skipped;
                return;
            }
            // Fields are cut at the same TABs only when decoding kept every TAB a TAB.
            if (codec.Encode(text) != bytes && std::count(text.begin(), text.end(), '\t') ==
                                                   std::count(bytes.begin(), bytes.end(), '\t')) {
                KeepBytesReadFrom(task, bytes, codec);
            }
            RearmCountdown(task, now);
            read.push_back(std::move(task));
        });
    // A read that failed half way left lines unread: they count as lines not read as tasks.
    if (!whole && any) {
        ++count.skipped;
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
    // Added to the path itself: the name never goes through narrow text and back.
    const std::string name = Utf8FromPath(chosen);
    if (name.size() >= 4 &&
        EqualsIgnoreCase(std::string_view(name).substr(name.size() - 4), ".mtf")) {
        return chosen;
    }
    std::filesystem::path withExtension = chosen;
    withExtension += ".mtf";
    return withExtension;
}

} // namespace morvane
