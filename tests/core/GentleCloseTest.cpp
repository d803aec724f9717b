// A close task that asks first, through the whole engine over fake processes: one closes when
// asked, one ignores it and is forced once the grace is over, and what follows waits for both.

#include "FakeRig.h"
#include "TestFolder.h"
#include "core/Engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace morvane;
using Calls = std::vector<std::string>;

namespace {

class GentleCloseTest : public ::testing::Test, protected test::FakeRig {
protected:
    GentleCloseTest() {
        processes.running = {{"/usr/bin/xterm", 100},
                             {"/opt/other/XTERM", 101},
                             {"/usr/bin/vim", 102},
                             {"/usr/bin/xterm", 4242}};
    }

    int AddTask(Task t) { return engine.AddTask(std::move(t)); }
    // Due an hour ago: it fires at the first tick.
    static Task Close(std::string program, std::string after) {
        return {program, "/usr/bin/" + program, "None",          "2026/12/07 09:00:00",
                "None",  "Close - Normal",      std::move(after)};
    }

    test::TestFolder dir;
    Engine engine{services, AppPaths{MORVANE_DATA_DIR, dir / "appdata", "morvane"}};
};

} // namespace

TEST_F(GentleCloseTest, AsksFirstForcesWhatIsLeftAfterItsGraceAndOnlyThenGoesOn) {
    using Kind = HistoryEvent::Kind;
    processes.closesWhenAsked = {100};
    AddTask(Close("xterm", "Shutdown PC - Gentle 10"));
    engine.SchedulerTick();
    // Every copy by its file name, ignoring case, but never our own process (4242).
    EXPECT_EQ(processes.closeRequests, (std::vector<platform::ProcessInfo>{
                                           {"/usr/bin/xterm", 100}, {"/opt/other/XTERM", 101}}));
    EXPECT_TRUE(processes.terminated.empty());
    EXPECT_TRUE(power.calls.empty()) << "the power action waits for the program";
    EXPECT_EQ(engine.Tasks().Count(), 1) << "the row stays until its processes are gone";

    clock.Advance(9);
    engine.SchedulerTick();
    EXPECT_EQ(processes.closeRequests.size(), 2U) << "asked once, not at every tick";
    EXPECT_TRUE(processes.terminated.empty());
    clock.Advance(1);
    engine.SchedulerTick();
    EXPECT_EQ(processes.terminated, (std::vector<platform::ProcessId>{101}));
    EXPECT_EQ(power.calls, (Calls{"EnableShutdownPrivilege", "ShutDownPC"}));
    EXPECT_TRUE(engine.Tasks().IsEmpty());
    EXPECT_FALSE(engine.IsSchedulerOn());
    const auto& events = engine.Events().Events();
    ASSERT_GE(events.size(), 2U);
    EXPECT_EQ(events[events.size() - 2], (HistoryEvent{clock.Now(), Kind::ClosedGently, "xterm", 2,
                                                       "1 closed, 1 forced after 10 s"}));
    EXPECT_EQ(events.back().kind, Kind::PowerRequested);

    // Removed while it waits: nothing more is forced, and the ticks go on until that is seen.
    AddTask(Close("vim", " - Gentle 10"));
    engine.SchedulerTick();
    ASSERT_TRUE(engine.DeleteTask(1));
    EXPECT_TRUE(engine.IsSchedulerOn());
    clock.Advance(10);
    engine.SchedulerTick();
    EXPECT_EQ(processes.terminated, (std::vector<platform::ProcessId>{101}));
    EXPECT_EQ(events.back().detail, "0 closed, 0 forced after 10 s, 1 left running");
    EXPECT_FALSE(engine.IsSchedulerOn());
}
