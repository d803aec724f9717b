#include "core/Engine.h"
#include "FakeRig.h"
#include "TestFolder.h"
#include "core/UiHost.h"
#include "core/storage/TaskFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace morvane;
using morvane::test::TestFolder;
using Calls = std::vector<std::string>;

namespace {

struct RecordingHost final : UiHost {
    bool AskExitQuestion() override {
        calls.emplace_back("ask");
        return answerOk;
    }
    // Recorded, so the tests show where it is never asked (a task's quit).
    KeepAnswer AskToKeepTasks() override {
        calls.emplace_back("keep?");
        return KeepAnswer::Stay;
    }
    void HideDoor() override { calls.emplace_back("hideDoor"); }
    void DetachSkin() override { calls.emplace_back("detachSkin"); }
    void UnloadEditor() override { calls.emplace_back("unloadEditor"); }
    void CloseMainWindow() override { calls.emplace_back("closeMain"); }
    void EndProgram() override { calls.emplace_back("end"); }
    void UpdateLan() override { calls.emplace_back("updateLan"); }
    void ShowMessage(const std::string& text) override { calls.push_back("message " + text); }
    void RunningProgramsChanged() override { calls.emplace_back("listChanged"); }

    Calls calls;
    bool answerOk = true;
};

class EngineTest : public ::testing::Test, protected morvane::test::FakeRig {
protected:
    EngineTest() {
        processes.running = {{"/usr/bin/xterm", 100},
                             {"/opt/other/XTERM", 101},
                             {"/usr/bin/vim", 102},
                             {"/usr/bin/xterm", 4242}};
        engine.SetHost(&host);
    }

    int AddTask(Task t) { return engine.AddTask(std::move(t)); }
    static Task DueAt(std::string closeTime, Task t) {
        t.closeTime = std::move(closeTime);
        return t;
    }
    static Task Close(std::string program, std::string id, std::string loop = "None",
                      std::string after = "") {
        return {program,         "/usr/bin/" + program, std::move(id),   "2026/12/07 09:00:00",
                std::move(loop), "Close - Normal",      std::move(after)};
    }
    static Task Run(std::string commandLine, std::string loop = "None", std::string after = "") {
        return {"prog",          std::move(commandLine), "None",          "2026/12/07 09:00:00",
                std::move(loop), "Run - Normal",         std::move(after)};
    }
    bool KeptFileExists() const { return std::filesystem::exists(dir / "appdata" / "default.mtf"); }
    AppPaths Paths() const { return AppPaths{MORVANE_DATA_DIR, dir / "appdata", "morvane"}; }
    /// What the last run left on disk: the settings' bytes and the kept task list's.
    void LeaveOnDisk(const std::string& settings, const std::string& kept) const {
        std::filesystem::create_directories(dir / "appdata");
        TestFolder::Write(dir / "appdata" / "mvsetting.ini", settings);
        TestFolder::Write(dir / "appdata" / "default.mtf", kept);
    }
    /// The main window's start-up, without the window.
    static void StartUp(Engine& e) {
        e.ResetIdle();
        e.ChooseStartupLanguage();
        e.ClearStartupMarks();
        e.LoadSettingsAndTasks();
    }
    static constexpr const char* kAutoload = "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";

    TestFolder dir;
    RecordingHost host;
    Engine engine{services, AppPaths{MORVANE_DATA_DIR, dir / "appdata", "morvane"}};
};

} // namespace

TEST_F(EngineTest, CloseEndsEveryCopyByFileNameIgnoringCaseButNeverItself) {
    AddTask(Close("xterm", "None"));
    engine.SchedulerTick();
    EXPECT_EQ(processes.terminated, (std::vector<platform::ProcessId>{100, 101}));
    EXPECT_TRUE(engine.Tasks().IsEmpty());
    EXPECT_EQ(processes.scans, 2) << "refresh before and after the action";
}

TEST_F(EngineTest, RecordedIdIsEndedOnlyWhenItStillRunsThatProgram) {
    processes.running.push_back({"/usr/bin/ghost", 300});
    AddTask(Close("nano", "102"));  // 102 is vim now: a reused id
    AddTask(Close("ghost", "300")); // still ghost: ended by name and by id
    engine.SchedulerTick();
    EXPECT_EQ(processes.terminated, (std::vector<platform::ProcessId>{300}));
}

TEST_F(EngineTest, BadIdsAreSkippedAndTheTaskStillFinishes) {
    for (const char* id : {"", "0", "-1", "12abc", "4242", "None", "99999999999999999999"}) {
        processes.terminated.clear();
        AddTask(Close("notrunning", id, "None", "Hibernate"));
        power.calls.clear();
        engine.SchedulerTick();
        EXPECT_TRUE(processes.terminated.empty()) << id;
        EXPECT_TRUE(engine.Tasks().IsEmpty()) << id;
        EXPECT_EQ(power.calls, (Calls{"EnableShutdownPrivilege", "HibernatePC"})) << id;
    }
}

TEST_F(EngineTest, RepeatingTasksStayAndMoveToTheirNextOccurrence) {
    AddTask(DueAt("2026/12/07 09:30:00", Close("vim", "None", "Every Hour")));
    AddTask(DueAt("2026/12/06 09:30:00", Close("vim", "None", "Every Minute"))); // a day behind
    AddTask(DueAt("not a date", Close("vim", "None", "Every Day")));
    engine.SchedulerTick();
    engine.SchedulerTick();
    engine.SchedulerTick();
    EXPECT_EQ(engine.Tasks().FieldOf(1, Field::CloseTime), "2026/12/07 10:30:00");
    EXPECT_EQ(engine.Tasks().FieldOf(2, Field::CloseTime), "2026/12/07 10:01:00")
        << "missed minutes are skipped, not replayed";
    EXPECT_EQ(engine.Tasks().FieldOf(3, Field::CloseTime), "2026/12/08 10:00:00")
        << "an unreadable due time restarts from the moment it ran";
}

TEST_F(EngineTest, CloseWithQuitSavesSettingsOnlyAndEndsAtOnce) {
    engine.ToggleMark(Mark::Autoload);
    AddTask(Close("vim", "None", "None", "Reboot - Q"));
    AddTask(DueAt("2026/12/08 09:00:00", Close("later", "None")));
    engine.SchedulerTick();
    EXPECT_EQ(power.calls, (Calls{"EnableShutdownPrivilege", "RebootPC"}));
    EXPECT_EQ(host.calls, (Calls{"listChanged", "detachSkin", "unloadEditor", "end"}));
    EXPECT_TRUE(std::filesystem::exists(dir / "appdata" / "mvsetting.ini"));
    EXPECT_TRUE(KeptFileExists()) << "written by the action before its after-action";
    EXPECT_TRUE(engine.IsEnding());
    engine.UnloadSequence();
    EXPECT_EQ(host.calls.size(), 4U) << "no unload sequence after an immediate quit";
    engine.SchedulerTick();
    EXPECT_EQ(engine.Tasks().Count(), 1);
}

TEST_F(EngineTest, RunStartsTheCommandAndItsQuitAsksWhenTasksRemain) {
    AddTask(Run("/usr/bin/true --flag", "None", " - Q"));
    AddTask(DueAt("2026/12/08 09:00:00", Run("/bin/later")));
    host.answerOk = false;
    engine.SchedulerTick();
    EXPECT_EQ(launcher.launched, (Calls{"/usr/bin/true --flag"}));
    EXPECT_EQ(host.calls, (Calls{"ask", "listChanged"}))
        << "Cancel keeps running, and the lists are refreshed after the pass";
    EXPECT_FALSE(engine.IsEnding());
}

TEST_F(EngineTest, NoSecondTaskStartsWhileAnActionWaitsForTheExitQuestion) {
    AddTask(Run("/bin/first", "None", " - Q"));
    AddTask(Run("/bin/second"));
    struct NestingHost final : UiHost {
        explicit NestingHost(Engine& e, const Calls& l) : engine(e), launched(l) {}
        bool AskExitQuestion() override {
            engine.SchedulerTick(); // the timer fires while the question is open
            launchedMeanwhile = launched.size() - 1;
            return false;
        }
        void HideDoor() override {}
        void DetachSkin() override {}
        void UnloadEditor() override {}
        void CloseMainWindow() override {}
        void EndProgram() override {}
        void UpdateLan() override {}
        void ShowMessage(const std::string&) override {}
        void RunningProgramsChanged() override {}
        Engine& engine;
        const Calls& launched;
        std::size_t launchedMeanwhile = 0;
    } nesting(engine, launcher.launched);
    engine.SetHost(&nesting);
    engine.SchedulerTick();
    EXPECT_EQ(nesting.launchedMeanwhile, 0U);
    EXPECT_EQ(launcher.launched, (Calls{"/bin/first", "/bin/second"}))
        << "the pass goes on once the question is answered";
}

TEST_F(EngineTest, RunQuitOnTheLastTaskEndsThroughTheNormalUnload) {
    engine.ToggleMark(Mark::Autoload);
    launcher.failing = {"/missing/program"};
    AddTask(Run("/missing/program", "None", " - Q"));
    engine.SchedulerTick();
    EXPECT_EQ(host.calls, (Calls{"hideDoor", "detachSkin", "unloadEditor", "detachSkin",
                                 "unloadEditor", "closeMain"}));
    EXPECT_TRUE(engine.Tasks().IsEmpty()) << "a program that cannot start is skipped silently";
    EXPECT_FALSE(KeptFileExists()) << "an empty list removes the kept file";
    EXPECT_TRUE(power.calls.empty());
}

TEST_F(EngineTest, AfterAllTasksQuitKeepsTheKeptListAsTheLastActionWroteIt) {
    engine.ToggleMark(Mark::Autoload);
    engine.ToggleMark(Mark::Quit);
    AddTask(Close("vim", "None"));
    engine.SchedulerTick();
    EXPECT_FALSE(KeptFileExists());
    EXPECT_EQ(host.calls.back(), "end");
    EXPECT_EQ(TestFolder::Read(dir / "appdata" / "mvsetting.ini"),
              "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n");
}

TEST_F(EngineTest, SuspendAndLockJoinTheAfterAllChoiceButNotTheSettingsFile) {
    engine.ToggleMark(Mark::Suspend);
    engine.ToggleMark(Mark::Lock);
    EXPECT_FALSE(engine.Marks().IsChecked(Mark::Suspend)) << "one after-all-tasks action";
    EXPECT_EQ(engine.ArmedAfterAllAction(), Mark::Lock);
    engine.UnloadSequence();
    // Eight lines, as older versions read and check them.
    EXPECT_EQ(TestFolder::Read(dir / "appdata" / "mvsetting.ini"),
              "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    Engine next{services, Paths()};
    StartUp(next);
    EXPECT_FALSE(next.ArmedAfterAllAction()) << "no power action is armed at start";
}

TEST_F(EngineTest, ExitAsksOnlyWhenTasksRemainAndCancelChangesNothing) {
    engine.ToggleMark(Mark::Autoload);
    AddTask(DueAt("2026/12/08 09:00:00", Close("vim", "None")));
    host.answerOk = false;
    engine.ExitCommand();
    EXPECT_EQ(host.calls, (Calls{"ask"}));
    EXPECT_FALSE(engine.IsEnding());
    engine.ClearTasks();
    host.calls.clear();
    engine.ExitCommand();
    EXPECT_EQ(host.calls.front(), "hideDoor");
    EXPECT_EQ(host.calls.back(), "closeMain");
    EXPECT_TRUE(std::filesystem::exists(dir / "appdata" / "mvsetting.ini"));
}

TEST_F(EngineTest, StartupRestoresOnlyAutoloadAndTheRegisteredAutostart) {
    const auto appdata = dir / "appdata";
    std::filesystem::create_directories(appdata);
    TestFolder::Write(appdata / "mvsetting.ini", "1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n");
    TestFolder::Write(appdata / "default.mtf",
                      "a\t/a\tNone\t2030/01/01 00:00:00\tNone\tClose - Normal\t\r\n"
                      "b\t/b\tNone\tx\tNone\tRun - After 00-00-00-30\t\r\n");
    engine.ChooseStartupLanguage();
    engine.ClearStartupMarks();
    EXPECT_TRUE(engine.LoadSettingsAndTasks());
    EXPECT_EQ(engine.Tasks().Count(), 2);
    EXPECT_EQ(engine.Tasks().FieldOf(2, Field::CloseTime), "2026/12/07 10:00:30");
    EXPECT_TRUE(engine.Marks().IsChecked(Mark::Autoload));
    EXPECT_FALSE(engine.Marks().IsChecked(Mark::Autostart)) << "the registration decides";
    for (Mark m :
         {Mark::Shut, Mark::Reboot, Mark::Logoff, Mark::Hibernate, Mark::Screen, Mark::Quit}) {
        EXPECT_FALSE(engine.Marks().IsChecked(m));
    }
    EXPECT_TRUE(engine.IsSchedulerOn());
    EXPECT_EQ(host.calls, (Calls{"hideDoor"}));
    EXPECT_EQ(engine.Language().Text(0), "Add a Task");
}

TEST_F(EngineTest, FirstStartHasNothingAndLeavesTheSchedulerOff) {
    autostart.entries["morvane"] = "/opt";
    engine.ChooseStartupLanguage();
    engine.ClearStartupMarks();
    EXPECT_FALSE(engine.LoadSettingsAndTasks());
    EXPECT_TRUE(engine.Marks().IsChecked(Mark::Autostart));
    EXPECT_FALSE(engine.IsSchedulerOn());
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(EngineTest, KeptListFollowsTheAutoloadOptionAtUnload) {
    AddTask(Close("vim", "None"));
    AddTask(Close("xterm", "None"));
    engine.ToggleMark(Mark::Autoload);
    engine.UnloadSequence();
    ASSERT_TRUE(KeptFileExists());
    TaskList back;
    EXPECT_EQ(ReadTaskFile(dir / "appdata" / "default.mtf", back, clock.Now()).added, 2);
}

TEST_F(EngineTest, LanguageCommandsMoveMarksAndMarkerFiles) {
    const auto appdata = dir / "appdata";
    engine.SelectLanguage(Mark::Polish);
    EXPECT_TRUE(engine.Marks().IsChecked(Mark::Polish));
    EXPECT_EQ(TestFolder::Read(appdata / "mvpl.dat"), "pl\r\n");
    EXPECT_EQ(engine.Language().Text(0), "Dodaj zadanie");
    engine.SelectLanguage(Mark::French);
    EXPECT_FALSE(std::filesystem::exists(appdata / "mvpl.dat"));
    EXPECT_TRUE(std::filesystem::exists(appdata / "mvfr.dat"));
    TestFolder::Write(appdata / "mvpl.dat", "pl\r\n");
    {
        Engine next{services, AppPaths{MORVANE_DATA_DIR, appdata, "morvane"}};
        next.ChooseStartupLanguage();
        EXPECT_TRUE(next.Marks().IsChecked(Mark::French)) << "French wins over Polish";
    }
    engine.SelectLanguage(Mark::English);
    EXPECT_FALSE(std::filesystem::exists(appdata / "mvpl.dat"));
    EXPECT_FALSE(std::filesystem::exists(appdata / "mvfr.dat"));
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "updateLan"), 3);
}

TEST_F(EngineTest, AutostartToggleRegistersAndReportsFailures) {
    engine.ToggleAutostart();
    EXPECT_EQ(autostart.entries.count("morvane"), 1U);
    engine.ToggleAutostart();
    EXPECT_TRUE(autostart.entries.empty());
    autostart.failWith = "Error 13 opening key\r\n";
    engine.ToggleAutostart();
    EXPECT_TRUE(engine.Marks().IsChecked(Mark::Autostart)) << "the mark shows the new state";
    EXPECT_EQ(host.calls.back(), "message Error 13 opening key\r\n");
}

TEST_F(EngineTest, LoadTasksOfAnUnreadableFileAddsNothingAndStartsNoTimer) {
    EXPECT_EQ(engine.LoadTasks(dir / "missing.mtf").added, 0);
    EXPECT_FALSE(engine.IsSchedulerOn());
    std::filesystem::path written;
    AddTask(Close("vim", "None"));
    ASSERT_TRUE(engine.SaveTasks(dir / "week", &written).Ok());
    EXPECT_EQ(written, dir / "week.mtf");
    EXPECT_EQ(engine.LoadTasks(written).added, 1);
    EXPECT_EQ(engine.Tasks().Count(), 2);
}

TEST_F(EngineTest, TimersRunOnlyWhileTasksNeedThemAndRemovingRowsNeverActs) {
    EXPECT_FALSE(engine.IsSchedulerOn());
    EXPECT_FALSE(engine.IsSamplerOn());
    TaskBuilder::Input in;
    in.emptyTask = true;
    in.seconds = "30";
    in.afterIndex = 2;
    EXPECT_EQ(engine.AddTask(in), 1);
    EXPECT_TRUE(engine.Marks().IsChecked(Mark::Reboot)) << "the task's power action is chosen";
    EXPECT_TRUE(engine.IsSchedulerOn());
    EXPECT_FALSE(engine.IsSamplerOn()) << "no task waits for idleness";
    in.noMouseMoving = true;
    engine.AddTask(in);
    EXPECT_TRUE(engine.IsSamplerOn());
    EXPECT_TRUE(engine.DeleteTask(2));
    EXPECT_FALSE(engine.IsSamplerOn());

    AddTask(Close("vim", "None"));
    AddTask(Close("xterm", "None"));
    EXPECT_TRUE(engine.DeleteTask(2));
    EXPECT_FALSE(engine.DeleteTask(3));
    EXPECT_EQ(engine.Tasks().FieldOf(2, Field::Program), "xterm");
    engine.ClearTasks();
    engine.SchedulerTick();
    EXPECT_TRUE(power.calls.empty());
    EXPECT_TRUE(engine.Marks().IsChecked(Mark::Reboot));
    EXPECT_FALSE(engine.IsSchedulerOn()) << "with nothing left to do, no timer runs";
}

TEST_F(EngineTest, AKeptIdleTaskWaitsItsWholePeriodFromStartUpWhateverTheFirstSampleSays) {
    for (const platform::Activity first :
         {platform::Activity::Active, platform::Activity::Idle, platform::Activity::Unknown}) {
        SCOPED_TRACE(static_cast<int>(first));
        launcher.launched.clear();
        clock.now = DateTime{2026, 12, 7, 10, 0, 0};
        idle.queued = {first};
        LeaveOnDisk(kAutoload, "idle\t/bin/idle\tNone\t2026/12/07 09:00:00\tNone\t"
                               "Run - AfterNoMouseMoving 00-00-01-00\t\r\n");
        Engine e{services, Paths()};
        StartUp(e);
        e.SchedulerTick(); // the first tick comes before the first activity sample
        e.MouseTick();
        clock.Advance(59);
        e.SchedulerTick();
        EXPECT_TRUE(launcher.launched.empty());
        clock.Advance(1);
        e.SchedulerTick();
        EXPECT_EQ(launcher.launched, (Calls{"/bin/idle"}));
    }
}

TEST_F(EngineTest, WhileIdlenessCannotBeKnownIdleTasksWaitAndTheOthersRun) {
    idle.reason = "nothing tells us here";
    EXPECT_EQ(engine.IdleUnavailableReason(), "nothing tells us here");
    Task waiting = Run("/bin/idle");
    waiting.type = "Run - AfterNoMouseMoving 00-00-01-00";
    AddTask(waiting);
    AddTask(Run("/bin/dated"));
    engine.ToggleMark(Mark::Reboot);
    // Both are due at once: the scheduler's first tick comes before any sample.
    for (int second = 0; second < 600; ++second) {
        engine.SchedulerTick();
        engine.MouseTick();
        clock.Advance(1);
    }
    EXPECT_EQ(launcher.launched, (Calls{"/bin/dated"}));
    EXPECT_TRUE(power.calls.empty()) << "the after-all-tasks choice waits for the idle task";

    // Once activity can be seen, the task waits its period from the last unknown sample.
    idle.reason.clear();
    EXPECT_EQ(engine.IdleUnavailableReason(), "");
    engine.MouseTick();
    clock.Advance(60);
    engine.SchedulerTick();
    EXPECT_EQ(launcher.launched, (Calls{"/bin/dated", "/bin/idle"}));
    EXPECT_FALSE(power.calls.empty());
}

TEST_F(EngineTest, LoadedEmptyTasksSetTheMarksAsAddingThemDid) {
    // Every power action, with and without quit: loading sets exactly the marks Add set.
    for (int after = 0; after <= PowerIndex(PowerAction::Lock); ++after) {
        for (const bool quit : {false, true}) {
            TaskBuilder::Input in;
            in.emptyTask = true;
            in.afterIndex = after;
            in.quit = quit;
            Engine added{services, Paths()};
            added.AddTask(in);
            TaskList one;
            one.Append(TaskBuilder::Build(in, clock.Now(), launcher));
            ASSERT_TRUE(WriteTaskFile(dir / "one.mtf", one).Ok());
            Engine loaded{services, Paths()};
            loaded.LoadTasks(dir / "one.mtf");
            for (int m = 0; m < kMarkCount; ++m) {
                const auto mark = static_cast<Mark>(m);
                EXPECT_EQ(loaded.Marks().IsChecked(mark), added.Marks().IsChecked(mark))
                    << after << quit << m;
            }
        }
    }
    // Kept over a restart, an Empty task still shuts the machine down at its time.
    LeaveOnDisk(kAutoload,
                "Empty\tNone\tNone\t2026/12/07 10:00:30\tNone\tClose - Normal\tShutdown PC\r\n");
    StartUp(engine);
    engine.SchedulerTick();
    EXPECT_TRUE(power.calls.empty());
    clock.Advance(30);
    engine.SchedulerTick();
    EXPECT_EQ(power.calls, (Calls{"EnableShutdownPrivilege", "ShutDownPC"}));
}

TEST_F(EngineTest, ATaskWhoseLoopIsNoneOfTheFiveRunsOnceLikeNone) {
    for (const std::string loop : {"Sometimes", "", "every day", "Every Day "}) {
        AddTask(Run("/bin/odd [" + loop + "]", loop));
    }
    for (int tick = 0; tick < 10; ++tick) {
        engine.SchedulerTick();
    }
    EXPECT_EQ(launcher.launched, (Calls{"/bin/odd [Sometimes]", "/bin/odd []",
                                        "/bin/odd [every day]", "/bin/odd [Every Day ]"}));
    EXPECT_TRUE(engine.Tasks().IsEmpty());
}

TEST_F(EngineTest, ARunThatCannotStartIsLoggedAndKeptWithTheRowUntilItRunsAgain) {
    launcher.failing = {"/missing/tool"};
    AddTask(Run("/missing/tool", "Every Minute", "Turn Off the Monitor"));
    engine.SchedulerTick();
    EXPECT_EQ(power.calls, (Calls{"TurnOffMonitor"})) << "the after-action runs whatever happens";
    EXPECT_EQ(logged, (Calls{"run task: cannot start /missing/tool"}));
    EXPECT_EQ(engine.Tasks().LastFailureOf(1), "cannot start /missing/tool");
    clock.Advance(30);
    engine.SchedulerTick();
    EXPECT_EQ(engine.Tasks().LastFailureOf(1), "cannot start /missing/tool");
    launcher.failing.clear();
    clock.Advance(30);
    engine.SchedulerTick();
    EXPECT_EQ(launcher.launched.size(), 2U);
    EXPECT_EQ(engine.Tasks().LastFailureOf(1), "");
    EXPECT_EQ(logged.size(), 1U);
}

TEST_F(EngineTest, RandomBytesInTheSettingsAreSetAsideAndTheKeptListIsLeftAsItIs) {
    std::mt19937 rng(13);
    std::string bytes(256, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(rng());
    }
    const std::string kept =
        "vim\t/usr/bin/vim\tNone\t2026/12/07 09:00:00\tNone\tClose - Normal\t\r\n";
    LeaveOnDisk(bytes, kept);
    StartUp(engine);
    EXPECT_TRUE(engine.Tasks().IsEmpty()) << "whether it is wanted is unknown";
    const auto aside = dir / "appdata" / "mvsetting.ini.corrupt-20261207-100000";
    EXPECT_EQ(TestFolder::Read(aside), bytes);
    ASSERT_EQ(logged.size(), 1U);
    EXPECT_NE(logged[0].find(aside.string()), std::string::npos) << logged[0];
    AddTask(Close("vim", "None")); // a task that runs rewrites the kept list as it ends
    engine.SchedulerTick();
    engine.UnloadSequence();
    EXPECT_EQ(TestFolder::Read(dir / "appdata" / "default.mtf"), kept);
    EXPECT_EQ(TestFolder::Read(dir / "appdata" / "mvsetting.ini"),
              "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
}

TEST_F(EngineTest, AFileThatIsNotATaskListStartsNothing) {
    std::mt19937 rng(14);
    std::string text;
    for (int line = 0; line < 40; ++line) {
        for (int field = 0; field < 7; ++field) {
            for (int c = 0; c < 12; ++c) {
                text.push_back(static_cast<char>(' ' + rng() % 95));
            }
            text += field < 6 ? "\t" : "\r\n";
        }
    }
    TestFolder::Write(dir / "random.txt", text);
    TestFolder::Write(dir / "tidy.sh", "#!/bin/sh\n"
                                       "# tidy up\n"
                                       "rm -rf \"$HOME/old\"\t# Close\n"
                                       "exec\txterm\t-e\ttop\tNone\tRun\n"
                                       "exit 0\n");
    EXPECT_EQ(engine.LoadTasks(dir / "random.txt"), (TaskFileCount{0, 40}));
    EXPECT_EQ(engine.LoadTasks(dir / "tidy.sh"), (TaskFileCount{0, 5}));
    for (int tick = 0; tick < 4; ++tick) {
        engine.SchedulerTick();
    }
    EXPECT_TRUE(launcher.launched.empty());
    EXPECT_TRUE(processes.terminated.empty());

    // The kept list says in the log what it left out, and keeps its tasks.
    LeaveOnDisk(kAutoload, "exec xterm\r\n"
                           "b\t/b\tNone\t2030/01/01 00:00:00\tNone\tRun - Normal\t\r\n");
    Engine next{services, Paths()};
    StartUp(next);
    EXPECT_EQ(next.Tasks().Count(), 1);
    const auto aside = dir / "appdata" / "default.mtf.unreadable-20261207-100000";
    EXPECT_EQ(logged, (Calls{(dir / "appdata" / "default.mtf").string() +
                             ": 1 line(s) that are not tasks were skipped; the file was kept as " +
                             aside.string()}));
}

TEST_F(EngineTest, TheKeptListIsOnTheDiskBeforeEveryShutdownOrHibernateRequest) {
    fileSync.onSync = [this](const std::filesystem::path& path) {
        power.calls.emplace_back(std::filesystem::is_directory(path) ? "sync folder" : "sync file");
    };
    engine.ToggleMark(Mark::Autoload);
    // A task's own action: the list without it is written, then the machine hibernates.
    AddTask(Close("vim", "None", "None", "Hibernate"));
    AddTask(DueAt("2026/12/07 10:00:05", Close("xterm", "None")));
    power.calls.clear(); // each Add was kept at once
    engine.SchedulerTick();
    EXPECT_EQ(power.calls,
              (Calls{"sync file", "sync folder", "EnableShutdownPrivilege", "HibernatePC"}));
    TaskList kept;
    ReadTaskFile(dir / "appdata" / "default.mtf", kept, clock.Now());
    EXPECT_EQ(kept.Count(), 1);

    // The after-all-tasks action of an Empty task: the emptied list is gone from the disk first.
    power.calls.clear();
    TaskBuilder::Input in;
    in.emptyTask = true;
    in.seconds = "5";
    in.afterIndex = 1;
    engine.AddTask(in);
    clock.Advance(5);
    power.calls.clear();
    engine.SchedulerTick(); // xterm and the Empty task, one write for both
    EXPECT_EQ(power.calls, (Calls{"sync folder", "EnableShutdownPrivilege", "ShutDownPC"}));
    EXPECT_FALSE(KeptFileExists());
}
