#include "core/scheduler/Scheduler.h"
#include "core/AppExit.h"
#include "core/Options.h"
#include "core/RunningPrograms.h"
#include "core/scheduler/PowerDispatch.h"
#include "core/scheduler/ScheduleHooks.h"
#include "core/scheduler/TaskActions.h"
#include "core/scheduler/TaskRunner.h"
#include "core/tasks/TaskList.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeLauncher.h"
#include "platform/fake/FakePower.h"
#include "platform/fake/FakeProcesses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace morvane;
using platform::FakeClock;
using platform::FakePower;

namespace morvane::platform {
// Failures show the process, not its bytes.
void PrintTo(const ProcessInfo& p, std::ostream* out) {
    *out << '{' << p.path << ", " << p.pid << ", " << p.startTime << '}';
}
} // namespace morvane::platform

namespace {

using Calls = std::vector<std::string>;

// Stands in for the close and run actions: records the call and removes the row, as a
// non-repeating task's action would.
struct RecordingActions final : TaskActions {
    explicit RecordingActions(TaskList& list, Calls& log) : tasks(list), calls(log) {}
    void CloseProgram(const std::string& program, int row) override {
        calls.push_back("close " + program + " " + std::to_string(row));
        tasks.Remove(row);
    }
    void RunProgram(const std::string& commandLine, int row) override {
        calls.push_back("run " + commandLine + " " + std::to_string(row));
        tasks.Remove(row);
    }
    TaskList& tasks;
    Calls& calls;
};

struct RecordingExit final : AppExit {
    void QuitImmediately() override { ++quits; }
    void ExitCommand() override { ++exits; }
    bool IsEnding() const override { return quits > 0; }
    int quits = 0;
    int exits = 0;
};

// Records each rescan among the actions, and keeps no file.
struct RecordingHooks final : Rescan, ListKeeper {
    explicit RecordingHooks(Calls& log) : calls(log) {}
    void Refresh() override { calls.push_back("refresh"); }
    void KeepList() override {}
    Calls& calls;
};

Task Make(const std::string& program, const std::string& closeTime,
          const std::string& type = "Close - Normal") {
    return Task{program, "/usr/bin/" + program, "None", closeTime, "None", type, ""};
}

class SchedulerTest : public ::testing::Test {
protected:
    TaskList tasks;
    Options options;
    FakeClock clock{DateTime{2026, 12, 7, 10, 0, 0}};
    FakePower power;
    PowerDispatch dispatch{power, options};
    Calls calls;
    RecordingActions actions{tasks, calls};
    RecordingHooks hooks{calls};
    RecordingExit exit;
    Scheduler scheduler{{tasks, options, clock, dispatch, actions, hooks, exit}};
};

} // namespace

TEST_F(SchedulerTest, EmptyListDoesNothing) {
    options.SetChecked(Mark::Shut, true);
    scheduler.Tick();
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(power.calls.empty());
}

TEST_F(SchedulerTest, DueAtTheSecondNotBefore) {
    tasks.Append(Make("a", "2026/12/07 10:00:01"));
    tasks.Append(Make("b", "2026/12/07 11:00:00"));
    scheduler.Tick();
    EXPECT_TRUE(calls.empty());
    clock.Advance(1);
    scheduler.Tick();
    EXPECT_EQ(calls, (Calls{"refresh", "close a 1", "refresh"}));
}

TEST_F(SchedulerTest, EveryDueTaskInOnePassInListOrderWithOneScan) {
    tasks.Append(Make("later", "2026/12/07 12:00:00"));
    tasks.Append(Make("x", "2026/12/07 09:00:00"));
    tasks.Append(Make("y", "2026/12/07 09:00:00", "Run - Normal"));
    tasks.Append(Make("z", "abc"));
    scheduler.Tick();
    EXPECT_EQ(calls, (Calls{"refresh", "close x 2", "run /usr/bin/y 3", "close z 4", "refresh"}))
        << "scanned once before the first close, and once after the pass for the windows";
    EXPECT_EQ(tasks.Count(), 1);
}

TEST_F(SchedulerTest, TypeDecidesCloseOrRunByItsFirstFiveCharacters) {
    tasks.Append(Make("c", "2026/12/07 09:00:00", "Close"));
    tasks.Append(Make("r", "2026/12/07 09:00:00", "close - Normal"));
    scheduler.Tick();
    EXPECT_EQ(calls, (Calls{"refresh", "close c 1", "run /usr/bin/r 2", "refresh"}));
}

TEST_F(SchedulerTest, EmptyTaskIsRemovedThenRefresh) {
    tasks.Append(Make("keep", "2026/12/08 00:00:00"));
    tasks.Append(Task{"Empty", "None", "None", "2026/12/07 09:00:00", "None", "Close - Normal",
                      "Shutdown PC"});
    scheduler.Tick();
    EXPECT_EQ(calls, (Calls{"refresh"}));
    EXPECT_EQ(tasks.Count(), 1);
    EXPECT_TRUE(power.calls.empty()) << "an Empty task's own after text is not dispatched";
}

TEST_F(SchedulerTest, LastTaskWithNoMarkOnlyStopsTheTimer) {
    tasks.Append(Make("a", "2026/12/07 09:00:00"));
    scheduler.Tick();
    EXPECT_TRUE(power.calls.empty());
    EXPECT_EQ(exit.quits, 0);
}

namespace {

struct AfterAllCase {
    Mark mark;
    Calls power;
    bool marksCleared;
};

class AfterAllTasks : public SchedulerTest, public ::testing::WithParamInterface<AfterAllCase> {};

} // namespace

TEST_P(AfterAllTasks, EachMarkRequestsItsOperation) {
    const auto& c = GetParam();
    options.SetChecked(c.mark, true);
    tasks.Append(
        Task{"Empty", "None", "None", "2026/12/07 09:00:00", "None", "Close - Normal", ""});
    scheduler.Tick();
    EXPECT_EQ(power.calls, c.power);
    EXPECT_EQ(options.IsChecked(c.mark), !c.marksCleared);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, AfterAllTasks,
    ::testing::Values(
        AfterAllCase{Mark::Hibernate, {"EnableShutdownPrivilege", "HibernatePC"}, false},
        AfterAllCase{Mark::Reboot, {"EnableShutdownPrivilege", "RebootPC"}, true},
        AfterAllCase{Mark::Shut, {"EnableShutdownPrivilege", "ShutDownPC"}, true},
        AfterAllCase{Mark::Logoff, {"EnableShutdownPrivilege", "LogOffUser"}, true},
        AfterAllCase{Mark::Screen, {"TurnOffMonitor"}, false},
        AfterAllCase{Mark::Suspend, {"EnableShutdownPrivilege", "SuspendPC"}, false},
        AfterAllCase{Mark::Lock, {"LockScreen"}, false}),
    [](const auto& info) { return info.param.power.back(); });

TEST_F(SchedulerTest, RebootClearsEveryMarkIncludingQuitSoTheProgramStays) {
    options.SetChecked(Mark::Reboot, true);
    options.SetChecked(Mark::Quit, true);
    tasks.Append(Make("a", "2026/12/07 09:00:00"));
    scheduler.Tick();
    EXPECT_EQ(power.calls, (Calls{"EnableShutdownPrivilege", "RebootPC"}));
    EXPECT_FALSE(options.IsChecked(Mark::Quit));
    EXPECT_EQ(exit.quits, 0);
}

TEST_F(SchedulerTest, QuitMarkQuitsAfterTheLastTaskAndLeavesTheTimerAlone) {
    options.SetChecked(Mark::Quit, true);
    options.SetChecked(Mark::Screen, true);
    tasks.Append(Make("a", "2026/12/07 09:00:00"));
    scheduler.Tick();
    EXPECT_EQ(power.calls, (Calls{"TurnOffMonitor"}));
    EXPECT_EQ(exit.quits, 1);
}

TEST_F(SchedulerTest, RemoveAllBetweenTicksNeverFiresTheAfterAllStep) {
    options.SetChecked(Mark::Shut, true);
    options.SetChecked(Mark::Quit, true);
    tasks.Append(Make("a", "2026/12/08 09:00:00"));
    scheduler.Tick();
    tasks.Clear();
    scheduler.Tick();
    EXPECT_TRUE(power.calls.empty());
    EXPECT_EQ(exit.quits, 0);
    EXPECT_TRUE(options.IsChecked(Mark::Shut));
}

TEST_F(SchedulerTest, RepeatingTaskThatStaysDoesNotFireTheAfterAllStep) {
    struct KeepActions final : TaskActions {
        void CloseProgram(const std::string&, int) override { ++closes; }
        void RunProgram(const std::string&, int) override {}
        int closes = 0;
    } keep;
    Scheduler s({tasks, options, clock, dispatch, keep, hooks, exit});
    options.SetChecked(Mark::Shut, true);
    tasks.Append(Make("a", "2026/12/07 09:00:00"));
    s.Tick();
    EXPECT_EQ(keep.closes, 1);
    EXPECT_TRUE(power.calls.empty());
}

TEST_F(SchedulerTest, CloseSendsEachProcessWithItsIdentityFromTheScan) {
    using platform::ProcessInfo;
    platform::FakeProcesses processes{4242};
    processes.running = {{"/usr/bin/xterm", 100, 11},
                         {"/opt/XTERM", 101, 12},
                         {"/usr/bin/vim", 102, 13},
                         {"/usr/bin/xterm", 4242, 14}};
    RunningPrograms running;
    running.Rebuild(processes.ScanRunningPrograms());
    // Since the scan, 101 ended and its id went to another xterm; the recorded id 300 started.
    processes.running[1] = {"/usr/bin/xterm", 101, 99};
    processes.running.push_back({"/usr/bin/xterm", 300, 20});
    platform::FakeLauncher launcher;
    TaskRunner runner({tasks, running, processes, launcher, clock, dispatch, hooks, exit});
    const int row = tasks.Append(Task{"xterm", "/usr/bin/xterm", "300", "2026/12/07 09:00:00",
                                      "None", "Close - Normal", ""});

    runner.CloseProgram("xterm", row);
    EXPECT_EQ(processes.terminations,
              (std::vector<ProcessInfo>{
                  {"/usr/bin/xterm", 100, 11}, {"/opt/XTERM", 101, 12}, {"xterm", 300, 0}}))
        << "scanned rows with their start time; the recorded id with the name it runs now";
    EXPECT_EQ(processes.running, (std::vector<ProcessInfo>{{"/usr/bin/xterm", 101, 99},
                                                           {"/usr/bin/vim", 102, 13},
                                                           {"/usr/bin/xterm", 4242, 14}}));
}

TEST(PowerDispatch, AfterTextsReadOnceAndDispatched) {
    struct Case {
        const char* after;
        Calls power;
        bool cleared;
        bool quit;
    };
    const Case cases[] = {
        {"Hibernate", {"EnableShutdownPrivilege", "HibernatePC"}, false, false},
        {"Reboot - Q", {"EnableShutdownPrivilege", "RebootPC"}, true, true},
        {"Shutdown PC", {"EnableShutdownPrivilege", "ShutDownPC"}, true, false},
        {"Log Off", {"EnableShutdownPrivilege", "LogOffUser"}, true, false},
        {"Turn Off the Monitor - Q", {"TurnOffMonitor"}, false, true},
        {"Suspend", {"EnableShutdownPrivilege", "SuspendPC"}, false, false},
        {"Lock the Screen - Q", {"LockScreen"}, false, true},
        {" - Q", {}, false, true},
        {"", {}, false, false},
        {"Shutdown", {}, false, false},
        {"hibernate", {}, false, false},
    };
    for (const Case& c : cases) {
        Options options;
        options.SetChecked(Mark::Screen, true);
        FakePower power;
        const TaskPlan plan = ParseTask({"p", "/p", "None", "", "None", "Run - Normal", c.after},
                                        DateOrder::DayFirst);
        PowerDispatch(power, options).Dispatch(plan.power);
        EXPECT_EQ(power.calls, c.power) << c.after;
        EXPECT_EQ(options.IsChecked(Mark::Screen), !c.cleared) << c.after;
        EXPECT_EQ(plan.quit, c.quit) << c.after;
    }
}
