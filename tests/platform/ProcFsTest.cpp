#include "platform/linux/ProcFs.h"
#include "TestSupport.h"
#include "platform/linux/LinuxProcesses.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace morvane::platform {
namespace {

namespace fs = std::filesystem;

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
    void Process(int pid, const std::string& exe, const std::string& comm) {
        const fs::path dir = m_root / std::to_string(pid);
        fs::create_directories(dir);
        if (!exe.empty()) {
            fs::create_symlink(exe, dir / "exe");
        }
        std::ofstream(dir / "comm") << comm << "\n";
    }
    [[nodiscard]] std::string Editor() const { return (m_root / "bin" / "editor").string(); }

    test::TempDir m_dir;
    fs::path m_root = fs::path(m_dir.Path()) / "proc";
};

TEST_F(ProcFsTest, NamesAndPathsFromExeElseComm) {
    const ProcFs proc(m_root);
    struct Case {
        pid_t pid;
        bool exists;
        std::optional<std::string> path;
        std::string name;
    };
    const Case cases[] = {
        {100, true, Editor(), "editor"},
        {101, true, "/opt/gone/tool", "tool"},    // replaced on disk after it started
        {102, true, std::nullopt, "kworker/0:1"}, // a kernel thread has no executable
        {104, true, std::nullopt, "anon"},        // run from memory: no file to name
        {105, false, std::nullopt, ""},
        {0, false, std::nullopt, ""},
        {-5, false, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pid);
        EXPECT_EQ(proc.Exists(c.pid), c.exists);
        EXPECT_EQ(proc.ExePath(c.pid), c.path);
        EXPECT_EQ(proc.ExeName(c.pid), c.name);
    }
}

TEST_F(ProcFsTest, TheScanListsEveryProcessWithAnImageOnce) {
    std::vector<ProcessInfo> scan = LinuxProcesses(ProcFs(m_root)).ScanRunningPrograms();
    std::sort(scan.begin(), scan.end(),
              [](const ProcessInfo& a, const ProcessInfo& b) { return a.pid < b.pid; });
    ASSERT_EQ(scan.size(), 2u);
    EXPECT_EQ(scan[0].pid, 100);
    EXPECT_EQ(scan[0].path, Editor());
    EXPECT_EQ(scan[1].pid, 101);
    EXPECT_EQ(scan[1].path, "/opt/gone/tool");
}

TEST_F(ProcFsTest, ProcessesThreadsAndTheProcessOfAThread) {
    const ProcFs proc(m_root);
    std::vector<pid_t> processes;
    proc.ForEachProcess([&](pid_t pid) { processes.push_back(pid); });
    std::sort(processes.begin(), processes.end());
    EXPECT_EQ(processes, (std::vector<pid_t>{100, 101, 102, 103, 104}));

    std::vector<pid_t> threads;
    proc.ForEachThread(100, [&](pid_t tid) { threads.push_back(tid); });
    std::sort(threads.begin(), threads.end());
    EXPECT_EQ(threads, (std::vector<pid_t>{100, 103}));

    EXPECT_EQ(proc.ThreadGroupOf(103), 100);
    EXPECT_EQ(proc.ThreadGroupOf(101), std::nullopt) << "no status file";
    EXPECT_EQ(proc.ThreadGroupOf(0), std::nullopt);
}

TEST(ProcFsOnTheRealProc, ReadsOurOwnProcess) {
    const ProcFs proc;
    const fs::path self = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(proc.ExePath(getpid()), self.string());
    EXPECT_EQ(proc.ExeName(getpid()), self.filename().string());
    EXPECT_EQ(proc.ThreadGroupOf(getpid()), getpid());
}

} // namespace
} // namespace morvane::platform
