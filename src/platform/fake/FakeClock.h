#pragma once

#include "types/Clock.h"

#include <chrono>
#include <cstdint>

namespace morvane::platform {

/// A clock that moves only when the test moves it.
class FakeClock final : public Clock {
public:
    explicit FakeClock(DateTime start = DateTime{2026, 12, 7, 10, 0, 0}) : now(start) {}
    [[nodiscard]] DateTime Now() const override { return now; }

    /// Moves the clock by whole seconds, across days, months and years.
    void Advance(std::int64_t seconds) {
        using namespace std::chrono;
        const sys_seconds at = sys_days{year{now.year} / month{static_cast<unsigned>(now.month)} /
                                        day{static_cast<unsigned>(now.day)}} +
                               hours{now.hour} + minutes{now.minute} +
                               std::chrono::seconds{now.second + seconds};
        const sys_days date = floor<days>(at);
        const year_month_day ymd{date};
        const hh_mm_ss<std::chrono::seconds> time{at - date};
        now = DateTime{int(ymd.year()),
                       static_cast<int>(unsigned(ymd.month())),
                       static_cast<int>(unsigned(ymd.day())),
                       static_cast<int>(time.hours().count()),
                       static_cast<int>(time.minutes().count()),
                       static_cast<int>(time.seconds().count())};
    }

    DateTime now;
};

} // namespace morvane::platform
