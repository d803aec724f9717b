// GNOME's D-Bus interfaces against a real headless mutter: run under
// `scripts/with-wayland.sh mutter`. Without mutter on the session bus the tests that need it skip.
#include "TestSupport.h"
#include "platform/linux/MutterIdleSource.h"
#include "platform/linux/MutterMonitorSwitch.h"

#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace morvane::platform {
namespace {

using test::WaitUntil;
using namespace std::chrono_literals;

constexpr const char* kDisplayConfig = "org.gnome.Mutter.DisplayConfig";
constexpr const char* kDisplayConfigPath = "/org/gnome/Mutter/DisplayConfig";

// Input on the compositor: what with-wayland.sh offers, else mutter's debug reset.
void MakeInput() {
    const char* command = std::getenv("MORVANE_TEST_INPUT");
    if (command != nullptr && *command != '\0') {
        test::ChildProcess input({"/bin/sh", "-c", command});
        const std::optional<int> status = input.WaitForExit(10s);
        ASSERT_TRUE(status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << command;
        return;
    }
    sd_bus* opened = nullptr;
    ASSERT_GE(sd_bus_open_user(&opened), 0);
    const UniqueBus bus(opened);
    ASSERT_GE(sd_bus_call_method(
                  bus.get(), "org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
                  "org.gnome.Mutter.IdleMonitor", "ResetIdletime", nullptr, nullptr, ""),
              0)
        << "mutter needs MUTTER_DEBUG_RESET_IDLETIME=1";
}

// Samples until `wanted` came `times` answered samples in a row (unknown ones not counted).
bool SamplesInARow(IdleSource& source, Activity wanted, int times) {
    int row = 0;
    return WaitUntil(
        [&] {
            const Activity seen = source.Sample();
            if (seen != Activity::Unknown) {
                row = seen == wanted ? row + 1 : 0;
            }
            return row >= times;
        },
        10s);
}

TEST(MutterIdle, IdleWhileNothingHappensActiveOnceAfterInput) {
    std::string reason;
    const std::unique_ptr<MutterIdleSource> source = MutterIdleSource::Open(reason);
    if (!source) {
        GTEST_SKIP() << reason;
    }
    EXPECT_TRUE(source->IsAvailable());

    EXPECT_TRUE(SamplesInARow(*source, Activity::Idle, 5));
    ASSERT_NO_FATAL_FAILURE(MakeInput());
    EXPECT_TRUE(SamplesInARow(*source, Activity::Active, 1));
    EXPECT_TRUE(SamplesInARow(*source, Activity::Idle, 5));
}

std::optional<std::int32_t> PowerSaveMode(sd_bus* bus) {
    std::int32_t mode = -1;
    if (sd_bus_get_property_trivial(bus, kDisplayConfig, kDisplayConfigPath, kDisplayConfig,
                                    "PowerSaveMode", nullptr, 'i', &mode) < 0) {
        return std::nullopt;
    }
    return mode;
}

TEST(MutterMonitor, TurnsEveryMonitorOffAsMutterReadsBack) {
    sd_event* created = nullptr;
    ASSERT_GE(sd_event_new(&created), 0);
    const UniqueEvent loop(created);
    std::vector<std::string> log;
    Result failure;
    const std::unique_ptr<MutterMonitorSwitch> monitor = MutterMonitorSwitch::Open(
        loop.get(), [&](const std::string& line) { log.push_back(line); }, failure);
    if (!monitor) {
        GTEST_SKIP() << failure.Message();
    }
    sd_bus* opened = nullptr;
    ASSERT_GE(sd_bus_open_user(&opened), 0);
    const UniqueBus bus(opened);
    ASSERT_EQ(PowerSaveMode(bus.get()), 0);

    ASSERT_TRUE(monitor->TurnOff().Ok());

    EXPECT_TRUE(WaitUntil([&] {
        sd_event_run(loop.get(), 0);
        return PowerSaveMode(bus.get()) == 3;
    }));
    EXPECT_TRUE(log.empty()) << log.front();
    // Lit again for whatever runs on this compositor next.
    EXPECT_GE(sd_bus_set_property(bus.get(), kDisplayConfig, kDisplayConfigPath, kDisplayConfig,
                                  "PowerSaveMode", nullptr, "i", 0),
              0);
    EXPECT_EQ(PowerSaveMode(bus.get()), 0);
}

TEST(MutterMonitor, ARefusalIsLoggedWhenItComes) {
    // A stand-in that owns mutter's name on a private session bus but has no such property.
    test::TempDir dir;
    test::ChildProcess daemon({"/usr/bin/dbus-daemon", "--session", "--nofork", "--print-address=1",
                               "--address=unix:path=" + (dir / "bus")},
                              {false, true});
    const std::string address = daemon.ReadLine(20s).value_or("");
    ASSERT_FALSE(address.empty());
    const test::ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", address);
    test::ChildProcess mock(
        {"/usr/bin/python3", "-m", "dbusmock", kDisplayConfig, kDisplayConfigPath, kDisplayConfig});
    sd_event* created = nullptr;
    ASSERT_GE(sd_event_new(&created), 0);
    const UniqueEvent loop(created);
    std::vector<std::string> log;
    std::unique_ptr<MutterMonitorSwitch> monitor;
    ASSERT_TRUE(WaitUntil(
        [&] {
            Result failure;
            monitor = MutterMonitorSwitch::Open(
                loop.get(), [&](const std::string& line) { log.push_back(line); }, failure);
            return monitor != nullptr;
        },
        30s));

    ASSERT_TRUE(monitor->TurnOff().Ok());

    EXPECT_TRUE(WaitUntil([&] {
        sd_event_run(loop.get(), 0);
        return !log.empty();
    }));
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("PowerSaveMode"), std::string::npos) << log[0];
}

TEST(MutterWithoutMutter, NeitherIsOfferedAndTheReasonSaysWhy) {
    test::TempDir dir;
    const test::ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (dir / "no_bus_here"));
    std::string reason;
    EXPECT_EQ(MutterIdleSource::Open(reason), nullptr);
    EXPECT_NE(reason.find("session bus"), std::string::npos) << reason;
    Result failure;
    EXPECT_EQ(MutterMonitorSwitch::Open(nullptr, {}, failure), nullptr);
    EXPECT_NE(failure.Message().find("session bus"), std::string::npos) << failure.Message();
}

} // namespace
} // namespace morvane::platform
