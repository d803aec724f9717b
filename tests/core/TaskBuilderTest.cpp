#include "core/editor/TaskBuilder.h"
#include "core/editor/ProgramTargets.h"

#include "core/Options.h"
#include "core/RunningPrograms.h"
#include "core/tasks/TaskPlan.h"
#include "platform/fake/FakeLauncher.h"
#include "platform/fake/FakeProcesses.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

using namespace morvane;
using Input = TaskBuilder::Input;
using Refusal = TaskBuilder::Refusal;

namespace {

const DateTime kNow{2026, 12, 7, 10, 0, 0};
const platform::FakeLauncher kLauncher{};

Input PickedNotepad() {
    Input in;
    in.targetName = "notepad.exe";
    in.processId = "812";
    in.targetPath = "/usr/bin/notepad.exe";
    return in;
}

Input FixedDate(Input in, std::string year, int month, std::string day, std::string hour = "09",
                std::string minute = "05", std::string second = "00") {
    in.countdown = false;
    in.year = std::move(year);
    in.monthIndex = month - 1;
    in.day = std::move(day);
    in.hour = std::move(hour);
    in.minute = std::move(minute);
    in.second = std::move(second);
    return in;
}

struct BuildCase {
    const char* name;
    Input input;
    Task expected;
};

// Test listings show the case's name rather than its bytes.
void PrintTo(const BuildCase& c, std::ostream* os) {
    *os << c.name;
}

class Builds : public ::testing::TestWithParam<BuildCase> {};

TEST_P(Builds, TheSevenTexts) {
    const BuildCase& c = GetParam();
    EXPECT_EQ(TaskBuilder::Check(c.input), Refusal::None);
    EXPECT_EQ(TaskBuilder::Build(c.input, kNow, kLauncher), c.expected);
}

// The editor opened on a task and saved unchanged gives the same task.
TEST_P(Builds, EditingGivesTheTaskBack) {
    const Task& task = GetParam().expected;
    const Input in = TaskBuilder::InputOf(task, DateOrder::DayFirst);
    EXPECT_EQ(TaskBuilder::Check(in), Refusal::None);
    EXPECT_EQ(TaskBuilder::Build(in, kNow, kLauncher), task);
}

std::vector<BuildCase> BuildCases() {
    std::vector<BuildCase> cases;
    {
        Input in = PickedNotepad();
        in.hours = "01";
        in.minutes = "30";
        in.loop = "Every Hour";
        cases.push_back({"CloseCountdownFromTheList", in,
                         Task{"notepad.exe", "/usr/bin/notepad.exe", "812", "2026/12/07 11:30:00",
                              "Every Hour", "Close - After 00-01-30-00", ""}});
    }
    {
        Input in = FixedDate({}, "2027", 1, "05");
        in.autoType = 1;
        in.commandLine = "/opt/tools/backup.sh --full";
        cases.push_back({"RunAtFixedDate", in,
                         Task{"backup.sh", "/opt/tools/backup.sh --full", "None",
                              "2027/01/05 09:05:00", "None", "Run - Normal", ""}});
    }
    {
        // Only a program to close is asked first: an Empty task keeps the older text.
        Input in;
        in.emptyTask = true;
        in.gentle = true;
        in.afterIndex = 1;
        in.quit = true;
        in.minutes = "10";
        cases.push_back({"EmptyTaskWithShutdownAndQuit", in,
                         Task{"Empty", "None", "None", "2026/12/07 10:10:00", "None",
                              "Close - After 00-00-10-00", "Shutdown PC - Q"}});
    }
    {
        Input in = PickedNotepad();
        in.quit = true;
        in.seconds = "5";
        cases.push_back({"QuitAlone", in,
                         Task{"notepad.exe", "/usr/bin/notepad.exe", "812", "2026/12/07 10:00:05",
                              "None", "Close - After 00-00-00-5", " - Q"}});
    }
    {
        // Entries are written as typed and may exceed the list's 99.
        Input in = PickedNotepad();
        in.days = "5";
        in.hours = "0";
        in.minutes = "250";
        in.seconds = "0";
        cases.push_back({"TypedEntriesKeptAsTyped", in,
                         Task{"notepad.exe", "/usr/bin/notepad.exe", "812", "2026/12/12 14:10:00",
                              "None", "Close - After 5-0-250-0", ""}});
    }
    {
        Input in = PickedNotepad();
        in.noMouseMoving = true;
        in.minutes = "10";
        in.afterIndex = 5;
        cases.push_back(
            {"CloseAfterNoMouseMoving", in,
             Task{"notepad.exe", "/usr/bin/notepad.exe", "812", "2026/12/07 10:10:00", "None",
                  "Close - AfterNoMouseMoving 00-00-10-00", "Turn Off the Monitor"}});
    }
    {
        Input in;
        in.autoType = 1;
        in.commandLine = "xterm";
        in.noMouseMoving = true;
        in.hours = "02";
        in.afterIndex = 4;
        in.loop = "Every Day";
        cases.push_back({"RunAfterNoMouseMoving", in,
                         Task{"xterm", "xterm", "None", "2026/12/07 12:00:00", "Every Day",
                              "Run - AfterNoMouseMoving 00-02-00-00", "Hibernate"}});
    }
    {
        Input in;
        in.autoType = 1;
        in.commandLine = "/usr/bin/xclock";
        in.gentle = true;
        in.days = "01";
        in.afterIndex = 2;
        in.quit = true;
        cases.push_back({"RunCountdownRebootQuit", in,
                         Task{"xclock", "/usr/bin/xclock", "None", "2026/12/08 10:00:00", "None",
                              "Run - After 01-00-00-00", "Reboot - Q"}});
    }
    {
        Input in = FixedDate(PickedNotepad(), "2026", 12, "31", "23", "59", "59");
        in.afterIndex = 3;
        in.loop = "Every Month";
        cases.push_back({"CloseAtFixedDateLogOff", in,
                         Task{"notepad.exe", "/usr/bin/notepad.exe", "812", "2026/12/31 23:59:59",
                              "Every Month", "Close - Normal", "Log Off"}});
    }
    {
        // A picked program whose path is unknown still names what to close.
        Input in = PickedNotepad();
        in.targetPath.clear();
        in.minutes = "01";
        cases.push_back({"PickedWithoutPath", in,
                         Task{"notepad.exe", "", "812", "2026/12/07 10:01:00", "None",
                              "Close - After 00-00-01-00", ""}});
    }
    {
        Input in = PickedNotepad();
        in.gentle = true;
        cases.push_back({"CloseGentlyAlone", in,
                         Task{"notepad.exe", "/usr/bin/notepad.exe", "812", "2026/12/07 10:00:00",
                              "None", "Close - After 00-00-00-00", " - Gentle 10"}});
        // The grace goes between the power name and the quit flag.
        in.graceSeconds = 90;
        in.afterIndex = 1;
        in.quit = true;
        cases.push_back({"CloseGentlyShutdownQuit", in,
                         Task{"notepad.exe", "/usr/bin/notepad.exe", "812", "2026/12/07 10:00:00",
                              "None", "Close - After 00-00-00-00", "Shutdown PC - Gentle 90 - Q"}});
    }
    {
        // A browsed path is written quoted; the task is named after the program, not the quotes.
        Input in;
        in.autoType = 1;
        in.commandLine = R"("/home/me/My Apps/it's \"new\"" --now)";
        in.minutes = "01";
        cases.push_back({"RunQuotedPath", in,
                         Task{R"(it's "new")", in.commandLine, "None", "2026/12/07 10:01:00",
                              "None", "Run - After 00-00-01-00", ""}});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(TaskBuilder, Builds, ::testing::ValuesIn(BuildCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Power and quit are read as every older version reads them (the power name as a prefix, the
// quit flag as the last character), so an older version closes such a task's program at once.
TEST(TaskPlan, GentleAfterTextsReadSafelyHereAndInOlderVersions) {
    struct Row {
        const char* after;
        PowerAction power;
        bool quit;
        std::optional<int> grace;
    };
    const Row rows[] = {
        {"Shutdown PC - Gentle 10 - Q", PowerAction::Shutdown, true, 10},
        {" - Gentle 25", PowerAction::None, false, 25},
        {" - Gentle 25 - Q", PowerAction::None, true, 25},
        {"Reboot - Gentle", PowerAction::Reboot, false, kDefaultGraceSeconds},
        {"Log Off - Gentle x5", PowerAction::LogOff, false, kDefaultGraceSeconds},
        {"Hibernate - Gentle 0", PowerAction::Hibernate, false, kMinGraceSeconds},
        {"Hibernate - Gentle 7200 - Q", PowerAction::Hibernate, true, kMaxGraceSeconds},
        {"Reboot - Gentle 99999999999999999999", PowerAction::Reboot, false, kMaxGraceSeconds},
        {"Shutdown PC - gentle 5", PowerAction::Shutdown, false, std::nullopt},
        {"Shutdown PC - Q", PowerAction::Shutdown, true, std::nullopt},
    };
    for (const Row& r : rows) {
        const TaskPlan plan =
            ParseTask({"vim", "/usr/bin/vim", "102", "", "None", "Close - Normal", r.after},
                      DateOrder::DayFirst);
        EXPECT_EQ(plan.power, r.power) << r.after;
        EXPECT_EQ(plan.quit, r.quit) << r.after;
        EXPECT_EQ(plan.gentle, r.grace.has_value()) << r.after;
        EXPECT_EQ(plan.graceSeconds, r.grace.value_or(kDefaultGraceSeconds)) << r.after;
    }
}

// A host that ends the program at the first blank and keeps backslashes, as Windows does.
class FirstWordLauncher final : public platform::Launcher {
public:
    Result Launch(const std::string&) override { return {}; }
    [[nodiscard]] std::string ProgramOf(const std::string& line) const override {
        return line.substr(0, line.find(' '));
    }
    [[nodiscard]] std::string QuotedProgram(const std::string& path) const override { return path; }
};

TEST(TaskBuilder, ARunTaskIsNamedAfterTheProgramTheLauncherReads) {
    Input in;
    in.autoType = 1;
    in.commandLine = R"(C:\Apps\tool.exe -x)";
    const Task windows = TaskBuilder::Build(in, kNow, FirstWordLauncher{});
    EXPECT_EQ(windows.program, "tool.exe");
    EXPECT_EQ(windows.path, in.commandLine);
    // The fake reads the line as a shell would, where a backslash only escapes the next letter.
    EXPECT_EQ(TaskBuilder::Build(in, kNow, kLauncher).program, "C:Appstool.exe");
}

TEST(TaskBuilder, RefusesInTheEditorsOrder) {
    Input nothingPicked;
    EXPECT_EQ(TaskBuilder::Check(nothingPicked), Refusal::NoTarget);

    Input empty;
    empty.emptyTask = true;
    EXPECT_EQ(TaskBuilder::Check(empty), Refusal::None);

    Input run;
    run.autoType = 1;
    EXPECT_EQ(TaskBuilder::Check(run), Refusal::EmptyCommandLine);
    // The run type never asks for a picked program.
    run.commandLine = "xterm";
    EXPECT_EQ(TaskBuilder::Check(run), Refusal::None);

    for (const char* bad : {"xterm\t-e top", "xterm\n", "a\rb"}) {
        run.commandLine = bad;
        EXPECT_EQ(TaskBuilder::Check(run), Refusal::UnstorableCommandLine) << bad;
    }
}

TEST(TaskBuilder, RefusesDatesTheCalendarLacks) {
    EXPECT_EQ(TaskBuilder::Check(FixedDate(PickedNotepad(), "2026", 2, "31")),
              Refusal::DateDoesNotExist);
    EXPECT_EQ(TaskBuilder::Check(FixedDate(PickedNotepad(), "2026", 2, "29")),
              Refusal::DateDoesNotExist);
    EXPECT_EQ(TaskBuilder::Check(FixedDate(PickedNotepad(), "2028", 2, "29")), Refusal::None);
    EXPECT_EQ(TaskBuilder::Check(FixedDate(PickedNotepad(), "2026", 4, "31")),
              Refusal::DateDoesNotExist);
    // The countdown ignores the date lists entirely.
    Input countdown = FixedDate(PickedNotepad(), "2026", 2, "31");
    countdown.countdown = true;
    countdown.minutes = "01";
    EXPECT_EQ(TaskBuilder::Check(countdown), Refusal::None);
    // The target check comes first.
    Input both = FixedDate({}, "2026", 2, "31");
    EXPECT_EQ(TaskBuilder::Check(both), Refusal::NoTarget);
}

TEST(TaskBuilder, ZeroCountdownQuestion) {
    struct Row {
        bool countdown;
        const char *d, *h, *m, *s;
        bool asks;
    };
    const Row rows[] = {
        {true, "00", "00", "00", "00", true},    {true, "0", "000", "00", "0", true},
        {true, "00", "00", "00", "01", false},   {false, "00", "00", "00", "00", false},
        {true, "", "00", "30", "00", true},      {false, "", "00", "30", "00", true},
        {true, "00", "32768", "00", "00", true}, {true, "00", "32767", "00", "00", false},
        {true, "x", "00", "00", "00", true},
    };
    for (const Row& r : rows) {
        Input in = PickedNotepad();
        in.countdown = r.countdown;
        in.days = r.d;
        in.hours = r.h;
        in.minutes = r.m;
        in.seconds = r.s;
        EXPECT_EQ(TaskBuilder::AsksAboutZeroCountdown(in), r.asks)
            << r.countdown << " " << r.d << "-" << r.h << "-" << r.m << "-" << r.s;
    }
}

TEST(TaskBuilder, PastTimeQuestion) {
    struct Row {
        bool countdown;
        const char* day;
        const char* hour;
        const char* minute;
        const char* second;
        bool asks;
    };
    // kNow is 2026/12/07 10:00:00.
    const Row rows[] = {
        {false, "07", "09", "59", "59", true},  {false, "07", "10", "00", "00", true},
        {false, "07", "10", "00", "01", false}, {false, "06", "23", "00", "00", true},
        {true, "07", "09", "00", "00", false},  {false, "31", "10", "00", "00", false},
    };
    for (const Row& r : rows) {
        Input in = FixedDate(PickedNotepad(), "2026", 12, r.day, r.hour, r.minute, r.second);
        in.countdown = r.countdown;
        in.minutes = "05";
        EXPECT_EQ(TaskBuilder::AsksAboutPastTime(in, kNow), r.asks)
            << r.countdown << " " << r.day << " " << r.hour << ":" << r.minute << ":" << r.second;
    }
    // A date the calendar lacks is Check's to refuse, not a past time.
    EXPECT_FALSE(TaskBuilder::AsksAboutPastTime(FixedDate(PickedNotepad(), "2026", 2, "31"), kNow));
}

TEST(TaskBuilder, UnreadableCountdownPartsAddNothing) {
    Input in = PickedNotepad();
    in.days = "";
    in.hours = "00";
    in.minutes = "30";
    in.seconds = "00";
    const Task t = TaskBuilder::Build(in, kNow, kLauncher);
    EXPECT_EQ(t.closeTime, "2026/12/07 10:30:00");
    EXPECT_EQ(t.type, "Close - After -00-30-00");
}

TEST(TaskBuilder, ZeroCountdownIsDueNow) {
    EXPECT_EQ(TaskBuilder::Build(PickedNotepad(), kNow, kLauncher).closeTime,
              "2026/12/07 10:00:00");
}

TEST(TaskBuilder, EveryPowerActionIsStoredAndReadBackAtItsListPosition) {
    // The texts are the task files' format and the positions the editor's: both stay put.
    const std::tuple<PowerAction, int, const char*> actions[] = {
        {PowerAction::None, 0, ""},
        {PowerAction::Shutdown, 1, "Shutdown PC"},
        {PowerAction::Reboot, 2, "Reboot"},
        {PowerAction::LogOff, 3, "Log Off"},
        {PowerAction::Hibernate, 4, "Hibernate"},
        {PowerAction::MonitorOff, 5, "Turn Off the Monitor"},
        {PowerAction::Suspend, 6, "Suspend"},
        {PowerAction::Lock, 7, "Lock the Screen"},
    };
    for (const auto& [action, index, text] : actions) {
        for (const bool quit : {false, true}) {
            Input in;
            in.emptyTask = true;
            in.afterIndex = index;
            in.quit = quit;
            const Task task = TaskBuilder::Build(in, kNow, kLauncher);
            EXPECT_EQ(task.after, std::string(text) + (quit ? " - Q" : "")) << index;
            const TaskPlan plan = ParseTask(task, DateOrder::DayFirst);
            EXPECT_EQ(plan.power, action) << task.after;
            EXPECT_EQ(plan.quit, quit) << task.after;
            EXPECT_EQ(TaskBuilder::InputOf(task, DateOrder::DayFirst).afterIndex, index);
        }
    }
}

TEST(TaskBuilder, AfterMarks) {
    struct Row {
        bool quit;
        int after;
        std::vector<Mark> checked;
    };
    const Row rows[] = {
        {false, 0, {}},
        {true, 0, {Mark::Quit}},
        {false, 2, {Mark::Reboot}},
        // The quit mark set first is cleared by the power action's reset.
        {true, 1, {Mark::Shut}},
        {true, 4, {Mark::Hibernate}},
        {false, 6, {Mark::Suspend}},
        {true, 7, {Mark::Lock}},
    };
    for (const Row& r : rows) {
        Options options;
        options.SetChecked(Mark::Screen, true);
        Input in;
        in.quit = r.quit;
        in.afterIndex = r.after;
        TaskBuilder::SetAfterMarks(in, options);
        std::vector<Mark> checked;
        for (Mark m : {Mark::Shut, Mark::Reboot, Mark::Logoff, Mark::Hibernate, Mark::Screen,
                       Mark::Suspend, Mark::Lock, Mark::Quit}) {
            if (options.IsChecked(m)) {
                checked.push_back(m);
            }
        }
        std::vector<Mark> expected = r.checked;
        if (r.after == 0) {
            // "Do Nothing" leaves an earlier choice alone.
            expected.insert(expected.begin(), Mark::Screen);
        }
        EXPECT_EQ(checked, expected) << "quit " << r.quit << " after " << r.after;
    }
}

class ProgramTargetsTest : public ::testing::Test {
protected:
    ProgramTargetsTest() {
        processes.running = {{"/usr/bin/gedit", 300},  {"/usr/bin/xterm", 301},
                             {"/usr/bin/gedit", 302},  {"/opt/Gedit", 303},
                             {"/usr/bin/gedit", 4242}, {"/usr/bin/gedit", 0}};
        running.Rebuild(processes.ScanRunningPrograms());
    }
    platform::FakeProcesses processes{4242};
    RunningPrograms running;
};

TEST_F(ProgramTargetsTest, FirstProcessInScanOrderWithExactName) {
    EXPECT_EQ(ProgramTargets::FirstProcessId(running, "gedit"), "300");
    EXPECT_EQ(ProgramTargets::FirstProcessId(running, "Gedit"), "303");
    EXPECT_EQ(ProgramTargets::FirstProcessId(running, "GEDIT"), std::nullopt);
}

TEST_F(ProgramTargetsTest, CloseNowEndsEveryCopyButNeverOurselvesOrZero) {
    EXPECT_EQ(ProgramTargets::CloseNow(running, processes, "gedit"), 2);
    EXPECT_EQ(processes.terminated, (std::vector<platform::ProcessId>{300, 302}));
    EXPECT_EQ(ProgramTargets::CloseNow(running, processes, "nothing"), 0);
}

TEST(ProgramTargets, RowNamedIgnoresCase) {
    const std::vector<std::string> names = {"bash", "Firefox", "firefox"};
    EXPECT_EQ(ProgramTargets::RowNamed(names, "FIREFOX"), 1);
    EXPECT_EQ(ProgramTargets::RowNamed(names, "zsh"), -1);
    EXPECT_EQ(ProgramTargets::RowNamed(names, ""), -1);
}

} // namespace
