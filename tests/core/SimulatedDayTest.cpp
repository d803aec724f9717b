// Twenty-four hours of the real program's timers, on the fake clock: every loop kind, idle tasks,
// countdowns and fixed times, through a daylight-saving change and two clock steps.

#include "FakeRig.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <string>

using namespace morvane;
using morvane::test::TestFolder;

namespace {

class SimulatedDay : public ::testing::Test, protected morvane::test::FakeRig {
protected:
    TestFolder dir;
};

} // namespace

TEST_F(SimulatedDay, EveryTaskFiresOncePerPeriodWithoutACatchUpStormAndNothingGrows) {
    // Started at noon on the day before Europe's spring change. Countdowns and idle periods start
    // at start-up; the loop decides what follows.
    const std::string kept =
        "once\t/bin/once\tNone\t2026/03/28 23:59:59\tNone\tRun - Normal\t\r\n"
        "monthly\t/bin/monthly\tNone\t2026/02/28 20:00:00\tEvery Month\tRun - Normal\t\r\n"
        "skipped\t/bin/skipped\tNone\t2026/03/29 02:30:00\tEvery Day\tRun - Normal\t\r\n"
        "repeated\t/bin/repeated\tNone\t2026/03/29 08:59:00\tEvery Day\tRun - Normal\t\r\n"
        "hourly\t/usr/bin/hourly\tNone\t2026/03/28 12:15:00\tEvery Hour\tClose - Normal\t"
        "Turn Off the Monitor\r\n"
        "minute\t/bin/minute\tNone\t2026/03/28 12:00:30\tEvery Minute\tRun - Normal\t\r\n"
        "countdown\t/bin/countdown\tNone\tx\tEvery Hour\tRun - After 00-02-00-00\t\r\n"
        "countdown1\t/bin/countdown1\tNone\tx\tNone\tRun - After 00-00-45-00\t\r\n"
        "idle\t/bin/idle\tNone\tx\tNone\tRun - AfterNoMouseMoving 00-00-20-00\t\r\n"
        "idler\t/usr/bin/idler\tNone\tx\tEvery Day\tClose - AfterNoMouseMoving 00-01-00-00\t\r\n";
    const auto appdata = dir / "appdata";
    std::filesystem::create_directories(appdata);
    TestFolder::Write(appdata / "mvsetting.ini", "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
    TestFolder::Write(appdata / "default.mtf", kept);
    const std::vector<platform::ProcessInfo> programs = {{"/usr/bin/hourly", 501},
                                                         {"/usr/bin/idler", 502}};
    processes.running = programs;
    clock.now = DateTime{2026, 3, 28, 12, 0, 0};

    Engine engine{services, AppPaths{MORVANE_DATA_DIR, appdata, "morvane"}};
    engine.ResetIdle();
    engine.ChooseStartupLanguage();
    engine.ClearStartupMarks();
    ASSERT_TRUE(engine.LoadSettingsAndTasks());
    ASSERT_EQ(engine.Tasks().Count(), 10);

    // Wall-clock steps at these real seconds: 02:00 becomes 03:00; at 09:00 the time is set
    // back two minutes; at 10:58 it is set forward two and a half.
    const std::map<int, int> steps = {{14 * 3600, 3600}, {20 * 3600, -120}, {22 * 3600, 150}};
    for (int t = 0; t < 24 * 3600; ++t) {
        if (t > 0) {
            clock.Advance(1);
        }
        if (const auto step = steps.find(t); step != steps.end()) {
            clock.Advance(step->second);
        }
        // The pointer moves during the first hour only (it starts at rest).
        idle.steady = t >= 1 && t < 3600 ? platform::Activity::Active : platform::Activity::Idle;
        engine.SchedulerTick(); // two 500 ms ticks to each second of the clock
        engine.SchedulerTick();
        engine.MouseTick();
        // Closed programs are started again by the user.
        for (const platform::ProcessInfo& p : programs) {
            if (std::find(processes.running.begin(), processes.running.end(), p) ==
                processes.running.end()) {
                processes.running.push_back(p);
            }
        }
        ASSERT_LE(engine.Tasks().Count(), 10);
    }
    EXPECT_EQ(clock.Now(), (DateTime{2026, 3, 29, 13, 0, 29}));

    std::map<std::string, int> fired;
    for (const std::string& line : launcher.launched) {
        ++fired[line];
    }
    for (const platform::ProcessInfo& p : processes.terminations) {
        ++fired[p.path];
    }
    const std::map<std::string, int> expected = {
        {"/bin/once", 1},        // one-off at 23:59:59
        {"/bin/monthly", 2},     // the missed February run once, then March's
        {"/bin/skipped", 1},     // due in the hour the clocks skip: once, at 03:00
        {"/bin/repeated", 1},    // 08:59 comes twice on the clock; the task runs once
        {"/usr/bin/hourly", 25}, // 14 + the skipped 02:15 once + 6 + 2 + 2
        {"/bin/minute", 1441},   // 1440 real minutes, 60 skipped at 02:00 caught up by one run,
                                 // the two lived again after the step back run again, and the
                                 // forward step's two caught up by one
        {"/bin/countdown", 23},  // hourly from 14:00, the same catch-ups
        {"/bin/countdown1", 1},  // 45 minutes after start-up
        {"/bin/idle", 1},        // 20 minutes after the pointer stopped
        {"/usr/bin/idler", 1},   // an hour after the pointer stopped, then daily
    };
    EXPECT_EQ(fired, expected);
    int firings = 0;
    for (const auto& [task, count] : fired) {
        firings += count;
    }
    std::cout << "[ simulated day ] " << firings << " firings:";
    for (const auto& [task, count] : fired) {
        std::cout << ' ' << task << '=' << count;
    }
    std::cout << '\n';

    // Nothing grows with the ticks: every record belongs to a firing.
    EXPECT_EQ(engine.Tasks().Count(), 7) << "the three one-off tasks are gone";
    EXPECT_EQ(power.calls.size(), 25U);
    EXPECT_LE(processes.scans, 2 * firings) << "at most a scan before and after each pass";
    EXPECT_LE(fileSync.synced.size(), 2U * static_cast<std::size_t>(firings + 1))
        << "the kept list written at start-up and at most once per tick that fired";
    EXPECT_LE(std::filesystem::file_size(appdata / "default.mtf"), kept.size());
    EXPECT_TRUE(logged.empty());
}
