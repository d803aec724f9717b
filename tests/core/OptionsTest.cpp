#include "core/Options.h"

#include <gtest/gtest.h>

#include <vector>

using namespace morvane;

TEST(Options, PowerMarksAreExclusiveAndQuitIsIndependent) {
    Options o;
    o.Toggle(Mark::Quit);
    o.TogglePowerMark(Mark::Shut);
    o.TogglePowerMark(Mark::Suspend);
    o.TogglePowerMark(Mark::Reboot);
    EXPECT_FALSE(o.IsChecked(Mark::Shut));
    EXPECT_FALSE(o.IsChecked(Mark::Suspend));
    EXPECT_TRUE(o.IsChecked(Mark::Reboot));
    EXPECT_TRUE(o.IsChecked(Mark::Quit));
    o.TogglePowerMark(Mark::Lock);
    o.TogglePowerMark(Mark::Lock);
    for (Mark m : kPowerMarks) {
        EXPECT_FALSE(o.IsChecked(m));
    }
    EXPECT_TRUE(o.IsChecked(Mark::Quit));
}

TEST(Options, UncheckAfterMenusClearsInItsFixedOrder) {
    Options o;
    for (Mark m : kPowerMarks) {
        o.SetChecked(m, true);
    }
    o.SetChecked(Mark::Quit, true);
    o.SetChecked(Mark::Autoload, true);
    std::vector<Mark> cleared;
    o.AddListener([&](Mark m, bool checked) {
        if (!checked) {
            cleared.push_back(m);
        }
    });
    o.UncheckAfterMenus();
    EXPECT_EQ(cleared, (std::vector<Mark>{Mark::Shut, Mark::Logoff, Mark::Hibernate, Mark::Screen,
                                          Mark::Reboot, Mark::Suspend, Mark::Lock, Mark::Quit}));
    EXPECT_TRUE(o.IsChecked(Mark::Autoload));
}

TEST(Options, LanguageMarksStartEnglishAndStayExclusive) {
    Options o;
    EXPECT_TRUE(o.IsChecked(Mark::English));
    o.SelectLanguage(Mark::Polish);
    EXPECT_FALSE(o.IsChecked(Mark::English));
    EXPECT_TRUE(o.IsChecked(Mark::Polish));
}
