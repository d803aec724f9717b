// The engine's additions over the list: the warning before acting, notifications, history,
// the status it shows and editing a task in place.
#include "FakeRig.h"
#include "TestFolder.h"
#include "core/Engine.h"
#include "core/UiHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace morvane;
using morvane::test::TestFolder;
using Calls = std::vector<std::string>;
using Kind = HistoryEvent::Kind;

namespace {

struct Host final : UiHost {
    bool AskExitQuestion() override { return true; }
    void HideDoor() override {}
    void DetachSkin() override {}
    void UnloadEditor() override {}
    void CloseMainWindow() override {}
    void EndProgram() override {}
    void UpdateLan() override {}
    void ShowMessage(const std::string&) override {}
    void RunningProgramsChanged() override {}
    void WarningChanged() override { ++warningChanges; }
    void Notify(const Notice& notice) override { notices.push_back(notice); }
    void HistoryChanged() override { ++historyChanges; }

    int warningChanges = 0;
    int historyChanges = 0;
    std::vector<Notice> notices;
};

class EngineExtrasTest : public ::testing::Test, protected morvane::test::FakeRig {
protected:
    EngineExtrasTest() {
        processes.running = {{"/usr/bin/xterm", 100}, {"/usr/bin/xterm", 101}};
        engine.SetHost(&host);
    }

    void Warn(bool on, int lead = 60) {
        Preferences prefs = engine.Prefs();
        prefs.warnBeforeActing = on;
        prefs.warnLeadSeconds = lead;
        engine.SetPreferences(prefs);
    }
    static Task Close(std::string program, std::string closeTime = "2026/12/07 10:00:00",
                      std::string loop = "None", std::string after = "") {
        return {program,         "/usr/bin/" + program, "None",          std::move(closeTime),
                std::move(loop), "Close - Normal",      std::move(after)};
    }
    static Task Run(std::string commandLine, std::string closeTime = "2026/12/07 10:00:00",
                    std::string after = "") {
        return {"prog", std::move(commandLine), "None",          std::move(closeTime),
                "None", "Run - Normal",         std::move(after)};
    }
    static TaskBuilder::Input EmptyTask(int afterIndex) {
        TaskBuilder::Input in;
        in.emptyTask = true;
        in.seconds = "0";
        in.afterIndex = afterIndex;
        return in;
    }
    std::vector<Kind> Kinds() const {
        std::vector<Kind> kinds;
        for (const HistoryEvent& e : engine.Events().Events()) {
            kinds.push_back(e.kind);
        }
        return kinds;
    }
    /// Ticks every half second for `seconds`.
    void TickFor(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            engine.SchedulerTick();
            clock.Advance(1);
            engine.SchedulerTick();
        }
    }

    TestFolder dir;
    Host host;
    Engine engine{services, AppPaths{MORVANE_DATA_DIR, dir / "appdata", "morvane"}};
};

} // namespace

TEST_F(EngineExtrasTest, WarnedActionWaitsWithTheTasksBehindItUntilItsDeadline) {
    Warn(true);
    engine.AddTask(Close("xterm", "2026/12/07 10:00:00", "None", "Shutdown PC - Q"));
    engine.AddTask(Run("/bin/true")); // due as well, and acts on nothing
    engine.SchedulerTick();
    ASSERT_TRUE(engine.PendingWarning());
    EXPECT_EQ(*engine.PendingWarning(), (Warning{false, "xterm", PowerAction::Shutdown, true,
                                                 DateTime{2026, 12, 7, 10, 1, 0}}));
    EXPECT_EQ(host.warningChanges, 1);

    clock.Advance(59);
    engine.SchedulerTick();
    EXPECT_TRUE(processes.terminated.empty());
    EXPECT_TRUE(launcher.launched.empty()) << "the task behind the held one waits";
    EXPECT_TRUE(power.calls.empty());

    clock.Advance(1);
    engine.SchedulerTick();
    EXPECT_FALSE(engine.PendingWarning());
    EXPECT_EQ(processes.terminated, (std::vector<platform::ProcessId>{100, 101}));
    EXPECT_EQ(power.calls, (Calls{"EnableShutdownPrivilege", "ShutDownPC"}));
    EXPECT_TRUE(engine.IsEnding()) << "its quit flag as without the warning";
}

TEST_F(EngineExtrasTest, OnlyForcedClosesAndPowerActionsAreWarnedAbout) {
    Warn(true);
    engine.AddTask(Run("/bin/true"));
    engine.AddTask(EmptyTask(0));
    engine.SchedulerTick();
    engine.SchedulerTick();
    EXPECT_EQ(launcher.launched, (Calls{"/bin/true"}));
    EXPECT_TRUE(engine.Tasks().IsEmpty());
    EXPECT_EQ(host.warningChanges, 0);
}

TEST_F(EngineExtrasTest, DoItNowSnoozeAndCancel) {
    Warn(true);
    engine.AddTask(Close("xterm"));
    engine.SchedulerTick();
    engine.WarningDoItNow();
    EXPECT_EQ(processes.terminated.size(), 2U);
    EXPECT_TRUE(engine.Tasks().IsEmpty());

    processes.terminated.clear();
    engine.AddTask(Close("vim", "2026/12/07 10:00:00", "Every Hour"));
    engine.SchedulerTick();
    engine.WarningSnooze();
    EXPECT_FALSE(engine.PendingWarning());
    EXPECT_EQ(engine.Tasks().FieldOf(1, Field::CloseTime), "2026/12/07 10:10:00");
    clock.Advance(600);
    engine.SchedulerTick();
    ASSERT_TRUE(engine.PendingWarning()) << "warned again when the snooze is over";

    // Cancel skips this firing only: the repeating task moves on from its due time.
    engine.WarningCancel();
    EXPECT_EQ(engine.Tasks().FieldOf(1, Field::CloseTime), "2026/12/07 11:10:00");
    EXPECT_TRUE(processes.terminated.empty());
    engine.DeleteTask(1);
    engine.AddTask(Close("xterm", "2026/12/07 10:10:00", "None", "Reboot"));
    engine.SchedulerTick();
    engine.WarningCancel();
    EXPECT_TRUE(engine.Tasks().IsEmpty()) << "a one-off task is gone as if it had run";
    EXPECT_TRUE(processes.terminated.empty());
    EXPECT_TRUE(power.calls.empty());
    EXPECT_EQ(Kinds(),
              (std::vector<Kind>{Kind::Closed, Kind::Snoozed, Kind::Cancelled, Kind::Cancelled}));
}

TEST_F(EngineExtrasTest, TheAfterAllTasksActionIsWarnedSnoozedAndCancelled) {
    Warn(true);
    engine.AddTask(EmptyTask(1)); // arms Shutdown
    engine.SchedulerTick();
    ASSERT_TRUE(engine.PendingWarning());
    EXPECT_TRUE(engine.PendingWarning()->afterAllTasks);
    EXPECT_EQ(engine.PendingWarning()->power, PowerAction::Shutdown);

    engine.WarningSnooze();
    TickFor(599);
    EXPECT_FALSE(engine.PendingWarning());
    TickFor(1);
    ASSERT_TRUE(engine.PendingWarning()) << "warned again ten minutes later";
    engine.WarningCancel();
    TickFor(120);
    EXPECT_TRUE(power.calls.empty());
    EXPECT_FALSE(engine.ArmedAfterAllAction()) << "cancelling clears the choice";
    EXPECT_FALSE(engine.IsSchedulerOn());

    // Left alone, it happens at the deadline.
    engine.AddTask(EmptyTask(2));
    TickFor(59);
    EXPECT_TRUE(power.calls.empty());
    TickFor(1);
    EXPECT_EQ(power.calls, (Calls{"EnableShutdownPrivilege", "RebootPC"}));
    EXPECT_FALSE(engine.IsSchedulerOn());
}

TEST_F(EngineExtrasTest, AWarningGoesWithItsRowAndFollowsItWhenRowsMove) {
    Warn(true);
    engine.AddTask(Run("/bin/later", "2026/12/08 10:00:00"));
    engine.AddTask(Close("xterm"));
    engine.SchedulerTick();
    ASSERT_TRUE(engine.PendingWarning());
    engine.DeleteTask(1);
    EXPECT_TRUE(engine.PendingWarning());
    clock.Advance(60);
    engine.SchedulerTick();
    EXPECT_EQ(processes.terminated.size(), 2U) << "found again at its new row";

    engine.AddTask(Close("vim"));
    engine.SchedulerTick();
    const int changes = host.warningChanges;
    engine.DeleteTask(1);
    EXPECT_FALSE(engine.PendingWarning());
    EXPECT_EQ(host.warningChanges, changes + 1);

    engine.AddTask(Close("vim"));
    engine.SchedulerTick();
    ASSERT_TRUE(engine.PendingWarning());
    engine.ReplaceTask(1, engine.InputOf(1));
    EXPECT_FALSE(engine.PendingWarning()) << "an edit drops what was warned about";
}

TEST_F(EngineExtrasTest, NotificationsAsThePreferencesSay) {
    Preferences prefs;
    prefs.notifyPowerSoon = true;
    engine.SetPreferences(prefs);
    engine.AddTask(Run("/bin/backup", "2026/12/07 10:06:00", "Reboot"));
    engine.AddTask(Run("/bin/other", "2026/12/07 10:20:00"));
    TickFor(6 * 60);
    ASSERT_EQ(host.notices.size(), 2U);
    EXPECT_EQ(host.notices[0], (Notice{Notice::Kind::PowerSoon, "Reboot", {}, 5}));
    EXPECT_EQ(host.notices[1], (Notice{Notice::Kind::PowerSoon, "Reboot", {}, 1}));

    // The last one-off task is followed by the after-all-tasks action.
    host.notices.clear();
    engine.ToggleMark(Mark::Hibernate);
    launcher.failing = {"/bin/other"};
    processes.running.clear();
    engine.AddTask(Close("ghost", "2026/12/07 10:30:00"));
    TickFor(30 * 60);
    ASSERT_EQ(host.notices.size(), 4U);
    EXPECT_EQ(host.notices[0].kind, Notice::Kind::CouldNotStart);
    EXPECT_EQ(host.notices[0].subject, "/bin/other");
    EXPECT_EQ(host.notices[1], (Notice{Notice::Kind::PowerSoon, "Hibernate", {}, 5}));
    EXPECT_EQ(host.notices[3], (Notice{Notice::Kind::NothingToClose, "ghost", {}, 0}));

    prefs.notifyPowerSoon = false;
    prefs.notifyFailures = false;
    engine.SetPreferences(prefs);
    host.notices.clear();
    engine.AddTask(Run("/bin/other", "2026/12/07 10:45:00", "Reboot"));
    TickFor(10 * 60);
    EXPECT_TRUE(host.notices.empty());
}

TEST_F(EngineExtrasTest, HistoryRecordsWhatHappenedAndIsKeptForTheNextRun) {
    engine.AddTask(Close("xterm", "2026/12/07 10:00:00", "None", "Log Off"));
    engine.SchedulerTick();
    power.Refuse("Log Off", "not allowed");
    power.Tell(platform::Power::Outcome::NoAnswerYet, "Reboot");
    power.Tell(platform::Power::Outcome::DoneLate, "Reboot");
    ASSERT_EQ(Kinds(), (std::vector<Kind>{Kind::Closed, Kind::PowerRequested, Kind::PowerRefused,
                                          Kind::PowerNoAnswerYet, Kind::PowerDoneLate}));
    EXPECT_EQ(engine.Events().Events()[0].count, 2);
    EXPECT_EQ(engine.Events().Events()[2].detail, "not allowed");
    EXPECT_EQ(host.historyChanges, 5);

    Engine next{services, AppPaths{MORVANE_DATA_DIR, dir / "appdata", "morvane"}};
    EXPECT_EQ(next.Events().Events(), engine.Events().Events());
    EXPECT_EQ(next.Prefs(), engine.Prefs());
}

TEST_F(EngineExtrasTest, AProgramThatRunsOutOfReachIsNotClosedAndTheUserIsToldWhy) {
    const struct {
        platform::OutOfReach why;
        std::string_view detail;
    } cases[] = {
        {platform::OutOfReach::Elevated, kRunsElevated},
        {platform::OutOfReach::OtherSession, kOtherSession},
        {platform::OutOfReach::None, ""},
    };
    for (const auto& c : cases) {
        processes.outOfReach = c.why;
        host.notices.clear();
        engine.AddTask(Close("admintool"));
        engine.SchedulerTick();
        ASSERT_FALSE(engine.Events().Events().empty());
        const HistoryEvent& last = engine.Events().Events().back();
        EXPECT_EQ(last.kind, Kind::NothingToClose);
        EXPECT_EQ(last.detail, c.detail);
        EXPECT_EQ(host.notices, (std::vector<Notice>{{Notice::Kind::NothingToClose, "admintool",
                                                      std::string(c.detail), 0}}));
    }
    // Listed, but the system refuses the kill: the refusal's cause is what the user reads.
    processes.outOfReach = platform::OutOfReach::None;
    processes.elevated = {100, 101};
    engine.AddTask(Close("xterm"));
    engine.SchedulerTick();
    EXPECT_EQ(processes.terminations.size(), 2U);
    EXPECT_EQ(
        engine.Events().Events().back(),
        (HistoryEvent{clock.Now(), Kind::NothingToClose, "xterm", 0, std::string(kRunsElevated)}));
    EXPECT_TRUE(processes.terminated.empty());
}

TEST_F(EngineExtrasTest, TimeLeftNextDueAndAWaitingEmptyTask) {
    EXPECT_EQ(engine.NextDueRow(), 0);
    engine.AddTask(Run("/bin/a", "2026/12/07 10:05:00"));
    engine.AddTask(Task{"x", "/bin/x", "None", "2026/12/07 10:01:00", "None",
                        "Run - AfterNoMouseMoving 00-00-01-00", ""});
    engine.AddTask(Run("/bin/b", "2026/12/07 10:02:00"));
    EXPECT_EQ(engine.SecondsLeft(1), 300);
    EXPECT_EQ(engine.SecondsLeft(2), std::nullopt) << "it waits for idleness";
    EXPECT_EQ(engine.NextDueRow(), 3);
    clock.Advance(400);
    EXPECT_EQ(engine.SecondsLeft(1), 0);

    engine.ClearTasks();
    engine.AddTask(Run("/bin/a", "2026/12/08 10:00:00"));
    engine.AddTask(EmptyTask(1));
    EXPECT_FALSE(engine.EmptyActionWaiting());
    engine.SchedulerTick();
    EXPECT_TRUE(engine.EmptyActionWaiting());
    EXPECT_EQ(engine.ArmedAfterAllAction(), Mark::Shut);
    engine.ToggleMark(Mark::Shut);
    EXPECT_FALSE(engine.EmptyActionWaiting()) << "nothing waits once the choice is cleared";
}

TEST_F(EngineExtrasTest, ReplaceKeepsThePositionAndBuildsAsAddDoes) {
    launcher.failing = {"/bin/a"};
    engine.AddTask(
        Task{"a", "/bin/a", "None", "2026/12/07 10:00:00", "Every Day", "Run - Normal", ""});
    engine.AddTask(Run("/bin/b", "2026/12/08 10:00:00"));
    engine.SchedulerTick();
    EXPECT_FALSE(engine.Tasks().LastFailureOf(1).empty());

    TaskBuilder::Input in = engine.InputOf(1);
    in.commandLine = "/bin/c";
    in.afterIndex = 2;
    EXPECT_TRUE(engine.ReplaceTask(1, in));
    EXPECT_FALSE(engine.ReplaceTask(3, in));
    EXPECT_EQ(engine.Tasks().At(1), (Task{"c", "/bin/c", "None", "2026/12/08 10:00:00", "Every Day",
                                          "Run - Normal", "Reboot"}));
    EXPECT_EQ(engine.Tasks().FieldOf(2, Field::Path), "/bin/b");
    EXPECT_TRUE(engine.Tasks().LastFailureOf(1).empty());
    EXPECT_EQ(engine.ArmedAfterAllAction(), Mark::Reboot) << "as Add sets the choice";
}
