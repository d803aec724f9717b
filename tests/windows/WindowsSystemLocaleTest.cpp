#include "platform/windows/WindowsSystemLocale.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace morvane::platform {
namespace {

TEST(WindowsSystemLocale, TheShortDatePictureGivesTheOrderOfDayAndMonth) {
    const struct {
        const wchar_t* picture;
        DateOrder order;
    } cases[] = {
        {L"dd/MM/yyyy", DateOrder::DayFirst},
        {L"M/d/yyyy", DateOrder::MonthFirst},
        {L"yyyy-MM-dd", DateOrder::DayFirst},    // the year first says nothing
        {L"'Mois' d.M.yy", DateOrder::DayFirst}, // quoted text is not a picture letter
        {L"", DateOrder::DayFirst},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WindowsSystemLocale::OrderOfFormat(c.picture), c.order);
    }
    // The user's own setting through GetLocaleInfoEx: Wine's default user is American.
    std::array<wchar_t, 128> picture{};
    ASSERT_GT(GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, picture.data(),
                              static_cast<int>(picture.size())),
              0);
    if (std::wstring(picture.data()) == L"M/d/yyyy") {
        EXPECT_EQ(WindowsSystemLocale().ShortDateOrder(), DateOrder::MonthFirst);
    }
}

} // namespace
} // namespace morvane::platform
