#include "core/scheduler/IdleTrigger.h"
#include "core/tasks/TaskList.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeIdleSource.h"

#include <gtest/gtest.h>

using namespace morvane;
using platform::Activity;
using platform::FakeClock;
using platform::FakeIdleSource;

namespace {

class IdleTriggerTest : public ::testing::Test {
protected:
    int Add(const std::string& type, const std::string& closeTime = "2030/01/01 00:00:00") {
        return tasks.Append(Task{"p", "/p", "None", closeTime, "None", type, ""});
    }
    void Sample(Activity activity) {
        idle.queued.push_back(activity);
        trigger.Tick();
    }

    TaskList tasks;
    FakeClock clock{DateTime{2026, 12, 7, 10, 0, 0}};
    FakeIdleSource idle;
    IdleTrigger trigger{tasks, clock, idle};
};

} // namespace

TEST_F(IdleTriggerTest, MovementRewritesOnlyIdleRowsInCanonicalForm) {
    const int close = Add("Close - AfterNoMouseMoving 00-00-01-00");
    const int run = Add("Run - AfterNoMouseMoving 01-02-03-04");
    const int fixed = Add("Close - Normal", "12/7/2026 6:00:00 PM");
    const int countdown = Add("Close - After 00-00-01-00", "2026/12/07 10:01:00");
    const int odd = Add("Close");
    Sample(Activity::Active);
    EXPECT_EQ(tasks.FieldOf(close, Field::CloseTime), "2026/12/07 10:01:00");
    EXPECT_EQ(tasks.FieldOf(run, Field::CloseTime), "2026/12/08 12:03:04");
    EXPECT_EQ(tasks.FieldOf(fixed, Field::CloseTime), "12/7/2026 6:00:00 PM");
    EXPECT_EQ(tasks.FieldOf(countdown, Field::CloseTime), "2026/12/07 10:01:00");
    EXPECT_EQ(tasks.FieldOf(odd, Field::CloseTime), "2030/01/01 00:00:00");
}

TEST_F(IdleTriggerTest, OnlyActivityOrAnUnknownSampleRestartsTheWait) {
    const int row = Add("Close - AfterNoMouseMoving 00-00-01-00");
    Sample(Activity::Idle);
    EXPECT_EQ(tasks.FieldOf(row, Field::CloseTime), "2030/01/01 00:00:00");
    Sample(Activity::Active);
    clock.Advance(30);
    Sample(Activity::Idle);
    EXPECT_EQ(tasks.FieldOf(row, Field::CloseTime), "2026/12/07 10:01:00");
    // A sample that cannot tell is taken as activity: an idle task never acts on a guess.
    clock.Advance(30);
    Sample(Activity::Unknown);
    EXPECT_EQ(tasks.FieldOf(row, Field::CloseTime), "2026/12/07 10:02:00");
}

TEST_F(IdleTriggerTest, ShortAndNonNumericPeriodsAddOnlyWhatTheyCan) {
    const int shortPeriod = Add("Close - AfterNoMouseMoving 00-01");
    const int junk = Add("Run - AfterNoMouseMoving x-y-z-w");
    const int blank = Add("Run - AfterNoMouseMoving ");
    Sample(Activity::Active);
    EXPECT_EQ(tasks.FieldOf(shortPeriod, Field::CloseTime), "2026/12/07 11:00:00");
    EXPECT_EQ(tasks.FieldOf(junk, Field::CloseTime), "2026/12/07 10:00:00");
    EXPECT_EQ(tasks.FieldOf(blank, Field::CloseTime), "2026/12/07 10:00:00");
}

TEST_F(IdleTriggerTest, SamplesNothingWithoutAnIdleTask) {
    idle.queued = {Activity::Active};
    Add("Close - Normal");
    trigger.Tick();
    EXPECT_EQ(idle.queued.size(), 1U) << "the sample is left for when an idle task exists";
}

TEST_F(IdleTriggerTest, ArmingRestartsEarlierRowsOnlyWhenItSeesActivity) {
    // Activity since the last tick would be lost for the rows already listed: the next tick
    // samples after it.
    for (const Activity seen : {Activity::Idle, Activity::Active, Activity::Unknown}) {
        SCOPED_TRACE(static_cast<int>(seen));
        tasks.Clear();
        const int earlier = Add("Close - AfterNoMouseMoving 00-00-01-00");
        const int loaded = Add("Run - AfterNoMouseMoving 00-00-02-00");
        idle.queued = {seen};
        trigger.Arm(loaded);
        EXPECT_EQ(tasks.FieldOf(loaded, Field::CloseTime), "2026/12/07 10:02:00");
        EXPECT_EQ(tasks.FieldOf(earlier, Field::CloseTime),
                  seen == Activity::Idle ? "2030/01/01 00:00:00" : "2026/12/07 10:01:00");
    }
}
