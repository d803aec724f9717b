// Asking a process to close: a window of a child program of ours is asked through WM_CLOSE, a
// child without a window is said to have none and is forced, and a changed identity is refused.
#include "ChildProcess.h"
#include "platform/windows/WindowsProcesses.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace morvane::platform {
namespace {

using test::ChildProcess;

// A child under a closing hand is given this long to end; it ends in milliseconds.
constexpr DWORD kEndWithin = 10000;

ProcessInfo Seen(WindowsProcesses& processes, const ChildProcess& child) {
    const std::vector<ProcessInfo> scan = processes.ScanRunningPrograms();
    const auto it = std::find_if(scan.begin(), scan.end(), [&child](const ProcessInfo& p) {
        return p.pid == static_cast<ProcessId>(child.Pid());
    });
    return it == scan.end() ? ProcessInfo{} : *it;
}

TEST(WindowsCloseRequest, AWindowIsAskedToCloseAndAProcessWithoutOneIsForcedLater) {
    WindowsProcesses processes;
    const ChildProcess windowed(test::OwnFolder() + L"\\morvane_window_child.exe");
    const ChildProcess console(test::ChildProgram());
    const ProcessInfo windowSeen = Seen(processes, windowed);
    const ProcessInfo consoleSeen = Seen(processes, console);
    ASSERT_NE(windowSeen.pid, 0);
    ASSERT_NE(consoleSeen.pid, 0);

    EXPECT_EQ(
        processes.AskToClose({windowSeen.path, windowSeen.pid, windowSeen.startTime + 1}).outcome,
        CloseAsk::NotSent)
        << "another process with this id";

    const CloseRequest noWindow = processes.AskToClose(consoleSeen);
    EXPECT_EQ(noWindow.outcome, CloseAsk::NoWindow);
    EXPECT_TRUE(processes.StillRuns(noWindow.identity));
    processes.TerminateProcess(noWindow.identity);
    ASSERT_TRUE(console.Ended(kEndWithin));
    EXPECT_NE(console.ExitCode(), 7U) << "it ended by itself, not by the forced end";

    const CloseRequest asked = processes.AskToClose(windowSeen);
    EXPECT_EQ(asked.outcome, CloseAsk::Asked);
    EXPECT_EQ(asked.identity, windowSeen);
    ASSERT_TRUE(windowed.Ended(kEndWithin));
    EXPECT_EQ(windowed.ExitCode(), 8U) << "its window closed and it ended by itself";
    EXPECT_FALSE(processes.StillRuns(asked.identity)) << "ended, though our handle keeps its id";
}

} // namespace
} // namespace morvane::platform
