#include "TestSupport.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/linux/LinuxSingleInstance.h"

#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>

namespace morvane::platform {
namespace {

using test::ChildProcess;
using test::TempDir;

class SingleInstanceTest : public ::testing::Test {
protected:
    ChildProcess::Options Piped() const { return {true, true}; }

    TempDir m_dir;
    std::string m_data = m_dir / "data";
    std::string m_lock = LinuxSingleInstance::DefaultLockPath("morvane", m_data);
};

TEST_F(SingleInstanceTest, ASecondInstanceOnTheSameDataEndsAtOnceWhateverItsEnvironment) {
    // The first as a desktop starts it, the second from a shell without a runtime folder.
    std::optional<test::ScopedEnv> runtime;
    runtime.emplace("XDG_RUNTIME_DIR", m_dir.Path());
    ChildProcess first({MORVANE_INSTANCE_PROBE, m_data}, Piped());
    ASSERT_EQ(first.ReadLine(), "held");
    runtime.emplace("XDG_RUNTIME_DIR", std::nullopt);

    ChildProcess second({MORVANE_INSTANCE_PROBE, m_data}, Piped());
    const std::optional<int> refused = second.WaitForExit();
    ASSERT_TRUE(refused.has_value()) << "the second instance kept running";
    ASSERT_TRUE(WIFEXITED(*refused));
    EXPECT_EQ(WEXITSTATUS(*refused), 3);

    first.CloseStdin();
    ASSERT_TRUE(first.WaitForExit().has_value());
    ChildProcess third({MORVANE_INSTANCE_PROBE, m_data}, Piped());
    EXPECT_EQ(third.ReadLine(), "held");
}

TEST_F(SingleInstanceTest, TwoFirstStartsInAFreshHomeMakeThePrivateFolderAndOnlyOneRuns) {
    // Neither the configuration folder nor ours exists yet.
    const std::string config = m_dir / "home/.config";
    const std::string data = config + "/morvane";
    ChildProcess first({MORVANE_INSTANCE_PROBE, data}, Piped());
    ASSERT_EQ(first.ReadLine(), "held");
    ChildProcess second({MORVANE_INSTANCE_PROBE, data}, Piped());
    const std::optional<int> refused = second.WaitForExit();
    ASSERT_TRUE(refused.has_value()) << "the second first start kept running";
    ASSERT_TRUE(WIFEXITED(*refused));
    EXPECT_EQ(WEXITSTATUS(*refused), 3) << "the second is told another holds the lock";
    for (const std::string& folder : {config, data}) {
        struct stat info {};
        ASSERT_EQ(stat(folder.c_str(), &info), 0) << folder;
        EXPECT_EQ(info.st_mode & 0777, 0700U) << folder;
    }
    first.CloseStdin();
    EXPECT_TRUE(first.WaitForExit().has_value());
}

TEST_F(SingleInstanceTest, AKilledHolderLeavesNoStaleLock) {
    ChildProcess first({MORVANE_INSTANCE_PROBE, m_data}, Piped());
    ASSERT_EQ(first.ReadLine(), "held");
    kill(first.Pid(), SIGKILL);
    ASSERT_TRUE(first.WaitForExit().has_value());

    LinuxSingleInstance next(m_lock, [](const std::string&) {});
    EXPECT_TRUE(next.TryAcquire());
}

TEST_F(SingleInstanceTest, AProgramStartedByTheHolderDoesNotKeepTheLock) {
    auto holder = std::make_unique<LinuxSingleInstance>(m_lock);
    ASSERT_TRUE(holder->TryAcquire());
    EXPECT_TRUE(holder->TryAcquire()) << "asking again must not refuse ourselves";
    // A plain fork and exec: only close-on-exec keeps the lock from the child.
    ChildProcess started({"/usr/bin/sleep", "600"});
    ASSERT_TRUE(
        test::WaitUntil([&] { return LinuxProcesses().ProcessName(started.Pid()) == "sleep"; }));
    LinuxSingleInstance rival(m_lock, [](const std::string&) {});
    EXPECT_FALSE(rival.TryAcquire());

    holder.reset();

    EXPECT_TRUE(rival.TryAcquire());
}

TEST_F(SingleInstanceTest, ALockThatCannotBeTakenLetsTheProgramThroughAndSaysWhy) {
    const std::string blocker = m_dir / "a-file";
    std::ofstream(blocker) << "not a folder";
    for (const std::string& path : {std::string(), blocker + "/data/morvane.lock"}) {
        std::vector<std::string> log;
        LinuxSingleInstance nowhere(path, [&](const std::string& line) { log.push_back(line); });
        EXPECT_TRUE(nowhere.TryAcquire()) << path;
        EXPECT_FALSE(nowhere.WhyUnchecked().empty()) << path;
        EXPECT_EQ(log.size(), 1u) << path;
    }
    LinuxSingleInstance usable(m_lock, [](const std::string&) {});
    EXPECT_TRUE(usable.TryAcquire()) << "a data folder not made yet is made";
    EXPECT_EQ(usable.WhyUnchecked(), "");
}

TEST(SingleInstanceLockPath, IsInTheDataFolderWhateverTheRuntimeFolder) {
    test::ScopedEnv runtime("XDG_RUNTIME_DIR", "/run/user/1000");
    EXPECT_EQ(LinuxSingleInstance::DefaultLockPath("morvane", "/home/u/.config/morvane"),
              "/home/u/.config/morvane/morvane.lock");
    EXPECT_EQ(LinuxSingleInstance::DefaultLockPath("morvane", ""), "");
    EXPECT_EQ(LinuxSingleInstance::DefaultLockPath("morvane", "relative"), "");
}

} // namespace
} // namespace morvane::platform
