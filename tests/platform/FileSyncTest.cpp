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

} // namespace
} // namespace morvane::platform
