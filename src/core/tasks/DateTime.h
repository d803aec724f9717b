#pragma once

#include "types/DateTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvane {

inline constexpr int kMinYear = 100;
inline constexpr int kMaxYear = 9999;

/// A complete, existing calendar moment (2026/02/31 is not one), within years 100 to 9999.
[[nodiscard]] std::optional<DateTime> MakeDateTime(int year, int month, int day, int hour = 0,
                                                   int minute = 0, int second = 0);

/// Reads a date text: the canonical "YYYY/MM/DD HH:MM:SS" and the general forms a task file may
/// hold (year first with '/', '-' or '.'; year last with '/' or '-' in the locale's order; year
/// last with '.' day first; 12- or 24-hour time with optional seconds; a date alone is midnight).
[[nodiscard]] std::optional<DateTime> ParseDateText(std::string_view text, DateOrder order);

/// "YYYY/MM/DD HH:MM:SS" on the 24-hour clock: the only form Morvane writes.
[[nodiscard]] std::string FormatCanonical(const DateTime& dt);

/// The fourteen digits YYYYMMDDHHMMSS read as a number: the due comparison's scale.
[[nodiscard]] constexpr std::int64_t DueNumber(const DateTime& dt) {
    return ((((std::int64_t{dt.year} * 100 + dt.month) * 100 + dt.day) * 100 + dt.hour) * 100 +
            dt.minute) *
               100 +
           dt.second;
}

/// A row is due when now >= its due moment; a text that is not a date counts as due.
[[nodiscard]] bool IsDue(std::string_view closeTime, const DateTime& now, DateOrder order);

/// Seconds from `from` to `to`, negative when `to` comes first.
[[nodiscard]] std::int64_t SecondsBetween(const DateTime& from, const DateTime& to);

/// Calendar arithmetic; nullopt when the result leaves years 100 to 9999.
[[nodiscard]] std::optional<DateTime> AddSeconds(const DateTime& dt, std::int64_t seconds);
/// Adds whole months, clamping the day to the target month's last day (Jan 31 + 1 = Feb 28/29).
[[nodiscard]] std::optional<DateTime> AddMonths(const DateTime& dt, std::int64_t months);

/// Adds a "D-H-M-S" period (days, hours, minutes, seconds, in that order). A missing part or one
/// that is not a number adds nothing; parts after the fourth are ignored.
[[nodiscard]] std::optional<DateTime> AddPeriod(const DateTime& dt, std::string_view period);
/// A "D-H-M-S" period in seconds, as AddPeriod counts it; 0 when it leaves the calendar.
[[nodiscard]] std::int64_t PeriodSeconds(std::string_view period);

/// The next due moment of a repeating task: `due` plus one step of `loop` ("Every Month", ...),
/// repeated until it lies after `ranAt`, so missed occurrences are skipped rather than replayed.
/// nullopt for a loop text that is not one of the four steps.
[[nodiscard]] std::optional<DateTime> NextOccurrence(const DateTime& due, std::string_view loop,
                                                     const DateTime& ranAt);

} // namespace morvane
