#include "TestSupport.h"
#include "core/RunningPrograms.h"
#include "core/editor/ProgramTargets.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/linux/ProcFs.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
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

// Whether our child has been sent no SIGKILL. A stop reaches only a process no kill is pending
// for, so the answer comes at once and for sure; the child is left running and waitable.
bool NotKilled(pid_t child) {
    if (kill(child, SIGSTOP) != 0) {
        return false;
    }
    siginfo_t info{};
    while (waitid(P_PID, static_cast<id_t>(child), &info, WSTOPPED | WEXITED | WNOWAIT) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    kill(child, SIGCONT);
    return info.si_code == CLD_STOPPED;
}

// Runs `body` in a forked child in which pidfd_open fails with ENOSYS, as on kernels before
// 5.3; the body's exit code, or -1 when the child could not be set up so.
int WithoutPidfds(const std::function<int()>& body) {
    const int status = test::RunInChild([&body] {
        sock_filter filter[] = {
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_pidfd_open, 0, 1),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        };
        const sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
        if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
            syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &program) != 0 ||
            syscall(SYS_pidfd_open, getpid(), 0) >= 0 || errno != ENOSYS) {
            return 99;
        }
        return body();
    });
    return WIFEXITED(status) && WEXITSTATUS(status) != 99 ? WEXITSTATUS(status) : -1;
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
    for (const ProcessInfo& process : lists.Scanned()) {
        if (process.path == path) {
            twinIds.push_back(std::to_string(process.pid));
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

    const std::vector<ProcessInfo> scan = m_processes.ScanRunningPrograms();
    const ProcessInfo* seen = Find(scan, child.Pid());
    ASSERT_NE(seen, nullptr);
    m_processes.TerminateProcess(*seen);

    const std::optional<int> status = child.WaitForExit();
    ASSERT_TRUE(status.has_value()) << "child still running";
    ASSERT_TRUE(WIFSIGNALED(*status));
    EXPECT_EQ(WTERMSIG(*status), SIGKILL);
    EXPECT_EQ(Find(m_processes.ScanRunningPrograms(), child.Pid()), nullptr);
}

TEST_F(LinuxProcessesTest, AskToCloseSendsSigtermOnlyToTheProcessSeenAndTheForcedEndFollows) {
    const std::string polite = StartableCopy("morvane-polite");
    const std::string stubborn = StartableCopy("morvane-stubborn");
    ChildProcess closes({polite, "600"});
    // An ignored signal stays ignored across exec.
    ChildProcess ignores({"/bin/sh", "-c", "trap '' TERM; exec '" + stubborn + "' 600"});
    WaitForImage(closes, "morvane-polite");
    WaitForImage(ignores, "morvane-stubborn");
    const std::vector<ProcessInfo> scan = m_processes.ScanRunningPrograms();
    const ProcessInfo* politeSeen = Find(scan, closes.Pid());
    const ProcessInfo* stubbornSeen = Find(scan, ignores.Pid());
    ASSERT_NE(politeSeen, nullptr);
    ASSERT_NE(stubbornSeen, nullptr);
    const std::uint64_t started = ProcFs().StartTime(closes.Pid()).value_or(0);

    // A fatal SIGTERM would stop the stop as a SIGKILL does: NotKilled sees it too.
    for (const ProcessInfo& other :
         {ProcessInfo{polite, closes.Pid(), started + 1}, ProcessInfo{stubborn, closes.Pid(), 0}}) {
        EXPECT_EQ(m_processes.AskToClose(other).outcome, CloseAsk::NotSent) << other.path;
        EXPECT_TRUE(NotKilled(closes.Pid())) << other.path;
    }
    const CloseRequest asked = m_processes.AskToClose(*politeSeen);
    EXPECT_EQ(asked.outcome, CloseAsk::Asked);
    EXPECT_EQ(asked.identity, (ProcessInfo{polite, closes.Pid(), started}))
        << "the start time is filled in for the forced end";
    EXPECT_TRUE(WaitUntil([&] { return !m_processes.StillRuns(asked.identity); }))
        << "ended, even before it is reaped";
    std::optional<int> status = closes.WaitForExit();
    ASSERT_TRUE(status.has_value());
    ASSERT_TRUE(WIFSIGNALED(*status));
    EXPECT_EQ(WTERMSIG(*status), SIGTERM);

    const CloseRequest ignored = m_processes.AskToClose(*stubbornSeen);
    EXPECT_EQ(ignored.outcome, CloseAsk::Asked);
    EXPECT_TRUE(NotKilled(ignores.Pid()));
    EXPECT_TRUE(m_processes.StillRuns(ignored.identity));
    m_processes.TerminateProcess(ignored.identity);
    status = ignores.WaitForExit();
    ASSERT_TRUE(status.has_value()) << "the forced end did not follow";
    ASSERT_TRUE(WIFSIGNALED(*status));
    EXPECT_EQ(WTERMSIG(*status), SIGKILL);
}

TEST_F(LinuxProcessesTest, TerminateOfAProcessThatHasEndedReturnsQuietly) {
    // A zombie keeps its id reserved, so the request cannot reach anyone else's process.
    const std::string path = StartableCopy("morvane-ended");
    ChildProcess child({path, "600"});
    kill(child.Pid(), SIGKILL);
    ASSERT_TRUE(WaitUntil([&] { return test::IsZombieChild(child.Pid()); }));
    EXPECT_EQ(m_processes.ProcessName(child.Pid()), "")
        << "a zombie keeps only its short name, and that decides nothing";

    m_processes.TerminateProcess({path, child.Pid()});

    const std::optional<int> status = child.WaitForExit();
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFSIGNALED(*status));
}

TEST_F(LinuxProcessesTest, ScriptsOfOneInterpreterAreProgramsOfTheirOwn) {
    const std::string python = std::filesystem::canonical("/usr/bin/python3");
    const std::string folder = std::filesystem::canonical(m_dir.Path());
    const std::string alpha = folder + "/morvane-alpha.py";
    const std::string beta = folder + "/morvane-beta.py";
    std::ofstream(alpha) << "#!/usr/bin/python3\nimport time\ntime.sleep(600)\n";
    std::filesystem::permissions(alpha, std::filesystem::perms::owner_all);
    std::ofstream(beta) << "import time\ntime.sleep(600)\n";

    ChildProcess shebang({alpha}); // the kernel names it after the script, cut to 15 bytes
    ChildProcess relative(
        {"/bin/sh", "-c", "cd '" + folder + "' && exec /usr/bin/python3 -u morvane-beta.py"});
    ChildProcess plain({"/usr/bin/python3", "-c", "import time; time.sleep(600)"});
    WaitForImage(shebang, "morvane-alpha.py");
    WaitForImage(relative, "morvane-beta.py");
    WaitForImage(plain, std::filesystem::path(python).filename());
    EXPECT_EQ(ProcFs().ExeName(shebang.Pid()), "morvane-alpha.py") << "as the picker names it";

    RunningPrograms running;
    running.Rebuild(m_processes.ScanRunningPrograms(), &m_processes);
    const auto pathOf = [&running](pid_t pid) {
        const ProcessInfo* found = Find(running.Scanned(), pid);
        return found == nullptr ? std::string{} : found->path;
    };
    EXPECT_EQ(pathOf(shebang.Pid()), alpha);
    EXPECT_EQ(pathOf(relative.Pid()), beta);
    EXPECT_EQ(pathOf(plain.Pid()), python);

    EXPECT_EQ(ProgramTargets::CloseNow(running, m_processes, "morvane-alpha.py"), 1);
    const std::optional<int> status = shebang.WaitForExit();
    ASSERT_TRUE(status.has_value()) << "the script still runs";
    EXPECT_TRUE(WIFSIGNALED(*status));
    EXPECT_TRUE(NotKilled(relative.Pid())) << "another script of the same interpreter";
    EXPECT_TRUE(NotKilled(plain.Pid())) << "the interpreter itself";
}

TEST_F(LinuxProcessesTest, TerminateLeavesAProcessThatIsNoLongerTheOneSeen) {
    const std::string path = StartableCopy("morvane-seen");
    ChildProcess child({path, "600"});
    WaitForImage(child, "morvane-seen");
    const std::vector<ProcessInfo> scan = m_processes.ScanRunningPrograms();
    const ProcessInfo* seen = Find(scan, child.Pid());
    ASSERT_NE(seen, nullptr);
    // The scan leaves the start time out; one known from elsewhere is still held to.
    const std::uint64_t started = ProcFs().StartTime(child.Pid()).value_or(0);
    ASSERT_NE(started, 0U);

    const ProcessInfo others[] = {
        {path, seen->pid, started + 1},                // the id given again to a later process
        {m_dir / "morvane-other", seen->pid, started}, // another program now
        {m_dir / "morvane-other", seen->pid, 0},       // the same, as a scan saw it
        {"morvane-other", seen->pid, 0},               // a recorded id of another one
    };
    for (const ProcessInfo& other : others) {
        m_processes.TerminateProcess(other);
        EXPECT_TRUE(NotKilled(child.Pid())) << other.path << " started " << other.startTime;
    }
    m_processes.TerminateProcess({"morvane-seen", seen->pid, 0});
    const std::optional<int> status = child.WaitForExit();
    ASSERT_TRUE(status.has_value()) << "a recorded id that still runs its program is ended";
    EXPECT_TRUE(WIFSIGNALED(*status));
}

TEST_F(LinuxProcessesTest, AnIdThatRunsAnotherProgramSinceTheScanIsLeftAlone) {
    // A script that turns into another program on the same id once its input closes: what a
    // reused id looks like to a kill that carries the scan's identity, which has no start time.
    const std::string second = StartableCopy("morvane-second");
    const std::string script = m_dir / "morvane-first.sh";
    std::ofstream(script) << "read line\nexec \"$1\" 600\n";
    ChildProcess child({"/bin/sh", script, second}, {.pipeStdin = true});
    WaitForImage(child, "morvane-first.sh");
    const std::vector<ProcessInfo> scan = m_processes.ScanRunningPrograms();
    const ProcessInfo* seen = Find(scan, child.Pid());
    ASSERT_NE(seen, nullptr);
    ASSERT_EQ(seen->startTime, 0U);

    child.CloseStdin();
    WaitForImage(child, "morvane-second");
    m_processes.TerminateProcess(*seen);
    EXPECT_TRUE(NotKilled(child.Pid()));
    m_processes.TerminateProcess({second, seen->pid, 0});
    const std::optional<int> status = child.WaitForExit();
    ASSERT_TRUE(status.has_value()) << "the program it runs now is ended by its own name";
    EXPECT_TRUE(WIFSIGNALED(*status));
}

TEST_F(LinuxProcessesTest, WithoutPidfdsTheIdentityIsCheckedRightBeforeTheKill) {
    const std::string path = StartableCopy("morvane-old-kernel");
    ChildProcess child({path, "600"});
    WaitForImage(child, "morvane-old-kernel");
    const std::vector<ProcessInfo> scan = m_processes.ScanRunningPrograms();
    const ProcessInfo* seen = Find(scan, child.Pid());
    ASSERT_NE(seen, nullptr);

    const ProcessInfo later{path, seen->pid, ProcFs().StartTime(child.Pid()).value_or(0) + 1};
    const int refused = WithoutPidfds([&] {
        m_processes.TerminateProcess(later);
        return 0;
    });
    if (refused < 0) {
        GTEST_SKIP() << "cannot take pidfds away here (seccomp)";
    }
    EXPECT_TRUE(NotKilled(child.Pid()));
    ASSERT_EQ(WithoutPidfds([&] {
                  m_processes.TerminateProcess(*seen);
                  return 0;
              }),
              0);
    const std::optional<int> status = child.WaitForExit();
    ASSERT_TRUE(status.has_value()) << "child still running";
    EXPECT_TRUE(WIFSIGNALED(*status));
}

TEST_F(LinuxProcessesTest, AnotherUsersProcessIsNeitherListedNorEnded) {
    if (getuid() != 0) {
        GTEST_SKIP() << "starting a process as another user needs root";
    }
    // Credentials that change drop the parent-death signal, so this one ends on its own too.
    const std::string sleep = std::filesystem::canonical("/usr/bin/sleep");
    ChildProcess theirs(
        {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", sleep, "60"});
    const ProcFs proc;
    ASSERT_TRUE(WaitUntil([&] {
        return proc.RealUid(theirs.Pid()) == 65534u && proc.ExePath(theirs.Pid()) == sleep;
    }));
    const ProcessInfo seen{sleep, theirs.Pid(), proc.StartTime(theirs.Pid()).value_or(0)};
    ASSERT_TRUE(proc.StillIs(seen, 65534)) << "the identity itself is right";

    EXPECT_EQ(Find(m_processes.ScanRunningPrograms(), theirs.Pid()), nullptr);
    EXPECT_EQ(m_processes.ProcessName(theirs.Pid()), "");
    m_processes.TerminateProcess(seen);
    EXPECT_TRUE(NotKilled(theirs.Pid()));
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
        const std::optional<pid_t> target = ProcFs::SignallablePid(c.pid, own);
        EXPECT_EQ(target.has_value(), c.signallable) << c.what;
        if (target) {
            EXPECT_EQ(*target, c.pid) << c.what;
        }
    }
}

TEST(SignalGuard, TerminateAndAskToCloseNeverReachOurOwnProcessOrGroup) {
    // Run where a broken guard could only end the forked child itself: it has its own group.
    // Each request names us as we are, so only the guard stands in the way.
    const int status = test::RunInChild([] {
        LinuxProcesses processes;
        const ProcessId self = getpid();
        const std::string path = std::filesystem::read_symlink("/proc/self/exe");
        const std::uint64_t started = ProcFs().StartTime(getpid()).value_or(0);
        for (const ProcessId pid :
             {ProcessId{0}, self, -self, (ProcessId{1} << 32), (ProcessId{1} << 32) + self}) {
            processes.TerminateProcess({path, pid, started});
            (void)processes.AskToClose({path, pid, started});
        }
        return 7;
    });
    ASSERT_TRUE(WIFEXITED(status)) << "the guard let a request through";
    EXPECT_EQ(WEXITSTATUS(status), 7);
}

} // namespace
} // namespace morvane::platform
