#include "TestSupport.h"
#include "platform/linux/LinuxSystemLocale.h"

#include <gtest/gtest.h>

namespace morvane::platform {
namespace {

TEST(LinuxSystemLocale, ReadsTheOrderFromTheShortDateFormat) {
    const std::pair<const char*, DateOrder> cases[] = {
        {"%m/%d/%Y", DateOrder::MonthFirst},                                    // en_US
        {"%m/%d/%y", DateOrder::MonthFirst},                                    // C
        {"%D", DateOrder::MonthFirst},       {"%d/%m/%Y", DateOrder::DayFirst}, // en_GB, fr_FR
        {"%d.%m.%Y", DateOrder::DayFirst},                                      // de_DE, pl_PL
        {"%e.%-m.%Y", DateOrder::DayFirst},  {"%-m/%-d/%y", DateOrder::MonthFirst},
        {"%Y-%m-%d", DateOrder::DayFirst}, // sv_SE: year first says nothing, day first
        {"%F", DateOrder::DayFirst},         {"%Od/%Om/%Y", DateOrder::DayFirst},
        {"%Y", DateOrder::DayFirst}, // says nothing: day first
        {"", DateOrder::DayFirst},           {"%", DateOrder::DayFirst},
        {"%%m %d", DateOrder::DayFirst}, // a literal "%m" is not the month
    };
    for (const auto& [format, order] : cases) {
        EXPECT_EQ(LinuxSystemLocale::OrderOfFormat(format), order) << format;
    }
}

TEST(LinuxSystemLocale, FollowsTheUsersTimeLocale) {
    LinuxSystemLocale locale;
    {
        test::ScopedEnv all("LC_ALL", "C");
        EXPECT_EQ(locale.ShortDateOrder(), DateOrder::MonthFirst);
    }
    {
        // A locale this machine does not have: unsure, so day first.
        test::ScopedEnv all("LC_ALL", "xx_NOWHERE.UTF-8");
        EXPECT_EQ(locale.ShortDateOrder(), DateOrder::DayFirst);
    }
}

} // namespace
} // namespace morvane::platform
