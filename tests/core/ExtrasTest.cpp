#include "TestFolder.h"
#include "core/extras/History.h"
#include "core/extras/Preferences.h"

#include <gtest/gtest.h>

#include <string>

using namespace morvane;
using morvane::test::TestFolder;

TEST(Preferences, RoundTripAndDefaultsForWhatCannotBeRead) {
    TestFolder dir;
    int skipped = -1;
    EXPECT_EQ(ReadPreferences(dir / "missing.ini", &skipped), Preferences{});
    EXPECT_EQ(skipped, 0);

    const Preferences changed{true, 120, true, false, true, true, true, true};
    ASSERT_TRUE(WritePreferences(dir / "p.ini", changed).Ok());
    EXPECT_EQ(ReadPreferences(dir / "p.ini"), changed);

    // Hand-edited: each bad line leaves its option at the default, the good ones still count.
    TestFolder::Write(dir / "p.ini", "warn-before-acting=1\n"
                                     "notify-failures=yes\n"
                                     "warn-lead-seconds=1\n"
                                     "keep-in-tray\n"
                                     "\n"
                                     "colour=blue\n"
                                     "notify-power-soon=1");
    const Preferences read = ReadPreferences(dir / "p.ini", &skipped);
    EXPECT_EQ(skipped, 3);
    EXPECT_TRUE(read.warnBeforeActing);
    EXPECT_TRUE(read.notifyFailures);
    EXPECT_EQ(read.warnLeadSeconds, Preferences::kMinLead) << "kept within its bounds";
    EXPECT_FALSE(read.keepInTray);
    EXPECT_TRUE(read.notifyPowerSoon);
}

TEST(History, RoundTripKeepsTheLastThousandAndSkipsBadLines) {
    TestFolder dir;
    const auto path = dir / "history.log";
    std::string lines;
    for (int i = 0; i < 1005; ++i) {
        lines += "2026/12/07 11:00:00\tclosed\txterm\t" + std::to_string(i) + "\t\r\n";
    }
    TestFolder::Write(path, lines);
    History history;
    history.Load(path);
    ASSERT_EQ(history.Events().size(), History::kLimit);
    EXPECT_EQ(history.Events().front().count, 5) << "the oldest are dropped";
    ASSERT_TRUE(history
                    .Append({DateTime{2026, 12, 7, 12, 0, 0}, HistoryEvent::Kind::CouldNotStart,
                             "a\tb", 0, "line one\nline two"})
                    .Ok());
    EXPECT_EQ(history.Events().front().count, 6);
    EXPECT_EQ(history.Events().back().subject, "a b") << "tabs and line ends became spaces";
    History again;
    again.Load(path);
    EXPECT_EQ(again.Events(), history.Events());

    TestFolder::Write(path, "garbage\r\n"
                            "2026/12/07 10:00:01\texploded\tx\t0\t\r\n"
                            "2026/13/07 10:00:01\tclosed\tx\t1\t\r\n"
                            "2026/12/07 10:00:02\tclosed\tx\tmany\t\r\n"
                            "2026/12/07 10:00:03\tpower-refused\tReboot\t0\tnot allowed\r\n");
    again.Load(path);
    ASSERT_EQ(again.Events().size(), 1U);
    EXPECT_EQ(again.Events()[0],
              (HistoryEvent{DateTime{2026, 12, 7, 10, 0, 3}, HistoryEvent::Kind::PowerRefused,
                            "Reboot", 0, "not allowed"}));
}

TEST(History, AGentleCloseDetailReadsBackAndNothingElseDoes) {
    const GentleOutcome outcomes[] = {
        {1, 1, 10, 0, 0}, {0, 2, 3600, 2, 0}, {2, 0, 5, 0, 1}, {0, 0, 1, 1, 3}};
    for (const GentleOutcome& o : outcomes) {
        EXPECT_EQ(ReadGentleDetail(GentleDetail(o)), o) << GentleDetail(o);
    }
    for (const char* other : {"", "1 closed", "closed, 1 forced after 10 s",
                              "1 closed, 1 forced after s", "1 closed, 1 forced after 10 s, ",
                              "1 closed, 1 forced after 10 s, 1 left running, 1 without a window",
                              "-1 closed, 1 forced after 10 s"}) {
        EXPECT_EQ(ReadGentleDetail(other), std::nullopt) << other;
    }
}
