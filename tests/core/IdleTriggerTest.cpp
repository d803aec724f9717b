#include "core/scheduler/IdleTrigger.h"
#include "core/TimerSwitch.h"
#include "core/tasks/TaskList.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeCursor.h"

#include <gtest/gtest.h>

using namespace morvane;
using platform::FakeClock;
using platform::FakeCursor;

namespace {

class IdleTriggerTest : public ::testing::Test {
protected:
    int Add(const std::string& type, const std::string& closeTime = "2030/01/01 00:00:00") {
        return tasks.Append(Task{"p", "/p", "None", closeTime, "None", type, ""});
    }
    void MoveTo(int x, int y) {
        cursor.position = {x, y};
        trigger.Tick();
    }

    TaskList tasks;
    FakeClock clock{DateTime{2026, 12, 7, 10, 0, 0}};
    FakeCursor cursor;
    TimerSwitch timerClose;
    IdleTrigger trigger{tasks, clock, cursor, timerClose};
};

} // namespace

TEST_F(IdleTriggerTest, MovementRewritesOnlyIdleRowsInCanonicalForm) {
    const int close = Add("Close - AfterNoMouseMoving 00-00-01-00");
    const int run = Add("Run - AfterNoMouseMoving 01-02-03-04");
    const int fixed = Add("Close - Normal", "12/7/2026 6:00:00 PM");
    const int countdown = Add("Close - After 00-00-01-00", "2026/12/07 10:01:00");
    const int odd = Add("Close");
    MoveTo(5, 5);
    EXPECT_EQ(tasks.FieldOf(close, Field::CloseTime), "2026/12/07 10:01:00");
    EXPECT_EQ(tasks.FieldOf(run, Field::CloseTime), "2026/12/08 12:03:04");
    EXPECT_EQ(tasks.FieldOf(fixed, Field::CloseTime), "12/7/2026 6:00:00 PM");
    EXPECT_EQ(tasks.FieldOf(countdown, Field::CloseTime), "2026/12/07 10:01:00");
    EXPECT_EQ(tasks.FieldOf(odd, Field::CloseTime), "2030/01/01 00:00:00");
}

TEST_F(IdleTriggerTest, NoMovementNoRewriteAndFirstSampleAtOriginIsNoMovement) {
    const int row = Add("Close - AfterNoMouseMoving 00-00-01-00");
    MoveTo(0, 0);
    EXPECT_EQ(tasks.FieldOf(row, Field::CloseTime), "2030/01/01 00:00:00");
    MoveTo(3, 4);
    clock.Advance(30);
    MoveTo(3, 4);
    EXPECT_EQ(tasks.FieldOf(row, Field::CloseTime), "2026/12/07 10:01:00");
    clock.Advance(30);
    MoveTo(3, 5);
    EXPECT_EQ(tasks.FieldOf(row, Field::CloseTime), "2026/12/07 10:02:00");
}

TEST_F(IdleTriggerTest, ShortAndNonNumericPeriodsAddOnlyWhatTheyCan) {
    const int shortPeriod = Add("Close - AfterNoMouseMoving 00-01");
    const int junk = Add("Run - AfterNoMouseMoving x-y-z-w");
    const int blank = Add("Run - AfterNoMouseMoving ");
    MoveTo(1, 1);
    EXPECT_EQ(tasks.FieldOf(shortPeriod, Field::CloseTime), "2026/12/07 11:00:00");
    EXPECT_EQ(tasks.FieldOf(junk, Field::CloseTime), "2026/12/07 10:00:00");
    EXPECT_EQ(tasks.FieldOf(blank, Field::CloseTime), "2026/12/07 10:00:00");
}

TEST_F(IdleTriggerTest, KeepsTheSchedulerRunningWhileTasksExist) {
    MoveTo(1, 1);
    EXPECT_FALSE(timerClose.IsEnabled()) << "an empty list only records the position";
    Add("Close - Normal");
    MoveTo(1, 1);
    EXPECT_TRUE(timerClose.IsEnabled());
}

TEST_F(IdleTriggerTest, UnreadablePointerNeverCountsAsMovement) {
    const int row = Add("Close - AfterNoMouseMoving 00-00-01-00");
    cursor.available = false;
    MoveTo(7, 7);
    EXPECT_EQ(tasks.FieldOf(row, Field::CloseTime), "2030/01/01 00:00:00");
    EXPECT_TRUE(timerClose.IsEnabled());
}
