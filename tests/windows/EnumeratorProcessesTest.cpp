#include "ChildProcess.h"
#include "platform/Enumerator.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace morvane::platform {
namespace {

using test::ChildProcess;

template <typename List, typename Value> bool Holds(const List& list, Value value) {
    return std::find(list.begin() + 1, list.end(), value) != list.end();
}

TEST(WindowsEnumerator, SnapshotsHoldOurProcessOurThreadAndOurChild) {
    const ChildProcess child(test::ChildProgram());
    ASSERT_NE(child.Pid(), 0U);
    Enumerator enumerator(nullptr);
    std::vector<ProcessId> processes;
    std::vector<ThreadId> threads;
    enumerator.ReturnProcessEnum(processes);
    enumerator.ReturnThreadEnum(threads);

    EXPECT_EQ(processes.front(), 0);
    EXPECT_TRUE(Holds(processes, static_cast<ProcessId>(GetCurrentProcessId())));
    EXPECT_TRUE(Holds(processes, static_cast<ProcessId>(child.Pid())));
    EXPECT_EQ(enumerator.NumOfProcesses(), static_cast<std::int32_t>(processes.size() - 1));
    EXPECT_TRUE(Holds(threads, static_cast<ThreadId>(GetCurrentThreadId())));

    // A thread's process comes from a snapshot of its own; the stored one stays.
    const std::int32_t threadCount = enumerator.NumOfThreads();
    EXPECT_EQ(enumerator.ThreadProcess(GetCurrentThreadId()),
              static_cast<ProcessId>(GetCurrentProcessId()));
    EXPECT_EQ(enumerator.ThreadProcess(0), 0);
    EXPECT_EQ(enumerator.NumOfThreads(), threadCount);
    EXPECT_FALSE(enumerator.ThreadHung(GetCurrentThreadId()));

    EXPECT_EQ(enumerator.ProcessName(child.Pid()), "morvane_process_child.exe");
    EXPECT_EQ(enumerator.ProcessName(0), "");
}

TEST(WindowsEnumerator, KillProcessEndsOurChildAndRefusesTheRest) {
    const ChildProcess child(test::ChildProgram());
    ASSERT_NE(child.Pid(), 0U);
    Enumerator enumerator(nullptr);

    EXPECT_FALSE(enumerator.KillProcess(0));
    EXPECT_FALSE(enumerator.KillProcess(-1));
    EXPECT_FALSE(enumerator.KillProcess(GetCurrentProcessId()));
    ASSERT_FALSE(child.Ended(0));

    EXPECT_TRUE(enumerator.KillProcess(child.Pid()));
    ASSERT_TRUE(child.Ended(10000));
    // Ended with the code it had: a running process's.
    EXPECT_EQ(child.ExitCode(), STILL_ACTIVE);
}

} // namespace
} // namespace morvane::platform
