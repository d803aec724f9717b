#include "platform/Enumerator.h"
#include "TestSupport.h"
#include "platform/linux/WindowSystem.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace morvane::platform {
namespace {

using test::ChildProcess;
using test::TempDir;
using test::WaitUntil;

template <typename T> bool Contains(const std::vector<T>& list, T value) {
    return std::find(list.begin() + 1, list.end(), value) != list.end();
}

TEST(EnumeratorText, Format8GivesEightUpperCaseHexDigitsOfAll32Bits) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "00000000"},    {255, "000000FF"},       {-1, "FFFFFFFF"},
        {6699, "00001A2B"}, {INT32_MIN, "80000000"}, {INT32_MAX, "7FFFFFFF"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(Enumerator::Format8(value), text) << value;
    }
}

TEST(EnumeratorText, FixApiCutsAtTheFirstNul) {
    using namespace std::string_literals;
    EXPECT_EQ(Enumerator::FixApi("abc\0def"s), "abc");
    EXPECT_EQ(Enumerator::FixApi("abc"), "abc");
    EXPECT_EQ(Enumerator::FixApi(""), "");
    EXPECT_EQ(Enumerator::FixApi("\0abc"s), "");
}

TEST(EnumeratorText, IsStyleNeedsEveryCheckedBit) {
    EXPECT_TRUE(Enumerator::IsStyle(5, 0));
    EXPECT_TRUE(Enumerator::IsStyle(5, 4));
    EXPECT_FALSE(Enumerator::IsStyle(5, 6));
    EXPECT_TRUE(Enumerator::IsStyle(-1, INT32_MIN));
}

TEST(EnumeratorSnapshot, ANewInstanceHoldsNothingUntilAListIsAskedFor) {
    // The display of scripts/with-desktop.sh when there is one; without, no windows.
    const std::unique_ptr<WindowSystem> windows = WindowSystem::Open();
    Enumerator e(windows.get());
    EXPECT_FALSE(e.EnumsReady());
    EXPECT_EQ(e.NumOfProcesses(), 0);
    EXPECT_EQ(e.NumOfThreads(), 0);
    EXPECT_EQ(e.NumOfWinds(), 0);

    std::vector<ProcessId> processes;
    e.ReturnProcessEnum(processes);

    EXPECT_TRUE(e.EnumsReady());
    ASSERT_GE(processes.size(), 2u);
    EXPECT_EQ(processes[0], 0);
    EXPECT_TRUE(Contains<ProcessId>(processes, getpid()));
    EXPECT_EQ(e.NumOfProcesses(), static_cast<std::int32_t>(processes.size() - 1));
    EXPECT_GE(e.NumOfThreads(), e.NumOfProcesses());

    std::vector<WindowId> winds;
    e.ReturnWindEnum(winds);
    ASSERT_FALSE(winds.empty());
    EXPECT_EQ(winds[0], 0u);
    EXPECT_EQ(e.NumOfWinds(), static_cast<std::int32_t>(winds.size() - 1));
    const WindowId desktop = e.DesktopWind();
    if (desktop != 0) {
        EXPECT_EQ(std::count(winds.begin() + 1, winds.end(), desktop), 1);
    }

    e.DestroyEnums();
    EXPECT_FALSE(e.EnumsReady());
    EXPECT_EQ(e.NumOfProcesses(), 0);
    EXPECT_EQ(e.NumOfThreads(), 0);
    EXPECT_EQ(e.NumOfWinds(), 0);
}

TEST(EnumeratorSnapshot, AStoredSnapshotAgesUnlessNewEnumIsOne) {
    TempDir dir;
    Enumerator e(nullptr);
    std::vector<ProcessId> before;
    e.ReturnProcessEnum(before);

    ChildProcess child({test::CopyProgram("/usr/bin/sleep", dir.Path(), "morvane-late"), "600"});
    std::vector<ProcessId> aged;
    e.ReturnProcessEnum(aged);
    EXPECT_EQ(aged, before);
    EXPECT_FALSE(Contains<ProcessId>(aged, child.Pid()));

    e.SetNewEnum(1);
    EXPECT_EQ(e.NewEnum(), 1);
    std::vector<ProcessId> fresh;
    e.ReturnProcessEnum(fresh);
    EXPECT_TRUE(Contains<ProcessId>(fresh, child.Pid()));
}

TEST(EnumeratorThreads, AThreadOfOursMapsToOurProcessAndTheSnapshotKeepsIt) {
    std::promise<pid_t> started;
    std::promise<void> finish;
    std::thread worker([&] {
        started.set_value(gettid());
        finish.get_future().wait();
    });
    const pid_t tid = started.get_future().get();

    Enumerator e(nullptr);
    e.EnumAll();
    std::vector<ThreadId> threads;
    e.ReturnThreadEnum(threads);
    EXPECT_EQ(threads[0], 0);
    EXPECT_TRUE(Contains<ThreadId>(threads, tid));
    EXPECT_TRUE(Contains<ThreadId>(threads, getpid()));

    EXPECT_EQ(e.ThreadProcess(tid), getpid());
    EXPECT_EQ(e.ThreadProcess(getpid()), getpid());
    // Asking about one thread leaves the stored snapshot whole.
    std::vector<ThreadId> after;
    e.ReturnThreadEnum(after);
    EXPECT_EQ(after, threads);

    finish.set_value();
    worker.join();
}

TEST(EnumeratorThreads, ThreadProcessOfNoThreadIsZero) {
    std::ifstream file("/proc/sys/kernel/pid_max");
    ThreadId max = 4194304;
    file >> max;
    Enumerator e(nullptr);
    for (const ThreadId tid : {ThreadId{0}, ThreadId{-3}, max + 1}) {
        EXPECT_EQ(e.ThreadProcess(tid), 0) << tid;
    }
    EXPECT_FALSE(e.ThreadHung(gettid()));
}

TEST(EnumeratorProcesses, KillProcessEndsOurChildAndRefusesTheRest) {
    TempDir dir;
    const std::string path = test::CopyProgram("/usr/bin/sleep", dir.Path(), "morvane-kill-me");
    ChildProcess child({path, "600"});
    Enumerator e(nullptr);
    ASSERT_TRUE(WaitUntil([&] { return e.ProcessName(child.Pid()) == "morvane-kill-me"; }));

    EXPECT_TRUE(e.KillProcess(child.Pid()));
    const std::optional<int> status = child.WaitForExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFSIGNALED(*status) && WTERMSIG(*status) == SIGKILL);

    std::ifstream file("/proc/sys/kernel/pid_max");
    ProcessId max = 4194304;
    file >> max;
    EXPECT_FALSE(e.KillProcess(max + 1));
    EXPECT_EQ(e.ProcessName(max + 1), "");

    const int guarded = test::RunInChild([] {
        Enumerator inChild(nullptr);
        const ProcessId self = getpid();
        const bool any = inChild.KillProcess(0) || inChild.KillProcess(self) ||
                         inChild.KillProcess(-self) || inChild.KillProcess(ProcessId{1} << 32);
        return any ? 1 : 0;
    });
    ASSERT_TRUE(WIFEXITED(guarded));
    EXPECT_EQ(WEXITSTATUS(guarded), 0);
}

} // namespace
} // namespace morvane::platform
