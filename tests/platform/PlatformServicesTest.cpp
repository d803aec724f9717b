#include "platform/PlatformServices.h"
#include "TestSupport.h"
#include "platform/linux/LinuxSingleInstance.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace morvane::platform {
namespace {

TEST(PlatformServices, TheLinuxBuildProvidesEveryService) {
    test::TempDir data;
    PlatformServices services = CreatePlatformServices(PlatformSetup{"morvane-test", data.Path()});

    ASSERT_TRUE(services.clock && services.processes && services.launcher && services.power &&
                services.idle && services.load && services.autostart && services.locale &&
                services.singleInstance && services.control);
    EXPECT_EQ(services.processes->OwnPid(), getpid());
    // This machine's own counters read.
    const LoadSample load = services.load->Read(true, true);
    EXPECT_TRUE(load.networkBytes) << load.networkUnreadable;
    ASSERT_TRUE(load.processor) << load.processorUnreadable;
    EXPECT_LE(load.processor->busy, load.processor->total);
    EXPECT_GT(load.processor->total, 0U);
    EXPECT_TRUE(services.singleInstance->TryAcquire());
    // The lock lives with the files it guards, whatever the session's runtime folder.
    LinuxSingleInstance second(data / "morvane-test.lock", [](const std::string&) {});
    EXPECT_FALSE(second.TryAcquire());
}

TEST(PlatformServices, ActivityIsWatchedOnX11AndOtherwiseSaysWhyNot) {
    test::TempDir runtime;
    test::ScopedEnv folder("XDG_RUNTIME_DIR", runtime.Path());
    if (std::getenv("DISPLAY") != nullptr) {
        test::ScopedEnv noWayland("WAYLAND_DISPLAY", std::nullopt);
        test::ScopedEnv x11("XDG_SESSION_TYPE", "x11");
        const PlatformServices services = CreatePlatformServices(PlatformSetup{"morvane-x", ""});
        EXPECT_TRUE(services.idle->IsAvailable());
    }
    test::ScopedEnv noX("DISPLAY", std::nullopt);
    test::ScopedEnv noWayland("WAYLAND_DISPLAY", std::nullopt);
    test::ScopedEnv console("XDG_SESSION_TYPE", "tty");
    const PlatformServices services = CreatePlatformServices(PlatformSetup{"morvane-tty", ""});
    EXPECT_FALSE(services.idle->IsAvailable());
    EXPECT_FALSE(services.idle->UnavailableReason().empty());
    EXPECT_EQ(services.idle->Sample(), Activity::Unknown);
}

} // namespace
} // namespace morvane::platform
