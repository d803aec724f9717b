#pragma once

#include <compare>

namespace morvane {

/// Which comes first in a slash or dash date whose year is last (12/7/2026): the host locale's
/// short-date order, answered by the platform layer.
enum class DateOrder { MonthFirst, DayFirst };

/// A local calendar date and time at one-second resolution. Always a valid moment when it comes
/// from the core's date functions.
struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    // clang-tidy before 18 takes the 0 that < compares the result with for a null pointer.
    auto operator<=>(const DateTime&) const = default; // NOLINT(modernize-use-nullptr)
};

} // namespace morvane
