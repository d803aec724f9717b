#include "core/tasks/Task.h"

#include <gtest/gtest.h>

using namespace morvane;

namespace {

Task Sample() {
    return Task{"notepad.exe", "C:\\Windows\\notepad.exe", "812", "2026/12/07 18:00:00",
                "Every Hour",  "Close - Normal",           ""};
}

} // namespace

TEST(TaskLine, RoundTripKeepsSevenFieldsAndTrailingTab) {
    const std::string line = JoinTaskLine(Sample());
    EXPECT_EQ(line, "notepad.exe\tC:\\Windows\\notepad.exe\t812\t2026/12/07 18:00:00\tEvery "
                    "Hour\tClose - Normal\t");
    EXPECT_EQ(SplitTaskLine(line), Sample());
}

TEST(TaskLine, EmptyFieldsStillGiveSixTabs) {
    EXPECT_EQ(JoinTaskLine(Task{}), "\t\t\t\t\t\t");
    EXPECT_EQ(SplitTaskLine("\t\t\t\t\t\t"), Task{});
}

TEST(TaskLine, ShortLineLeavesMissingFieldsEmpty) {
    const Task t = SplitTaskLine("a\tb\tc\td");
    EXPECT_EQ(t.program, "a");
    EXPECT_EQ(t.closeTime, "d");
    EXPECT_EQ(t.loop, "");
    EXPECT_EQ(t.type, "");
    EXPECT_EQ(t.after, "");
    EXPECT_EQ(SplitTaskLine(""), Task{});
}

TEST(TaskLine, PartsBeyondTheSeventhAreIgnored) {
    const Task t = SplitTaskLine("1\t2\t3\t4\t5\t6\t7\t8\t9");
    EXPECT_EQ(t.after, "7");
}

TEST(TaskLine, CommasAndLeadingSpacesSurvive) {
    Task t = Sample();
    t.path = "  C:\\a, b\\c.exe";
    EXPECT_EQ(SplitTaskLine(JoinTaskLine(t)).path, t.path);
}

TEST(TaskLine, TabsAndLineBreaksInsideAFieldBecomeSpaces) {
    Task t = Sample();
    t.path = "a\tb\rc\nd";
    const Task back = SplitTaskLine(JoinTaskLine(t));
    EXPECT_EQ(back.path, "a b c d");
    EXPECT_EQ(back.id, "812");
    EXPECT_EQ(back.after, "");
}

TEST(FileNameFromPath, TakesTextAfterLastSeparator) {
    EXPECT_EQ(FileNameFromPath("C:\\Windows\\notepad.exe"), "notepad.exe");
    EXPECT_EQ(FileNameFromPath("/usr/bin/xterm"), "xterm");
    EXPECT_EQ(FileNameFromPath("xterm"), "xterm");
    EXPECT_EQ(FileNameFromPath(""), "");
    EXPECT_EQ(FileNameFromPath("C:\\dir\\"), "");
}

TEST(EqualsIgnoreCase, FoldsAsciiLettersOnly) {
    EXPECT_TRUE(EqualsIgnoreCase("NOTEPAD.EXE", "notepad.exe"));
    EXPECT_FALSE(EqualsIgnoreCase("notepad", "notepad.exe"));
    EXPECT_FALSE(EqualsIgnoreCase("a[", "A{"));
}
