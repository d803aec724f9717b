#include "platform/linux/x11/ProcFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

using morvane::platform::x11::ProcFiles;
namespace fs = std::filesystem;

namespace {

class ProcFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = fs::path(testing::TempDir()) / "fake-proc";
        fs::remove_all(m_root);
        fs::create_directories(m_root / "bin");
        std::ofstream(m_root / "bin" / "editor") << "#!/bin/sh\n";
        Process(100, (m_root / "bin" / "editor").string(), "editor");
        Process(101, "/opt/gone/tool (deleted)", "tool");
        Process(102, "", "kworker/0:1");
    }
    void Process(int pid, const std::string& exe, const std::string& comm) {
        const fs::path dir = m_root / std::to_string(pid);
        fs::create_directories(dir);
        if (!exe.empty()) {
            fs::create_symlink(exe, dir / "exe");
        }
        std::ofstream(dir / "comm") << comm << "\n";
    }

    fs::path m_root;
};

TEST_F(ProcFilesTest, NamesAndPathsFromExeElseComm) {
    const ProcFiles proc(m_root);
    struct Case {
        std::int64_t pid;
        bool exists;
        std::string path;
        std::string name;
    };
    const Case cases[] = {
        {100, true, (m_root / "bin" / "editor").string(), "editor"},
        {101, true, "/opt/gone/tool", "tool"}, // replaced on disk after it started
        {102, true, "", "kworker/0:1"},        // a kernel thread has no executable
        {103, false, "", ""},
        {0, false, "", ""},
        {-5, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pid);
        EXPECT_EQ(proc.Exists(c.pid), c.exists);
        EXPECT_EQ(proc.ExecutablePath(c.pid), c.path);
        EXPECT_EQ(proc.ProgramName(c.pid), c.name);
    }
}

TEST_F(ProcFilesTest, ReadsOurOwnProcessFromTheRealProc) {
    const ProcFiles proc;
    EXPECT_EQ(proc.ExecutablePath(getpid()), fs::read_symlink("/proc/self/exe").string());
    EXPECT_EQ(proc.ProgramName(getpid()), fs::read_symlink("/proc/self/exe").filename().string());
}

} // namespace
