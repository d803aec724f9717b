#include "TestSupport.h"
#include "platform/linux/LinuxFileSync.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

namespace morvane::platform {
namespace {

TEST(LinuxFileSync, SyncsFilesAndFoldersAndSaysWhyItCannot) {
    test::TempDir dir;
    std::ofstream(dir / "kept.mtf") << "task\r\n";
    LinuxFileSync sync;
    EXPECT_TRUE(sync.SyncToDisk(dir / "kept.mtf").Ok());
    EXPECT_TRUE(sync.SyncToDisk(dir.Path()).Ok());
    const Result missing = sync.SyncToDisk(dir / "gone.mtf");
    EXPECT_EQ(missing.Code(), ENOENT);
    EXPECT_NE(missing.Message().find("gone.mtf"), std::string::npos) << missing.Message();
}

TEST(LinuxFileSync, ReplacesAFileWholeOrLeavesItAsItWas) {
    test::TempDir dir;
    std::ofstream(dir / "kept.mtf") << "old\r\n";
    std::ofstream(dir / "new.tmp") << "new\r\n";
    LinuxFileSync sync;
    ASSERT_TRUE(sync.Replace(dir / "new.tmp", dir / "kept.mtf").Ok());
    EXPECT_FALSE(std::filesystem::exists(dir / "new.tmp"));
    const Result missing = sync.Replace(dir / "gone.tmp", dir / "kept.mtf");
    EXPECT_EQ(missing.Code(), ENOENT);
    std::ifstream in(dir / "kept.mtf");
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "new\r");
}

} // namespace
} // namespace morvane::platform
