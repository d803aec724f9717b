// Date texts as a task's due time holds them, in both date orders, and the periods of the
// countdown task types.
#include "Require.h"
#include "core/tasks/DateTime.h"
#include "core/tasks/Task.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using morvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const morvane::DateTime now = *morvane::MakeDateTime(2026, 3, 29, 1, 30, 0);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const morvane::DateOrder order :
         {morvane::DateOrder::MonthFirst, morvane::DateOrder::DayFirst}) {
        const std::optional<morvane::DateTime> parsed = morvane::ParseDateText(text, order);
        if (!parsed) {
            continue;
        }
        const morvane::DateTime& dt = *parsed;
        Require(morvane::MakeDateTime(dt.year, dt.month, dt.day, dt.hour, dt.minute, dt.second) ==
                    parsed,
                "a date read is a moment that exists");
        Require(morvane::ParseDateText(morvane::FormatCanonical(dt), order) == parsed,
                "the canonical form reads back as the same moment");
        for (const std::string_view loop : morvane::texts::kLoops) {
            if (const auto next = morvane::NextOccurrence(dt, loop, now)) {
                Require(*next > now, "the next occurrence lies after the run");
            }
        }
    }
    if (const auto later = morvane::AddPeriod(now, text)) {
        Require(*later >= now, "a period never goes back");
    }
    return 0;
}
