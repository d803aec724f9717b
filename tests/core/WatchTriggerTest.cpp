// Tasks that wait for a program to exit or for quiet, through the whole engine over fake
// processes and counters: what fires them, what never may, and what a loaded list waits for.

#include "FakeRig.h"
#include "TestFolder.h"
#include "core/Engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace morvane;
using Watch = TaskBuilder::Input::Watch;
using Strings = std::vector<std::string>;

namespace {

class WatchTriggerTest : public ::testing::Test, protected test::FakeRig {
protected:
    WatchTriggerTest() {
        processes.running = {{"/usr/bin/wget", 100}, {"/usr/bin/wget", 101}, {"/usr/bin/vim", 102}};
    }

    // A run task of `command` that waits for `watch`.
    static TaskBuilder::Input Waiting(std::string command, Watch watch, std::string name = {},
                                      std::string id = {}) {
        TaskBuilder::Input in;
        in.autoType = 1;
        in.commandLine = std::move(command);
        in.watch = watch;
        in.watchName = std::move(name);
        in.watchId = std::move(id);
        in.quietSeconds = 60;
        return in;
    }
    int Add(TaskBuilder::Input in) {
        EXPECT_TRUE(engine.CheckWatched(in).Ok()) << in.watchName;
        return engine.AddTask(in);
    }
    // The sampler and the scheduler, as their timers run them, one second on.
    void Second() {
        clock.Advance(1);
        engine.MouseTick();
        engine.SchedulerTick();
    }
    void End(platform::ProcessId pid) {
        std::erase_if(processes.running, [pid](const auto& p) { return p.pid == pid; });
    }

    test::TestFolder dir;
    Engine engine{services, AppPaths{MORVANE_DATA_DIR, dir / "appdata", "morvane"}};
};

} // namespace

TEST(WatchTexts, OnlyWellFormedTextsWaitAndTheRestStayFixedTimeTasksThatNeverComeDue) {
    struct Case {
        const char* type;
        TaskTrigger trigger;
        std::int64_t pid;
        const char* name;
        int limit;
    };
    const Case cases[] = {
        {"Close - WhenExits 4242 wget", TaskTrigger::ProgramExits, 4242, "wget", 0},
        {"Run - WhenExits All my program.sh", TaskTrigger::ProgramExits, 0, "my program.sh", 0},
        {"Close - WhenQuiet Network 50 00-00-05-00", TaskTrigger::Quiet, 0, "", 50},
        {"Run - WhenQuiet Processor 100 00-01-00-00", TaskTrigger::Quiet, 0, "", 100},
        {"Close - WhenExits 4242", TaskTrigger::Time, 0, "", 0},
        {"Close - WhenExits -5 wget", TaskTrigger::Time, 0, "", 0},
        {"Close - WhenExits 99999999999 wget", TaskTrigger::Time, 0, "", 0},
        {"Close - WhenQuiet Disk 5 00-00-05-00", TaskTrigger::Time, 0, "", 0},
        {"Close - WhenQuiet Processor 101 00-00-05-00", TaskTrigger::Time, 0, "", 0},
        {"Close - WhenQuiet Network 50", TaskTrigger::Time, 0, "", 0}};
    for (const Case& c : cases) {
        const TaskPlan plan =
            ParseTask({"x", "x", "None", std::string(texts::kWaitingTime), "Every Day", c.type, ""},
                      DateOrder::DayFirst);
        EXPECT_EQ(plan.trigger, c.trigger) << c.type;
        EXPECT_EQ(plan.watchPid, c.pid) << c.type;
        EXPECT_EQ(plan.watchName, c.name) << c.type;
        EXPECT_EQ(plan.quietLimit, c.limit) << c.type;
        // Once, whatever the loop says; and never due while it waits, as older versions see it.
        EXPECT_EQ(plan.Repeats(), c.trigger == TaskTrigger::Time) << c.type;
        EXPECT_FALSE(plan.IsDueAt(DateTime{9999, 12, 31, 23, 59, 58})) << c.type;
    }
}

TEST_F(WatchTriggerTest, AProgramThatExitsFiresItsTasksAndAnIdGivenToAnotherProgramCountsAsExited) {
    Add(Waiting("/bin/one", Watch::ProgramExits, "wget", "100"));
    Add(Waiting("/bin/every", Watch::ProgramExits, "WGET"));
    Add(Waiting("/bin/vim-gone", Watch::ProgramExits, "vim", "102"));
    EXPECT_EQ(engine.Tasks().FieldOf(1, Field::CloseTime), texts::kWaitingTime);
    EXPECT_TRUE(engine.IsSamplerOn());
    EXPECT_FALSE(engine.SecondsLeft(1));
    Second();
    EXPECT_TRUE(launcher.launched.empty());

    End(100);
    Second();
    EXPECT_EQ(launcher.launched, (Strings{"/bin/one"})) << "101 is still a wget";
    processes.running.back().path = "/usr/bin/bash"; // 102 now names another program
    Second();
    EXPECT_EQ(launcher.launched, (Strings{"/bin/one", "/bin/vim-gone"}));
    End(101);
    Second();
    EXPECT_EQ(launcher.launched, (Strings{"/bin/one", "/bin/vim-gone", "/bin/every"}));
    EXPECT_TRUE(engine.Tasks().IsEmpty());
    EXPECT_FALSE(engine.IsSamplerOn());

    TaskBuilder::Input gone = Waiting("/bin/x", Watch::ProgramExits, "wget", "100");
    EXPECT_FALSE(engine.CheckWatched(gone).Ok()) << "a program already gone is refused at Add";
}

TEST_F(WatchTriggerTest, ALoadedTaskWaitsToSeeItsProgramRunBeforeItsExitCounts) {
    Add(Waiting("/bin/by-id", Watch::ProgramExits, "wget", "100"));
    Add(Waiting("/bin/by-name", Watch::ProgramExits, "vim"));
    std::filesystem::path file;
    ASSERT_TRUE(engine.SaveTasks(dir / "watch", &file).Ok());
    engine.ClearTasks();
    processes.running.clear(); // a new session: nothing of before runs
    ASSERT_EQ(engine.LoadTasks(file).added, 2);
    for (int i = 0; i < 3; ++i) {
        Second();
    }
    EXPECT_TRUE(launcher.launched.empty()) << "nothing fires for programs ended before loading";
    EXPECT_NE(engine.WatchProblem(1).find("not running"), std::string::npos);

    // The stale id is another program now: the task waits for wget by name instead.
    processes.running = {{"/usr/bin/cat", 100}, {"/usr/bin/wget", 300}, {"/usr/bin/vim", 301}};
    Second();
    EXPECT_TRUE(launcher.launched.empty());
    EXPECT_EQ(engine.WatchProblem(1), "");
    processes.running.clear();
    Second();
    EXPECT_EQ(launcher.launched, (Strings{"/bin/by-id", "/bin/by-name"}));
}

TEST_F(WatchTriggerTest, QuietMustLastTheWholePeriodAndAnUnreadableCounterNeverFires) {
    const auto secondsUntilRun = [this](int most) {
        const std::size_t before = launcher.launched.size();
        for (int s = 1; s <= most; ++s) {
            Second();
            if (launcher.launched.size() > before) {
                return s;
            }
        }
        return 0;
    };
    TaskBuilder::Input network = Waiting("/bin/net", Watch::Network);
    network.quietLimit = 50;
    Add(network);
    load.bytesPerStep = 60 * 1024; // 60 KiB/s: a download still going
    EXPECT_EQ(secondsUntilRun(300), 0);
    load.bytesPerStep = 40 * 1024;
    EXPECT_EQ(secondsUntilRun(300), 60);

    TaskBuilder::Input processor = Waiting("/bin/cpu", Watch::Processor);
    processor.quietLimit = 10;
    Add(processor);
    load.busyPerStep = 30;
    EXPECT_EQ(secondsUntilRun(120), 0);
    load.busyPerStep = 9;
    EXPECT_EQ(secondsUntilRun(120), 60);

    Add(network);
    load.bytesPerStep = 0;
    load.networkUnreadable = "The network counters cannot be read.";
    EXPECT_EQ(secondsUntilRun(300), 0);
    EXPECT_EQ(engine.WatchProblem(1), load.networkUnreadable);
    load.networkUnreadable.clear();
    EXPECT_EQ(secondsUntilRun(300), 61) << "one reading to start the rate from, then the period";
    const int reads = load.reads;
    Second();
    EXPECT_EQ(load.reads, reads) << "read only while such a task waits";
}
