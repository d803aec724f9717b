#pragma once

#include "platform/SystemLocale.h"

#include <string_view>

namespace morvane::platform {

/// The user's short date form (LOCALE_SSHORTDATE).
class WindowsSystemLocale final : public SystemLocale {
public:
    [[nodiscard]] DateOrder ShortDateOrder() const override;

    /// The order a short date picture such as "dd/MM/yyyy" gives: the day or the month,
    /// whichever comes first outside quoted text; day first when the year leads or nothing is
    /// found.
    [[nodiscard]] static DateOrder OrderOfFormat(std::wstring_view picture);
};

} // namespace morvane::platform
