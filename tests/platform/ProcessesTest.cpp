#include "TestSupport.h"
#include "core/RunningPrograms.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/linux/ProcFs.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morvane::platform {
namespace {

using test::ChildProcess;
using test::TempDir;
using test::WaitUntil;

ProcessId BeyondPidMax() {
    std::ifstream file("/proc/sys/kernel/pid_max");
    ProcessId max = 4194304;
    file >> max;
    return max + 1;
}

class LinuxProcessesTest : public ::testing::Test {
protected:
    // A program under a name of our own, so the scan's answer about it is ours to check.
    std::string StartableCopy(const std::string& name, const std::string& folder = {}) {
        return test::CopyProgram("/usr/bin/sleep", folder.empty() ? m_dir.Path() : folder, name);
    }
    // Waits until the child has left fork for its own executable.
    void WaitForImage(const ChildProcess& child, const std::string& name) {
        ASSERT_TRUE(WaitUntil([&] { return m_processes.ProcessName(child.Pid()) == name; }))
            << "child " << child.Pid() << " never showed as " << name;
    }
    static const ProcessInfo* Find(const std::vector<ProcessInfo>& scan, ProcessId pid) {
        const auto it = std::find_if(scan.begin(), scan.end(),
                                     [pid](const ProcessInfo& p) { return p.pid == pid; });
        return it == scan.end() ? nullptr : &*it;
    }

    TempDir m_dir;
    LinuxProcesses m_processes;
};

TEST_F(LinuxProcessesTest, ScanFindsOurChildByPathAndId) {
    const std::string path = StartableCopy("morvane-probe-sleep");
    ChildProcess child({path, "600"});
    WaitForImage(child, "morvane-probe-sleep");

    const std::vector<ProcessInfo> scan = m_processes.ScanRunningPrograms();
    const ProcessInfo* found = Find(scan, child.Pid());
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->path, path);
}

TEST_F(LinuxProcessesTest, ScanListsOnlyReadableImagesEachOnce) {
    const std::vector<ProcessInfo> scan = m_processes.ScanRunningPrograms();
    std::vector<ProcessId> pids;
    for (const ProcessInfo& p : scan) {
        EXPECT_GT(p.pid, 0);
        ASSERT_FALSE(p.path.empty());
        EXPECT_EQ(p.path.front(), '/') << p.path;
        pids.push_back(p.pid);
    }
    std::sort(pids.begin(), pids.end());
    EXPECT_EQ(std::adjacent_find(pids.begin(), pids.end()), pids.end());
    const ProcessInfo* self = Find(scan, getpid());
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(self->path, std::filesystem::read_symlink("/proc/self/exe").string());
}

TEST_F(LinuxProcessesTest, TwoCopiesGiveTwoLinesAndOneRowAndCaseMakesADifferentProgram) {
    const std::string path = StartableCopy("morvane-twin");
    TempDir other;
    const std::string upper = StartableCopy("Morvane-Twin", other.Path());
    ChildProcess first({path, "600"});
    ChildProcess second({path, "600"});
    ChildProcess third({upper, "600"});
    WaitForImage(first, "morvane-twin");
    WaitForImage(second, "morvane-twin");
    WaitForImage(third, "Morvane-Twin");

    RunningPrograms lists;
    lists.Rebuild(m_processes.ScanRunningPrograms(), &m_processes);

    std::vector<std::string> twinIds;
    for (std::size_t i = 0; i < lists.List1().size(); ++i) {
        if (lists.List1()[i] == path) {
            twinIds.push_back(lists.LstID()[i]);
        }
    }
    EXPECT_EQ(twinIds.size(), 2u);
    EXPECT_NE(std::find(twinIds.begin(), twinIds.end(), std::to_string(first.Pid())),
              twinIds.end());
    EXPECT_NE(std::find(twinIds.begin(), twinIds.end(), std::to_string(second.Pid())),
              twinIds.end());
    EXPECT_EQ(std::count(lists.LstName().begin(), lists.LstName().end(), "morvane-twin"), 1);
    const auto rows = std::count_if(lists.Programs().begin(), lists.Programs().end(),
                                    [&](const RunningPrograms::Program& p) {
                                        return p.name == "morvane-twin" && p.path == path;
                                    });
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(std::count(lists.LstName().begin(), lists.LstName().end(), "Morvane-Twin"), 1);
}

TEST_F(LinuxProcessesTest, ReplacedExecutableKeepsItsPathAndName) {
    const std::string path = StartableCopy("morvane-upgraded");
    ChildProcess child({path, "600"});
    WaitForImage(child, "morvane-upgraded");
    std::filesystem::remove(path); // what a package upgrade does to a running program

    const ProcessInfo* found = nullptr;
    const std::vector<ProcessInfo> scan = m_processes.ScanRunningPrograms();
    found = Find(scan, child.Pid());
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->path, path);
    EXPECT_EQ(m_processes.ProcessName(child.Pid()), "morvane-upgraded");
}

TEST_F(LinuxProcessesTest, ProgramsRunFromAnonymousMemoryAreLeftOut) {
    // A child that runs a copy of sleep from a memfd: its image has no file anybody could name.
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const int src = open("/usr/bin/sleep", O_RDONLY | O_CLOEXEC);
        const int mem = static_cast<int>(memfd_create("morvane-anon", 0));
        char buffer[65536];
        ssize_t n = 0;
        while (src >= 0 && mem >= 0 && (n = read(src, buffer, sizeof buffer)) > 0) {
            if (write(mem, buffer, static_cast<std::size_t>(n)) != n) {
                _exit(127);
            }
        }
        char arg0[] = "sleep";
        char arg1[] = "600";
        char* argv[] = {arg0, arg1, nullptr};
        char* envp[] = {nullptr};
        fexecve(mem, argv, envp);
        _exit(127);
    }
    const std::string link = "/proc/" + std::to_string(pid) + "/exe";
    const bool fromMemory = WaitUntil([&] {
        std::error_code ec;
        return std::filesystem::read_symlink(link, ec).string().starts_with("/memfd:");
    });
    const std::vector<ProcessInfo> scan = m_processes.ScanRunningPrograms();
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    ASSERT_TRUE(fromMemory);
    EXPECT_EQ(Find(scan, pid), nullptr);
}

TEST_F(LinuxProcessesTest, ProcessNameIsEmptyForIdsNoProcessHas) {
    for (const ProcessId pid :
         {ProcessId{0}, ProcessId{-1}, ProcessId{-42}, BeyondPidMax(), ProcessId{1} << 40}) {
        EXPECT_EQ(m_processes.ProcessName(pid), "") << pid;
    }
}

TEST_F(LinuxProcessesTest, TerminateEndsOurChildForcibly) {
    const std::string path = StartableCopy("morvane-victim");
    ChildProcess child({path, "600"});
    WaitForImage(child, "morvane-victim");

    m_processes.TerminateProcessById(child.Pid());

    const std::optional<int> status = child.WaitForExit();
    ASSERT_TRUE(status.has_value()) << "child still running";
    ASSERT_TRUE(WIFSIGNALED(*status));
    EXPECT_EQ(WTERMSIG(*status), SIGKILL);
    EXPECT_EQ(Find(m_processes.ScanRunningPrograms(), child.Pid()), nullptr);
}

TEST_F(LinuxProcessesTest, TerminateOfAProcessThatHasEndedReturnsQuietly) {
    // A zombie keeps its id reserved, so the request cannot reach anyone else's process.
    ChildProcess child({StartableCopy("morvane-ended"), "600"});
    kill(child.Pid(), SIGKILL);
    ASSERT_TRUE(WaitUntil([&] { return test::IsZombieChild(child.Pid()); }));

    m_processes.TerminateProcessById(child.Pid());

    const std::optional<int> status = child.WaitForExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFSIGNALED(*status));
}

struct GuardCase {
    const char* what;
    ProcessId pid;
    bool signallable;
};

TEST(SignalGuard, RefusesEveryIdThatIsNotOneOtherProcess) {
    constexpr pid_t own = 4321;
    const GuardCase cases[] = {
        {"pid 0 is our process group", 0, false},
        {"-1 is every process", -1, false},
        {"negative ids are process groups", -4321, false},
        {"our own process", own, false},
        {"wraps to -1 as a 32-bit value", 4294967295LL, false},
        {"wraps to 0", 4294967296LL, false},
        {"wraps to our own pid", 4294967296LL + own, false},
        {"beyond any pid_t", 2147483648LL, false},
        {"another process", 4322, true},
        {"the largest pid_t", 2147483647LL, true},
    };
    for (const GuardCase& c : cases) {
        const std::optional<pid_t> target = procfs::SignallablePid(c.pid, own);
        EXPECT_EQ(target.has_value(), c.signallable) << c.what;
        if (target) {
            EXPECT_EQ(*target, c.pid) << c.what;
        }
    }
}

TEST(SignalGuard, TerminateNeverReachesOurOwnProcessOrGroup) {
    // Run where a broken guard could only end the forked child itself: it has its own group.
    const int status = test::RunInChild([] {
        LinuxProcesses processes;
        const ProcessId self = getpid();
        for (const ProcessId pid :
             {ProcessId{0}, self, -self, (ProcessId{1} << 32), (ProcessId{1} << 32) + self}) {
            processes.TerminateProcessById(pid);
        }
        return 7;
    });
    ASSERT_TRUE(WIFEXITED(status)) << "the guard let a request through";
    EXPECT_EQ(WEXITSTATUS(status), 7);
}

} // namespace
} // namespace morvane::platform
