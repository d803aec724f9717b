#pragma once

#include "core/storage/TextFile.h"
#include "core/tasks/DateTime.h"

#include <filesystem>

namespace morvane {

class TaskList;

/// Writes every row as one task line (CR LF ended), atomically. An empty list gives an empty file.
WriteResult WriteTaskFile(const std::filesystem::path& path, const TaskList& tasks,
                          const TextCodec& codec = TextCodec::Default());

/// Appends the tasks of a file to the end of the list, in file order, restarting each countdown
/// from `now`. Returns the number of tasks added; a file that cannot be opened adds none.
int ReadTaskFile(const std::filesystem::path& path, TaskList& tasks, const DateTime& now,
                 const TextCodec& codec = TextCodec::Default());

/// Restarts the countdown of a countdown task ("Close - After ", "Run - After ") from `now`;
/// every other row is left alone.
void RearmCountdown(TaskList& tasks, int row, const DateTime& now);

/// Save Tasks' name rule: ".mtf" is appended unless the name already ends with it (any case).
[[nodiscard]] std::filesystem::path WithTaskFileExtension(const std::filesystem::path& chosen);

} // namespace morvane
