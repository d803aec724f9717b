#include "TestSupport.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/linux/LinuxSingleInstance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

namespace morvane::platform {
namespace {

using test::ChildProcess;
using test::TempDir;

class SingleInstanceTest : public ::testing::Test {
protected:
    ChildProcess::Options Piped() const { return {true, true}; }

    TempDir m_dir;
    std::string m_lock = m_dir / "morvane.lock";
};

TEST_F(SingleInstanceTest, ASecondInstanceEndsAtOnceWhileTheFirstHoldsTheLock) {
    ChildProcess first({MORVANE_INSTANCE_PROBE, m_lock}, Piped());
    ASSERT_EQ(first.ReadLine(), "held");

    ChildProcess second({MORVANE_INSTANCE_PROBE, m_lock}, Piped());
    const std::optional<int> refused = second.WaitForExit();
    ASSERT_TRUE(refused.has_value()) << "the second instance kept running";
    ASSERT_TRUE(WIFEXITED(*refused));
    EXPECT_EQ(WEXITSTATUS(*refused), 3);

    first.CloseStdin();
    ASSERT_TRUE(first.WaitForExit().has_value());
    ChildProcess third({MORVANE_INSTANCE_PROBE, m_lock}, Piped());
    EXPECT_EQ(third.ReadLine(), "held");
}

TEST_F(SingleInstanceTest, AKilledHolderLeavesNoStaleLock) {
    ChildProcess first({MORVANE_INSTANCE_PROBE, m_lock}, Piped());
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

TEST_F(SingleInstanceTest, WithoutAUsableLockTheProgramIsLetThroughAndItIsLogged) {
    std::vector<std::string> log;
    LinuxSingleInstance nowhere(m_dir / "missing-folder/morvane.lock",
                                [&](const std::string& line) { log.push_back(line); });
    EXPECT_TRUE(nowhere.TryAcquire());
    EXPECT_EQ(log.size(), 1u);
}

TEST(SingleInstanceLockPath, PrefersTheRuntimeFolderThenTheDataFolder) {
    {
        test::ScopedEnv runtime("XDG_RUNTIME_DIR", "/run/user/1000");
        EXPECT_EQ(LinuxSingleInstance::DefaultLockPath("morvane", "/home/u/.local/share"),
                  "/run/user/1000/morvane.lock");
    }
    {
        test::ScopedEnv runtime("XDG_RUNTIME_DIR", std::nullopt);
        EXPECT_EQ(LinuxSingleInstance::DefaultLockPath("morvane", "/home/u/data"),
                  "/home/u/data/morvane.lock");
        EXPECT_EQ(LinuxSingleInstance::DefaultLockPath("morvane", ""), "");
    }
    {
        test::ScopedEnv runtime("XDG_RUNTIME_DIR", "relative");
        EXPECT_EQ(LinuxSingleInstance::DefaultLockPath("morvane", "/d"), "/d/morvane.lock");
    }
}

} // namespace
} // namespace morvane::platform
