// Nothing lost: every change is on the disk once its command or tick is over, a failed write is
// said where the user looks and tried again, many due tasks fire in one pass with one write, and
// a clock set back does not stall repeating tasks.
#include "FakeRig.h"
#include "TestFolder.h"
#include "core/Engine.h"
#include "core/UiHost.h"
#include "core/extras/Warning.h"
#include "core/storage/TaskFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace morvane;
using morvane::test::TestFolder;

namespace {

struct NoticeHost final : UiHost {
    void Notify(const Notice& notice) override { notices.push_back(notice); }
    std::vector<Notice> notices;
};

class KeepingTest : public ::testing::Test, protected morvane::test::FakeRig {
protected:
    KeepingTest() {
        engine.SetHost(&host);
        engine.ToggleMark(Mark::Autoload);
    }
    static Task Run(const std::string& program, const std::string& due,
                    const std::string& loop = "None") {
        return {program, "/bin/" + program, "None", due, loop, "Run - Normal", ""};
    }
    [[nodiscard]] int KeptCount() const {
        TaskList kept;
        ReadTaskFile(dir / "appdata" / "default.mtf", kept, clock.Now());
        return kept.Count();
    }

    TestFolder dir;
    NoticeHost host;
    Engine engine{services, AppPaths{MORVANE_DATA_DIR, dir / "appdata", "morvane"}};
};

} // namespace

TEST_F(KeepingTest, EveryChangeIsOnTheDiskWhenItsCommandIsOver) {
    engine.AddTask(Run("a", "2030/01/01 00:00:00"));
    EXPECT_EQ(KeptCount(), 1) << "a kill right after Add loses nothing";
    engine.AddTask(Run("b", "2030/01/01 00:00:00"));
    engine.DeleteTask(1);
    EXPECT_EQ(KeptCount(), 1);
    // An idle task's time follows the mouse: that is not worth a write.
    engine.AddTask(
        {"i", "/bin/i", "None", "x", "None", "Run - AfterNoMouseMoving 00-00-01-00", ""});
    const std::size_t writes = fileSync.synced.size();
    idle.steady = platform::Activity::Active;
    clock.Advance(5);
    engine.MouseTick();
    engine.SchedulerTick();
    EXPECT_EQ(fileSync.synced.size(), writes);
}

TEST_F(KeepingTest, AFailedSaveIsSaidOnceTriedAgainAtTheNextChangeAndClearedWhenItWorks) {
    // A folder where the file should be: every replacement fails, even for root.
    std::filesystem::create_directories(dir / "appdata" / "default.mtf" / "x");
    engine.AddTask(Run("a", "2030/01/01 00:00:00"));
    ASSERT_EQ(engine.CurrentAlerts().size(), 1U);
    EXPECT_EQ(engine.CurrentAlerts()[0].kind, Alert::Kind::NotSaved);
    EXPECT_EQ(engine.CurrentAlerts()[0].subject, "tasks");
    engine.AddTask(Run("b", "2030/01/01 00:00:00"));
    EXPECT_EQ(host.notices.size(), 1U) << "said once, not at every try";
    ASSERT_FALSE(engine.Events().Events().empty());
    EXPECT_EQ(engine.Events().Events().back().kind, HistoryEvent::Kind::NotSaved);

    std::filesystem::remove_all(dir / "appdata" / "default.mtf");
    engine.SchedulerTick();
    EXPECT_FALSE(std::filesystem::exists(dir / "appdata" / "default.mtf")) << "no change, no try";
    engine.AddTask(Run("c", "2030/01/01 00:00:00"));
    EXPECT_EQ(KeptCount(), 3);
    EXPECT_TRUE(engine.CurrentAlerts().empty());
}

TEST_F(KeepingTest, ManyDueTasksFireInOnePassWithOneWrite) {
    std::string file;
    for (int i = 0; i < 2000; ++i) {
        file += "r" + std::to_string(i) + "\t/bin/r\tNone\t2026/12/07 09:00:00\t" +
                (i % 2 != 0 ? "Every Day" : "None") + "\tRun - Normal\t\r\n";
    }
    TestFolder::Write(dir / "many.mtf", file);
    engine.LoadTasks(dir / "many.mtf");
    const std::size_t writes = fileSync.synced.size();
    engine.SchedulerTick();
    EXPECT_EQ(launcher.launched.size(), 2000U);
    EXPECT_EQ(engine.Tasks().Count(), 1000) << "the daily ones wait for tomorrow";
    EXPECT_EQ(fileSync.synced.size(), writes + 2) << "the file and its folder, once";
    EXPECT_EQ(KeptCount(), 1000);
    EXPECT_EQ(engine.Events().Events().size(), History::kLimit);
}

TEST_F(KeepingTest, AClockSetBackByAStepOrMoreReArmsRepeatingTasksOnly) {
    struct Case {
        const char* loop;
        const char* type;
        int back; // seconds the clock goes back, right after the task ran
        const char* due;
    };
    // Each task ran at 10:00:00; the clock then stands at 10:00:30 and goes back.
    const Case cases[] = {
        {"Every Minute", "Run - Normal", 3600, "2026/12/07 09:01:00"},
        {"Every Hour", "Run - Normal", 3600, "2026/12/07 09:30:00"},
        {"Every Day", "Run - Normal", 120, "2026/12/08 10:00:00"}, // a small correction waits
        {"None", "Run - Normal", 3600, "2026/12/08 10:00:00"},     // a one-off stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loop);
        engine.ClearTasks();
        clock.now = DateTime{2026, 12, 7, 10, 0, 30};
        const std::string next = std::string(c.loop) == "Every Minute" ? "2026/12/07 10:01:00"
                                 : std::string(c.loop) == "Every Hour" ? "2026/12/07 10:30:00"
                                                                       : "2026/12/08 10:00:00";
        engine.AddTask({"p", "/bin/p", "None", next, c.loop, c.type, ""});
        engine.SchedulerTick();
        clock.Advance(-c.back);
        engine.SchedulerTick();
        EXPECT_EQ(engine.Tasks().FieldOf(1, Field::CloseTime), c.due);
    }
}
