#include "platform/windows/WindowsSystemLocale.h"

#include <windows.h>

#include <array>

namespace morvane::platform {

DateOrder WindowsSystemLocale::OrderOfFormat(std::wstring_view picture) {
    bool quoted = false;
    for (const wchar_t c : picture) {
        if (c == L'\'') {
            quoted = !quoted;
        } else if (!quoted && c == L'd') {
            return DateOrder::DayFirst;
        } else if (!quoted && c == L'M') {
            return DateOrder::MonthFirst;
        } else if (!quoted && c == L'y') {
            // A year-first form says nothing about dates written with the year last.
            return DateOrder::DayFirst;
        }
    }
    return DateOrder::DayFirst;
}

DateOrder WindowsSystemLocale::ShortDateOrder() const {
    std::array<wchar_t, 128> picture{}; // the system allows 80 characters
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, picture.data(),
                                       static_cast<int>(picture.size()));
    if (length <= 0) {
        return DateOrder::DayFirst;
    }
    return OrderOfFormat(std::wstring_view(picture.data(), static_cast<std::size_t>(length - 1)));
}

} // namespace morvane::platform
