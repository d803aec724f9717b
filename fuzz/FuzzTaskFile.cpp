// A task file as Load and the kept list read it, with the due check the scheduler makes on
// each row.
#include "MemoryFile.h"
#include "Require.h"
#include "core/storage/TaskFile.h"
#include "core/tasks/DateTime.h"
#include "core/tasks/TaskList.h"

#include <cstddef>
#include <cstdint>

using morvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static morvane::fuzz::MemoryFile file;
    static const morvane::DateTime now = *morvane::MakeDateTime(2026, 3, 29, 1, 30, 0);
    morvane::TaskList tasks;
    const morvane::TaskFileCount count = morvane::ReadTaskFile(file.Hold(data, size), tasks, now);
    Require(count.added == tasks.Count(), "the count read is the count of rows added");
    Require(count.skipped >= 0, "a count of skipped lines is never negative");
    for (int row = 1; row <= tasks.Count(); ++row) {
        const morvane::Task& task = tasks.At(row);
        Require(morvane::IsTaskType(task.type), "only lines that are tasks are loaded");
        for (const morvane::DateOrder order :
             {morvane::DateOrder::MonthFirst, morvane::DateOrder::DayFirst}) {
            static_cast<void>(morvane::IsDue(task.closeTime, now, order));
        }
    }
    return 0;
}
