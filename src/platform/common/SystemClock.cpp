#include "platform/common/SystemClock.h"

#include <ctime>

namespace morvane::platform {

DateTime SystemClock::Now() const {
    const std::time_t t = std::time(nullptr);
    // Everything runs on the user-interface thread, so the shared buffer of localtime is safe.
    const std::tm* tm = std::localtime(&t);
    if (tm == nullptr) {
        return DateTime{};
    }
    return DateTime{tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_mday,
                    tm->tm_hour,        tm->tm_min,     tm->tm_sec > 59 ? 59 : tm->tm_sec};
}

} // namespace morvane::platform
