#pragma once

#include "platform/SystemLocale.h"

#include <string_view>

namespace morvane::platform {

/// The date order of the user's LC_TIME locale, from its short date format.
class LinuxSystemLocale final : public SystemLocale {
public:
    [[nodiscard]] DateOrder ShortDateOrder() const override;

    /// The order a strftime date format (nl_langinfo(D_FMT)) puts day and month in; day first
    /// when the format does not tell, as a year-first one does not.
    [[nodiscard]] static DateOrder OrderOfFormat(std::string_view format);
};

} // namespace morvane::platform
