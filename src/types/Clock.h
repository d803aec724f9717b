#pragma once

#include "types/DateTime.h"

namespace morvane {

/// Local wall-clock time. Tests replace it; the timers only ask it for "now".
class Clock {
public:
    Clock() = default;
    virtual ~Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;

    /// The current local date and time.
    [[nodiscard]] virtual DateTime Now() const = 0;
};

} // namespace morvane
