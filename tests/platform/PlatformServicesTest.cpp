#include "platform/PlatformServices.h"
#include "TestSupport.h"
#include "platform/linux/LinuxSingleInstance.h"

#include <gtest/gtest.h>

namespace morvane::platform {
namespace {

TEST(PlatformServices, TheLinuxBuildProvidesEveryService) {
    test::TempDir runtime;
    test::ScopedEnv folder("XDG_RUNTIME_DIR", runtime.Path());
    PlatformServices services = CreatePlatformServices(PlatformSetup{"morvane-test", ""});

    ASSERT_TRUE(services.clock && services.processes && services.launcher && services.power &&
                services.cursor && services.autostart && services.locale &&
                services.singleInstance);
    EXPECT_EQ(services.processes->OwnPid(), getpid());
    EXPECT_TRUE(services.singleInstance->TryAcquire());
    LinuxSingleInstance second(runtime / "morvane-test.lock", [](const std::string&) {});
    EXPECT_FALSE(second.TryAcquire());
}

} // namespace
} // namespace morvane::platform
