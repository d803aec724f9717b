#pragma once

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

    bool operator==(const DateTime&) const = default;
    // Year first, then on down to the second. Written out: a defaulted <=> needs <compare>,
    // which Qt's moc cannot read at the top of a header it scans.
    friend constexpr bool operator<(const DateTime& a, const DateTime& b) {
        if (a.year != b.year) {
            return a.year < b.year;
        }
        if (a.month != b.month) {
            return a.month < b.month;
        }
        if (a.day != b.day) {
            return a.day < b.day;
        }
        if (a.hour != b.hour) {
            return a.hour < b.hour;
        }
        if (a.minute != b.minute) {
            return a.minute < b.minute;
        }
        return a.second < b.second;
    }
    friend constexpr bool operator>(const DateTime& a, const DateTime& b) { return b < a; }
    friend constexpr bool operator<=(const DateTime& a, const DateTime& b) { return !(b < a); }
    friend constexpr bool operator>=(const DateTime& a, const DateTime& b) { return !(a < b); }
};

} // namespace morvane
