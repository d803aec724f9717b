#include "platform/linux/ProcFs.h"
#include "TestSupport.h"
#include "platform/linux/LinuxProcesses.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace morvane::platform {

// Failures show the process, not its bytes.
void PrintTo(const ProcessInfo& p, std::ostream* out) {
    *out << '{' << p.path << ", " << p.pid << ", " << p.startTime << '}';
}

namespace {

namespace fs = std::filesystem;

// The scan takes a process's user from the owner of its folder, which the fake tree's folders
// have from the test.
const uid_t kUser = getuid();
const uid_t kOther = kUser + 1;

std::uint64_t StartOf(int pid) {
    return 5000 + static_cast<std::uint64_t>(pid);
}

// A /proc of our own making: the scan, the names and the threads read from it alike.
class ProcFsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_root / "bin");
        std::ofstream(m_root / "bin" / "editor") << "#!/bin/sh\n";
        Process(100, Editor(), "editor");
        Process(101, "/opt/gone/tool (deleted)", "tool");
        Process(102, "", "kworker/0:1");
        Process(104, "/memfd:morvane-anon (deleted)", "anon");
        Process(107, "/usr/bin/theirs", "theirs", kOther);
        // Only root can give the folder away; elsewhere the scan's part about it is skipped.
        m_theirsTheirs = lchown((m_root / "107").c_str(), kOther, static_cast<gid_t>(-1)) == 0;
        // A thread of 100: /proc/TID answers for it, with the process it belongs to.
        fs::create_directories(m_root / "100" / "task" / "100");
        fs::create_directories(m_root / "100" / "task" / "103");
        fs::create_directories(m_root / "103");
        std::ofstream(m_root / "103" / "status") << "Name:\teditor\nUmask:\t0022\nState:\tS\n"
                                                    "Tgid:\t100\nNgid:\t0\nPid:\t103\n";
        // Entries that are not processes.
        fs::create_symlink("100", m_root / "self");
        fs::create_directories(m_root / "sys");
    }
    // A process with its image, short name, real user (status, without a Tgid line, its
    // effective user root) and start time (stat, whose fields 4 to 21 hold their own numbers
    // so that a miscount shows).
    void Process(int pid, const std::string& exe, const std::string& comm, uid_t uid = kUser) {
        const fs::path dir = m_root / std::to_string(pid);
        fs::create_directories(dir);
        if (!exe.empty()) {
            fs::create_symlink(exe, dir / "exe");
        }
        std::ofstream(dir / "comm") << comm << "\n";
        std::ofstream(dir / "status") << "Name:\t" << comm << "\nUmask:\t0022\nState:\tS\nUid:\t"
                                      << uid << "\t0\t" << uid << '\t' << uid << "\nGid:\t0\n";
        std::ofstream stat(dir / "stat");
        stat << pid << " (" << comm << ") S";
        for (int field = 4; field <= 21; ++field) {
            stat << ' ' << field;
        }
        stat << ' ' << StartOf(pid) << " 4096 300\n";
    }
    // A process of an interpreter, with its command line and working folder (none when empty).
    void Interpreted(int pid, const std::string& exe, const std::string& comm,
                     const std::vector<std::string>& argv, const std::string& cwd) {
        Process(pid, exe, comm);
        std::ofstream cmdline(m_root / std::to_string(pid) / "cmdline");
        for (const std::string& word : argv) {
            cmdline << word << '\0';
        }
        if (!cwd.empty()) {
            fs::create_symlink(cwd, m_root / std::to_string(pid) / "cwd");
        }
    }
    [[nodiscard]] std::string Editor() const { return (m_root / "bin" / "editor").string(); }

    test::TempDir m_dir;
    fs::path m_root = fs::path(m_dir.Path()) / "proc";
    bool m_theirsTheirs = false;
};

TEST_F(ProcFsTest, NamesFromTheImageAndTheShortNameOnlyForShowing) {
    const ProcFs proc(m_root);
    LinuxProcesses processes(ProcFs(m_root), kUser);
    struct Case {
        pid_t pid;
        bool exists;
        std::optional<std::string> path;
        std::optional<std::string> program; // what decisions compare
        std::string shown;
    };
    const Case cases[] = {
        {100, true, Editor(), "editor", "editor"},
        {101, true, "/opt/gone/tool", "tool", "tool"},          // replaced on disk after it started
        {102, true, std::nullopt, std::nullopt, "kworker/0:1"}, // a kernel thread: no executable
        {104, true, std::nullopt, std::nullopt, "anon"},        // run from memory: no file to name
        {105, false, std::nullopt, std::nullopt, ""},
        {0, false, std::nullopt, std::nullopt, ""},
        {-5, false, std::nullopt, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pid);
        EXPECT_EQ(proc.Exists(c.pid), c.exists);
        EXPECT_EQ(proc.ExePath(c.pid), c.path);
        EXPECT_EQ(proc.ProgramName(c.pid), c.program);
        EXPECT_EQ(proc.ExeName(c.pid), c.shown);
        EXPECT_EQ(processes.ProcessName(c.pid), c.program.value_or(""));
    }
    EXPECT_EQ(processes.ProcessName(107), "") << "another user's process";
}

TEST_F(ProcFsTest, TheScanListsTheUsersOwnProcessesWithAnImageOnceReadingNoMore) {
    // Neither status nor stat: the scan gets by with the image and the folder's owner, and
    // leaves the full identity to the kill.
    Process(108, "/usr/bin/lean", "lean");
    fs::remove(m_root / "108" / "status");
    fs::remove(m_root / "108" / "stat");
    if (!m_theirsTheirs) {
        fs::remove_all(m_root / "107");
    }
    std::vector<ProcessInfo> scan = LinuxProcesses(ProcFs(m_root), kUser).ScanRunningPrograms();
    std::sort(scan.begin(), scan.end(),
              [](const ProcessInfo& a, const ProcessInfo& b) { return a.pid < b.pid; });
    EXPECT_EQ(scan,
              (std::vector<ProcessInfo>{
                  {Editor(), 100, 0}, {"/opt/gone/tool", 101, 0}, {"/usr/bin/lean", 108, 0}}));
    EXPECT_FALSE(ProcFs(m_root).StillIs(scan.back(), kUser)) << "a kill reads the user itself";
    if (!m_theirsTheirs) {
        GTEST_SKIP() << "giving a folder to another user needs root";
    }
    EXPECT_EQ(LinuxProcesses(ProcFs(m_root), kOther).ScanRunningPrograms(),
              (std::vector<ProcessInfo>{{"/usr/bin/theirs", 107, 0}}));
}

TEST_F(ProcFsTest, AnInterpreterRunningAScriptIsNamedAfterTheScript) {
    Interpreted(110, "/usr/bin/python3.11", "python3", {"python3", "-u", "./tool.py"},
                "/home/u/proj");
    // Started through its "#!" line: the kernel's name is the script's, cut to 15 bytes.
    Interpreted(111, "/usr/bin/perl", "long-script-nam",
                {"/usr/bin/perl", "-w -T", "/opt/long-script-name.pl", "arg"}, "/");
    Interpreted(112, "/usr/bin/python3.11", "python3", {"python3", "-c", "import tool"}, "/");
    Interpreted(113, "/usr/lib/jvm/java-17/bin/java", "java",
                {"java", "-Xmx1g", "-jar", "lib/app.jar"}, "/srv");
    // A relative script whose folder cannot be read cannot be named.
    Interpreted(114, "/usr/bin/dash", "sh", {"sh", "run.sh"}, "");
    const ProcFs proc(m_root);
    struct Case {
        pid_t pid;
        std::optional<std::string> path;
        std::string shown;
    };
    const Case cases[] = {
        {110, "/home/u/proj/tool.py", "tool.py"},
        {111, "/opt/long-script-name.pl", "long-script-name.pl"},
        {112, "/usr/bin/python3.11", "python3.11"},
        {113, "/srv/lib/app.jar", "app.jar"},
        {114, std::nullopt, "sh"},
    };
    const std::vector<ProcessInfo> scan = proc.ScanPrograms(kUser);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pid);
        EXPECT_EQ(proc.ProgramPath(c.pid), c.path);
        EXPECT_EQ(proc.ExeName(c.pid), c.shown);
        const auto listed = std::find_if(scan.begin(), scan.end(),
                                         [&](const ProcessInfo& p) { return p.pid == c.pid; });
        EXPECT_EQ(listed == scan.end() ? std::nullopt : std::optional(listed->path), c.path);
    }
}

TEST_F(ProcFsTest, StillTheSameProcessMeansTheSameUserProgramAndStartTime) {
    Process(106, "/usr/bin/odd", "odd) 7 (name");
    const ProcFs proc(m_root);
    EXPECT_EQ(proc.StartTime(106), StartOf(106)) << "counted from the last ')'";
    struct Case {
        const char* what;
        ProcessInfo seen;
        bool same;
    };
    const Case cases[] = {
        {"as the scan saw it", {Editor(), 100, StartOf(100)}, true},
        {"a recorded id: the name alone", {"editor", 100, 0}, true},
        {"parentheses in the short name", {"/usr/bin/odd", 106, StartOf(106)}, true},
        {"started at another time: the id was given again",
         {Editor(), 100, StartOf(100) + 1},
         false},
        {"runs another program now", {"/usr/bin/vim", 100, StartOf(100)}, false},
        {"the name differs in case", {"/usr/bin/Editor", 100, StartOf(100)}, false},
        {"another user's", {"/usr/bin/theirs", 107, StartOf(107)}, false},
        {"known by its short name only", {"kworker/0:1", 102, 0}, false},
        {"no such process", {"editor", 105, 0}, false},
        {"not a process id", {"editor", 0, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(proc.StillIs(c.seen, kUser), c.same) << c.what;
    }
    EXPECT_TRUE(proc.StillIs({"/usr/bin/theirs", 107, StartOf(107)}, kOther));
}

TEST_F(ProcFsTest, ProcessesThreadsAndTheProcessOfAThread) {
    const ProcFs proc(m_root);
    std::vector<pid_t> processes;
    proc.ForEachProcess([&](pid_t pid) { processes.push_back(pid); });
    std::sort(processes.begin(), processes.end());
    EXPECT_EQ(processes, (std::vector<pid_t>{100, 101, 102, 103, 104, 107}));

    std::vector<pid_t> threads;
    proc.ForEachThread(100, [&](pid_t tid) { threads.push_back(tid); });
    std::sort(threads.begin(), threads.end());
    EXPECT_EQ(threads, (std::vector<pid_t>{100, 103}));

    EXPECT_EQ(proc.ThreadGroupOf(103), 100);
    EXPECT_EQ(proc.ThreadGroupOf(101), std::nullopt) << "no Tgid line";
    EXPECT_EQ(proc.ThreadGroupOf(0), std::nullopt);
}

TEST(ProcFsOnTheRealProc, ReadsOurOwnProcess) {
    const ProcFs proc;
    const fs::path self = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(proc.ExePath(getpid()), self.string());
    EXPECT_EQ(proc.ExeName(getpid()), self.filename().string());
    EXPECT_EQ(proc.ThreadGroupOf(getpid()), getpid());
    EXPECT_EQ(proc.RealUid(getpid()), getuid());
    const std::optional<std::uint64_t> started = proc.StartTime(getpid());
    ASSERT_TRUE(started.has_value());
    EXPECT_GE(*started, proc.StartTime(1).value_or(0)) << "we started after init";
}

} // namespace
} // namespace morvane::platform
