#pragma once

#include "types/Clock.h"

namespace morvane::platform {

/// The host's local time through the standard C library.
class SystemClock final : public Clock {
public:
    [[nodiscard]] DateTime Now() const override;
};

} // namespace morvane::platform
