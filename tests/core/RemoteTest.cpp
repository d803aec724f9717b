// The command line and the requests other programs send: reading the arguments, the checks a
// task passes before it is added, and what the running instance answers and announces.

#include "FakeRig.h"
#include "TestFolder.h"

#include "core/remote/CommandLine.h"
#include "core/remote/RemoteDesk.h"
#include "core/remote/TaskOrder.h"
#include "platform/fake/FakeControl.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace morvane;
using platform::ControlEvent;
using platform::ControlRequest;
using platform::ControlVerb;

namespace {

const DateTime kNow{2026, 12, 7, 10, 0, 0};

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;) {
        words.push_back(w);
    }
    return words;
}

class RemoteTest : public ::testing::Test, protected test::FakeRig {
protected:
    RemoteTest() {
        processes.running = {{"/usr/bin/firefox", 100}, {"/usr/bin/vim", 102}};
        client.server = &server;
    }

    // Runs the command line against the running instance; the exit status, with what it printed.
    int Run(const std::vector<std::string>& args) {
        out.str({});
        err.str({});
        return RunCommandLine(ReadCommandLine(args), client, "/usr/bin/morvane", kNow, out, err);
    }
    int Run(const std::string& args) { return Run(Words(args)); }

    test::TestFolder dir;
    Engine engine{services, AppPaths{MORVANE_DATA_DIR, dir / "appdata", "morvane"}};
    platform::FakeControlServer server;
    platform::FakeControlClient client;
    RemoteDesk desk{engine, server};
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

TEST(TaskOrderTest, DurationsAndTimes) {
    const std::pair<const char*, std::optional<std::int64_t>> durations[] = {
        {"90s", 90}, {"30m", 1800},  {"1h30m", 5400}, {"2d", 172800},      {"1d1s", 86401},
        {"0s", {}},  {"30", {}},     {"-5m", {}},     {"5x", {}},          {"", {}},
        {"m", {}},   {"32768d", {}}, {"1h 30m", {}},  {"99999999999s", {}}};
    for (const auto& [text, seconds] : durations) {
        EXPECT_EQ(ParseDuration(text), seconds) << text;
    }
    EXPECT_EQ(DurationText(5400), "1h30m");
    // A time of day alone is its next coming; a date is taken as it is.
    const std::pair<const char*, std::optional<DateTime>> times[] = {
        {"23:00", DateTime{2026, 12, 7, 23, 0, 0}},
        {"09:30:15", DateTime{2026, 12, 8, 9, 30, 15}},
        {"10:00", DateTime{2026, 12, 8, 10, 0, 0}},
        {"2027-01-31 7:05", DateTime{2027, 1, 31, 7, 5, 0}},
        {"2027-01-31T07:05:09", DateTime{2027, 1, 31, 7, 5, 9}},
        {"25:00", {}},
        {"12:60", {}},
        {"2027-02-30 10:00", {}},
        {"12", {}},
        {"12:00:00:00", {}},
        {"2027-1-31 10:00", {}}};
    for (const auto& [text, at] : times) {
        EXPECT_EQ(ParseOrderTime(text, kNow), at) << text;
    }
}

TEST_F(RemoteTest, BadArgumentsExitTwoWithAReasonAndChangeNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"--shutdown --in", "needs a value"},
        {"--frobnicate", "unknown option"},
        {"--shutdown --in 30", "not a duration"},
        {"--shutdown --in 0s", "not a duration"},
        {"--shutdown --in -5m", "not a duration"},
        {"--shutdown --at 25:00", "not a time"},
        {"--shutdown", "say when"},
        {"--in 5m", "say what to do"},
        {"--close= --in 5m", "needs the name"},
        {"--shutdown --reboot --now", "one action only"},
        {"--shutdown --now --in 5m", "one trigger only"},
        {"--shutdown --in 5m --in 6m", "given twice"},
        {"--close vim --run vim --now", "not both"},
        {"--run ./backup.sh --now", "full path"},
        {"--shutdown --now --repeat week", "--repeat takes"},
        {"--shutdown --now --for 5m", "--for goes with --when-quiet"},
        {"--shutdown --now stray", "unexpected argument"},
        {"--shutdown --at 2026-12-01 10:00", "has passed"},
        {"--shutdown --when-quiet network=100 --repeat day", "--repeat does not go"},
        {"--shutdown --when-quiet cpu=101", "--when-quiet takes"},
        {"--shutdown --when-exits 0", "not a process id"},
        {"--shutdown --when-quiet disk", "--when-quiet takes"},
        {"--shutdown --in 5m --grace 10s", "--grace goes with --close only"},
        {"--close vim --in 5m --grace 1h1s", "too long: at most 1h"},
        {"--close vim --in 5m --grace 0s", "not a duration"},
        {"--list --now", "takes no other option"},
        {"--cancel x", "a task id is a number"},
        {"--cancel", "takes one task id"}};
    for (const auto& [args, reason] : cases) {
        EXPECT_EQ(Run(args), 2) << args;
        EXPECT_NE(err.str().find(reason), std::string::npos) << args << ": " << err.str();
        EXPECT_EQ(err.str().find('\n'), err.str().size() - 1) << "one line: " << args;
    }
    EXPECT_TRUE(client.sent.empty()) << "nothing reaches the instance";
    EXPECT_TRUE(engine.Tasks().IsEmpty());
}

TEST_F(RemoteTest, EachKindOfTaskIsAddedAsTheEditorWouldMakeIt) {
    struct Case {
        const char* args;
        Task task;
    };
    const Case cases[] = {
        {"--shutdown --in 1h30m",
         {"Empty", "None", "None", "2026/12/07 11:30:00", "None", "Close - After 00-01-30-00",
          "Shutdown PC"}},
        {"--close firefox --idle 20m --repeat day",
         {"firefox", "/usr/bin/firefox", "100", "2026/12/07 10:20:00", "Every Day",
          "Close - AfterNoMouseMoving 00-00-20-00", ""}},
        {"--run backup.sh --at 23:00 --hibernate --quit",
         {"backup.sh", "backup.sh", "None", "2026/12/07 23:00:00", "None", "Run - Normal",
          "Hibernate - Q"}},
        {"--monitor-off --at 2026-12-24 18:00 --repeat month",
         {"Empty", "None", "None", "2026/12/24 18:00:00", "Every Month", "Close - Normal",
          "Turn Off the Monitor"}},
        {"--reboot --now",
         {"Empty", "None", "None", "2026/12/07 10:00:00", "None", "Close - After 00-00-00-00",
          "Reboot"}},
        {"--suspend --now",
         {"Empty", "None", "None", "2026/12/07 10:00:00", "None", "Close - After 00-00-00-00",
          "Suspend"}},
        {"--close vim --in 5m --lock --quit",
         {"vim", "/usr/bin/vim", "102", "2026/12/07 10:05:00", "None", "Close - After 00-00-05-00",
          "Lock the Screen - Q"}},
        {"--close vim --at 23:00 --grace 1h --reboot --quit",
         {"vim", "/usr/bin/vim", "102", "2026/12/07 23:00:00", "None", "Close - Normal",
          "Reboot - Gentle 3600 - Q"}},
        {"--shutdown --when-exits vim",
         {"Empty", "None", "None", "9999/12/31 23:59:59", "None", "Close - WhenExits All vim",
          "Shutdown PC"}},
        {"--run backup.sh --when-exits 102",
         {"backup.sh", "backup.sh", "None", "9999/12/31 23:59:59", "None",
          "Run - WhenExits 102 vim", ""}},
        {"--suspend --when-quiet network --for 10m",
         {"Empty", "None", "None", "9999/12/31 23:59:59", "None",
          "Close - WhenQuiet Network 50 00-00-10-00", "Suspend"}},
        {"--close vim --when-quiet cpu=5",
         {"vim", "/usr/bin/vim", "102", "9999/12/31 23:59:59", "None",
          "Close - WhenQuiet Processor 5 00-00-05-00", ""}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Run(c.args), 0) << c.args << ": " << err.str();
        const int row = engine.Tasks().Count();
        EXPECT_EQ(engine.Tasks().At(row), c.task) << c.args;
        EXPECT_EQ(out.str(), std::to_string(engine.Tasks().IdOf(row)) + "\n");
        EXPECT_EQ(engine.Events().Events().back().detail, "command-line");
    }
}

TEST_F(RemoteTest, TheInstanceRefusesWhatTheEditorWouldQuestion) {
    launcher.missing = {"nosuch"};
    const std::pair<ControlRequest, const char*> cases[] = {
        {{ControlVerb::Add, {{"close", "thunderbird"}, {"now", ""}}, 0}, "no running program"},
        {{ControlVerb::Add, {{"run", "nosuch --flag"}, {"now", ""}}, 0}, "no such program"},
        {{ControlVerb::Add, {{"action", "shutdown"}, {"at", "2026-12-07 09:59:59"}}, 0},
         "has passed"},
        {{ControlVerb::Add, {{"action", "shutdown"}, {"in", "0m"}}, 0}, "not a duration"},
        {{ControlVerb::Add, {{"action", "shutdown"}, {"colour", "red"}}, 0}, "unknown option"},
        {{ControlVerb::Add, {{"action", "shutdown"}, {"when-exits", "42"}}, 0},
         "process (42) is not running"},
        {{ControlVerb::Add, {{"action", "shutdown"}, {"when-exits", "thunderbird"}}, 0},
         "thunderbird is not running"},
        {{ControlVerb::Cancel, {}, 77}, "there is no task 77"}};
    for (const auto& [request, reason] : cases) {
        EXPECT_NE(server.Ask(request).refusal.find(reason), std::string::npos) << reason;
    }
    EXPECT_TRUE(engine.Tasks().IsEmpty());
    EXPECT_TRUE(server.announced.empty());
}

TEST_F(RemoteTest, ListCancelAndAnnouncements) {
    ASSERT_EQ(Run("--close vim --in 90s --grace 30s"), 0);
    ASSERT_EQ(Run("--lock --idle 20m --repeat hour"), 0);
    ASSERT_EQ(Run("--run backup.sh --at 2026-12-08 07:00 --suspend"), 0);
    ASSERT_EQ(Run("--shutdown --when-exits 102"), 0);
    ASSERT_EQ(Run("--list"), 0);
    EXPECT_EQ(out.str(), "1\t2026/12/07 10:01:30 (in 0:01:30)\tclose vim gently (30s)\tonce\n"
                         "2\tafter 20m without activity\tlock\tevery hour\n"
                         "3\t2026/12/08 07:00:00 (in 21:00:00)\trun backup.sh, then suspend\tonce\n"
                         "4\twhen vim (102) exits\tshutdown\tonce\n");
    ASSERT_EQ(Run("--cancel 4"), 0);

    EXPECT_EQ(Run("--cancel 2"), 0);
    EXPECT_EQ(Run("--cancel 2"), 2) << "gone already";
    EXPECT_EQ(engine.Tasks().Count(), 2);

    // Its time comes: the close task fires, and waits for vim while cancelling removes it.
    clock.now = DateTime{2026, 12, 7, 10, 1, 30};
    engine.SchedulerTick();
    EXPECT_EQ(Run("--cancel all"), 0);
    EXPECT_TRUE(engine.Tasks().IsEmpty());
    EXPECT_FALSE(engine.ArmedAfterAllAction()) << "the run task's suspend is disarmed too";
    using E = ControlEvent;
    EXPECT_EQ(server.announced, (std::vector<std::pair<E, std::uint64_t>>{{E::TaskAdded, 1},
                                                                          {E::TaskAdded, 2},
                                                                          {E::TaskAdded, 3},
                                                                          {E::TaskAdded, 4},
                                                                          {E::TaskRemoved, 4},
                                                                          {E::TaskRemoved, 2},
                                                                          {E::TaskFired, 1},
                                                                          {E::TaskRemoved, 1},
                                                                          {E::TaskRemoved, 3}}));
}

TEST_F(RemoteTest, WithNoInstanceATaskStartsOneAndTheRestSayItIsNotRunning) {
    client.server = nullptr;
    EXPECT_EQ(Run("--list"), 1);
    EXPECT_EQ(Run("--cancel all"), 1);
    EXPECT_NE(err.str().find("not running"), std::string::npos);
    EXPECT_EQ(Run("--shutdown --in 5m"), 1) << "it could not be started";
    client.startable = &server;
    client.starting = 2; // it owns its name a moment before it can answer
    EXPECT_EQ(Run("--shutdown --in 5m"), 0);
    EXPECT_EQ(client.started, (std::vector<std::string>(2, "/usr/bin/morvane")));
    EXPECT_EQ(engine.Tasks().Count(), 1);
}

TEST_F(RemoteTest, CancellingEverythingAlsoCancelsAHeldAction) {
    Preferences prefs = engine.Prefs();
    prefs.warnBeforeActing = true;
    engine.SetPreferences(prefs);
    ASSERT_EQ(Run("--shutdown --now"), 0);
    engine.SchedulerTick();
    ASSERT_TRUE(engine.PendingWarning()) << "the shutdown waits behind its warning";
    EXPECT_EQ(Run("--cancel all"), 0);
    EXPECT_FALSE(engine.PendingWarning());
    clock.Advance(3600);
    engine.SchedulerTick();
    EXPECT_TRUE(power.calls.empty());
}
