#pragma once

#include "Clock.h"

namespace morvane::platform {

/// A clock that moves only when the test moves it.
class FakeClock final : public Clock {
public:
    explicit FakeClock(DateTime start = DateTime{2026, 12, 7, 10, 0, 0}) : now(start) {}
    [[nodiscard]] DateTime Now() const override { return now; }
    void Advance(std::int64_t seconds) { now = AddSeconds(now, seconds).value_or(now); }

    DateTime now;
};

} // namespace morvane::platform
