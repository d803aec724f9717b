#pragma once

#include "core/storage/TextFile.h"
#include "core/tasks/DateTime.h"
#include "core/tasks/Task.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace morvane {

class TaskList;

/// Writes every row as one task line (CR LF ended), atomically (see WriteTextLinesAtomic). A
/// field still reading as it was read from bytes its text does not encode to is written as
/// those bytes. An empty list gives an empty file.
WriteResult WriteTaskFile(const std::filesystem::path& path, const TaskList& tasks,
                          const TextCodec& codec = TextCodec::Default(),
                          platform::FileSync* sync = nullptr);

/// What reading a task file came to.
struct TaskFileCount {
    int added = 0;   ///< Tasks appended to the list.
    int skipped = 0; ///< Lines left out because they are not tasks (see IsTaskType).

    bool operator==(const TaskFileCount&) const = default;
};

/// Whether `type` is one of the type texts Morvane writes: "Close - Normal", "Run - Normal", a
/// countdown or no-mouse-movement prefix followed by its period, or a whole text of a task that
/// waits for a program or for quiet. Anything else is not a task:
/// the scheduler would take it for a run task that is due at once.
[[nodiscard]] bool IsTaskType(std::string_view type);

/// The tasks of a file, in file order, each countdown restarted from `now`. Lines end as
/// ForEachLine says and are decoded one by one; a field whose text would not be written back
/// as the bytes it came from keeps them (Task::readFrom). Lines whose type is not a task's, and
/// lines far too long to be tasks, are skipped and counted in `count`; blank lines are passed
/// over. A file that cannot be opened gives none.
[[nodiscard]] std::vector<Task> ReadTaskFileTasks(const std::filesystem::path& path,
                                                  const DateTime& now, TaskFileCount& count,
                                                  const TextCodec& codec = TextCodec::Default());

/// Appends the tasks of a file to the end of the list, in file order, restarting each countdown
/// from `now`. Lines whose type is not a task's are skipped and counted; blank lines are passed
/// over. A file that cannot be opened adds none.
TaskFileCount ReadTaskFile(const std::filesystem::path& path, TaskList& tasks, const DateTime& now,
                           const TextCodec& codec = TextCodec::Default());

/// Restarts the countdown of a countdown task ("Close - After ", "Run - After ") from `now`;
/// every other task is left alone.
void RearmCountdown(Task& task, const DateTime& now);

/// Save Tasks' name rule: ".mtf" is appended unless the name already ends with it (any case).
[[nodiscard]] std::filesystem::path WithTaskFileExtension(const std::filesystem::path& chosen);

} // namespace morvane
