#pragma once

#include "types/DateTime.h"

namespace morvane::platform {

/// The host's regional settings, as far as the core needs them.
class SystemLocale {
public:
    SystemLocale() = default;
    virtual ~SystemLocale() = default;
    SystemLocale(const SystemLocale&) = delete;
    SystemLocale& operator=(const SystemLocale&) = delete;

    /// Day/month order of the short date form, used to read dates written by other programs.
    [[nodiscard]] virtual DateOrder ShortDateOrder() const = 0;
};

} // namespace morvane::platform
