// What Add looks at beyond the fields themselves: an Empty task's action that would wait for
// ever behind a repeating task, and a picked process that has gone since it was picked.

#include "FakeRig.h"
#include "TestFolder.h"
#include "core/Engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace morvane;

namespace {

class AddChecksTest : public ::testing::Test, protected test::FakeRig {
protected:
    AddChecksTest() { processes.running = {{"/usr/bin/xterm", 100}, {"/usr/bin/vim", 102}}; }

    static TaskBuilder::Input Empty(int afterIndex, bool quit = false) {
        TaskBuilder::Input in;
        in.emptyTask = true;
        in.minutes = "01";
        in.afterIndex = afterIndex;
        in.quit = quit;
        return in;
    }
    static TaskBuilder::Input CloseInput(std::string name, std::string id,
                                         std::string loop = "None") {
        TaskBuilder::Input in;
        in.targetName = std::move(name);
        in.processId = std::move(id);
        in.minutes = "05";
        in.loop = std::move(loop);
        return in;
    }

    test::TestFolder dir;
    Engine engine{services, AppPaths{MORVANE_DATA_DIR, dir / "appdata", "morvane"}};
};

} // namespace

TEST_F(AddChecksTest, AnEmptyActionWaitsBehindAnyOtherTaskThatRepeats) {
    using Input = TaskBuilder::Input;
    struct Case {
        const char* what;
        std::vector<Input> list;
        Input empty;
        int editedRow;
        bool waits;
    };
    const Input daily = CloseInput("xterm", "100", "Every Day");
    const Input once = CloseInput("xterm", "100");
    Input dailyEmpty = Empty(1);
    dailyEmpty.loop = "Every Day";
    Input run = daily;
    run.autoType = 1;
    run.commandLine = "/bin/true";
    const Case cases[] = {
        {"a daily close", {daily}, Empty(1), 0, true},
        {"a daily run", {run}, Empty(2), 0, true},
        {"quit only", {daily}, Empty(0, true), 0, true},
        {"nothing to do", {daily}, Empty(0), 0, false},
        {"a one-off close", {once}, Empty(1), 0, false},
        {"a repeating Empty task goes when due", {dailyEmpty}, Empty(1), 0, false},
        {"the edited row itself", {daily}, Empty(1), 1, false},
        {"another beside the edited row", {daily, daily}, Empty(1), 1, true},
        {"not an Empty task", {daily}, CloseInput("vim", "102"), 0, false},
    };
    for (const Case& c : cases) {
        engine.ClearTasks();
        for (const Input& in : c.list) {
            engine.AddTask(in);
        }
        EXPECT_EQ(engine.EmptyWaitsBehindRepeating(c.empty, c.editedRow), c.waits) << c.what;
        if (c.editedRow == 0) {
            EXPECT_EQ(engine.EmptyWaitsBehindRepeating(engine.AddTask(c.empty)), c.waits)
                << c.what << ", as its row says";
        }
    }

    // The count follows every change of the list.
    engine.ClearTasks();
    const int emptyRow = engine.AddTask(Empty(1));
    engine.AddTask(daily);
    EXPECT_TRUE(engine.EmptyWaitsBehindRepeating(emptyRow));
    EXPECT_TRUE(engine.ReplaceTask(2, once));
    EXPECT_FALSE(engine.EmptyWaitsBehindRepeating(emptyRow));
    EXPECT_TRUE(engine.ReplaceTask(2, daily));
    EXPECT_TRUE(engine.DeleteTask(2));
    EXPECT_FALSE(engine.EmptyWaitsBehindRepeating(emptyRow));
}

TEST_F(AddChecksTest, AProcessIdToCloseIsKeptOnlyWhileItStillNamesItsProgram) {
    const struct {
        const char* id;
        const char* kept;
    } cases[] = {
        {"100", "100"},   // still xterm
        {"102", "None"},  // vim now: a reused id
        {"999", "None"},  // gone
        {"None", "None"}, // a task loaded without one
    };
    for (const auto& c : cases) {
        const int row = engine.AddTask(CloseInput("XTERM", c.id));
        EXPECT_EQ(engine.Tasks().At(row).id, c.kept) << c.id;
        EXPECT_EQ(engine.Tasks().At(row).program, "XTERM") << "kept by its name";
        EXPECT_TRUE(engine.ReplaceTask(row, CloseInput("xterm", c.id)));
        EXPECT_EQ(engine.Tasks().At(row).id, c.kept) << c.id << " saved from the editor";
    }
}
