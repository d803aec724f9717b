#include "platform/linux/LinuxSystemLocale.h"

#include <langinfo.h>
#include <locale.h> // NOLINT(modernize-deprecated-headers): POSIX newlocale lives here
#include <memory>
#include <type_traits>

namespace morvane::platform {

namespace {

struct LocaleFree {
    void operator()(locale_t locale) const { freelocale(locale); }
};
using UniqueLocale = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleFree>;

} // namespace

DateOrder LinuxSystemLocale::OrderOfFormat(std::string_view format) {
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            continue;
        }
        // Skip the flags, width and E/O modifiers glibc allows between % and the conversion.
        std::size_t j = i + 1;
        while (j < format.size() &&
               std::string_view("-_0^#123456789EO").find(format[j]) != std::string_view::npos) {
            ++j;
        }
        if (j >= format.size()) {
            break;
        }
        switch (format[j]) {
        case 'd':
        case 'e':
            return DateOrder::DayFirst;
        case 'm':
        case 'D': // %m/%d/%y
            return DateOrder::MonthFirst;
        case 'Y':
        case 'y':
        case 'F': // %Y-%m-%d
            // A year-first form says nothing about dates written with the year last.
            return DateOrder::DayFirst;
        default:
            break;
        }
        i = j;
    }
    return DateOrder::DayFirst;
}

DateOrder LinuxSystemLocale::ShortDateOrder() const {
    // A private locale object: the process-wide locale is the toolkit's to set.
    const UniqueLocale userTime(newlocale(LC_TIME_MASK, "", nullptr));
    if (userTime == nullptr) {
        return DateOrder::DayFirst;
    }
    return OrderOfFormat(nl_langinfo_l(D_FMT, userTime.get()));
}

} // namespace morvane::platform
