#pragma once

#include "platform/SystemLocale.h"

namespace morvane::platform {

/// A locale whose short-date order the test chooses.
class FakeSystemLocale final : public SystemLocale {
public:
    [[nodiscard]] DateOrder ShortDateOrder() const override { return order; }
    DateOrder order = DateOrder::DayFirst;
};

} // namespace morvane::platform
