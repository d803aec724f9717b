#include "platform/linux/wayland/WaylandMonitorSwitch.h"
#include "FakeCompositor.h"
#include "TestSupport.h"
#include "WaylandTestSupport.h"
#include "platform/linux/SdBusPtr.h"
#include "platform/linux/wayland/WaylandIdleSource.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvane::platform::wayland {
namespace {

using test::WaitUntil;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using namespace std::chrono_literals;

/// A switch on its own event loop, as LinuxPower's, with the lines it logs.
class MonitorOnLoop {
public:
    explicit MonitorOnLoop(const std::string& display) {
        sd_event* event = nullptr;
        EXPECT_GE(sd_event_new(&event), 0);
        m_loop.reset(event);
        std::string why;
        monitor = WaylandMonitorSwitch::Open(
            display, m_loop.get(), [this](const std::string& line) { lines.push_back(line); }, why);
        EXPECT_TRUE(monitor) << why;
    }

    /// Runs the loop until a line containing `text` is logged.
    bool WaitForLine(const std::string& text) {
        return WaitUntil([&] {
            sd_event_run(m_loop.get(), 10'000);
            for (const std::string& line : lines) {
                if (line.find(text) != std::string::npos) {
                    return true;
                }
            }
            return false;
        });
    }

    [[nodiscard]] sd_event* Loop() const { return m_loop.get(); }

private:
    UniqueEvent m_loop; // outlives the switch watching it

public:
    std::vector<std::string> lines;
    std::unique_ptr<WaylandMonitorSwitch> monitor;
};

TEST(OnSway, AsksForTheOutputsOffAndLogsTheRefusal) {
    MORVANE_REQUIRE_COMPOSITOR("sway");
    MonitorOnLoop on(test::LiveDisplay());
    ASSERT_TRUE(on.monitor);
    EXPECT_EQ(on.monitor->Uses(), WaylandMonitorSwitch::Protocol::WlrOutputPower);
    const Result sent = on.monitor->TurnOff();
    EXPECT_TRUE(sent.Ok()) << sent.Message();
    // The headless output cannot be turned off and says so.
    EXPECT_TRUE(on.WaitForLine("refused")) << ::testing::PrintToString(on.lines);
}

TEST(OnKWin, LogsThatTheHeadlessOutputHasNoDpms) {
    MORVANE_REQUIRE_COMPOSITOR("kwin");
    MonitorOnLoop on(test::LiveDisplay());
    ASSERT_TRUE(on.monitor);
    EXPECT_EQ(on.monitor->Uses(), WaylandMonitorSwitch::Protocol::KdeDpms);
    EXPECT_TRUE(on.monitor->TurnOff().Ok());
    EXPECT_TRUE(on.WaitForLine("unsupported")) << ::testing::PrintToString(on.lines);
}

TEST(OnWeston, OffersNoMonitorSwitch) {
    MORVANE_REQUIRE_COMPOSITOR("weston");
    UniqueEvent loop;
    sd_event* event = nullptr;
    ASSERT_GE(sd_event_new(&event), 0);
    loop.reset(event);
    std::string why;
    EXPECT_FALSE(WaylandMonitorSwitch::Open(test::LiveDisplay(), loop.get(), {}, why));
    EXPECT_THAT(why, HasSubstr("no way to turn outputs off"));
}

using test::FakeCompositor;

TEST(FakeCompositor, KdeDpmsTurnsOffEveryOutputThatSupportsItAndLogsTheOthers) {
    const test::TempDir folder;
    FakeCompositor compositor(folder.Path(), {.manager = FakeCompositor::Manager::KdeDpms,
                                              .supported = {true, false, true}});
    MonitorOnLoop on(compositor.Socket());
    ASSERT_TRUE(on.monitor);
    EXPECT_EQ(on.monitor->Uses(), WaylandMonitorSwitch::Protocol::KdeDpms);

    EXPECT_TRUE(on.monitor->TurnOff().Ok());
    EXPECT_TRUE(on.WaitForLine("unsupported"));
    EXPECT_TRUE(WaitUntil([&] {
        const auto modes = compositor.ModesSet();
        return !modes[0].empty() && !modes[2].empty();
    })) << "no Off reached the supported outputs";
    constexpr std::uint32_t kOff = 3; // org_kde_kwin_dpms's mode Off
    EXPECT_THAT(compositor.ModesSet(),
                ElementsAre(ElementsAre(kOff), IsEmpty(), ElementsAre(kOff)));
    EXPECT_EQ(on.lines.size(), 1U) << ::testing::PrintToString(on.lines);
}

TEST(FakeCompositor, WlrPowerAsksEveryOutputOffAndLogsEachRefusalOnce) {
    const test::TempDir folder;
    FakeCompositor compositor(
        folder.Path(), {.manager = FakeCompositor::Manager::WlrPower, .supported = {true, false}});
    MonitorOnLoop on(compositor.Socket());
    ASSERT_TRUE(on.monitor);
    EXPECT_EQ(on.monitor->Uses(), WaylandMonitorSwitch::Protocol::WlrOutputPower);

    EXPECT_TRUE(on.monitor->TurnOff().Ok());
    EXPECT_TRUE(on.WaitForLine("failed"));
    constexpr std::uint32_t kOff = 0; // zwlr_output_power_v1's mode off
    EXPECT_THAT(compositor.ModesSet(), ElementsAre(ElementsAre(kOff), ElementsAre(kOff)));
    // The output that went off is not reported, the one that failed only once (not again when
    // the compositor's answers are all in, which come with the failure).
    while (sd_event_run(on.Loop(), 0) > 0) {
    }
    EXPECT_EQ(on.lines.size(), 1U) << ::testing::PrintToString(on.lines);
}

TEST(FakeCompositor, WhenTheCompositorGoesIdlenessIsUnknownAndTheMonitorSaysWhy) {
    const test::TempDir folder;
    auto compositor = std::make_unique<FakeCompositor>(
        folder.Path(), FakeCompositor::Offers{.manager = FakeCompositor::Manager::WlrPower,
                                              .supported = {true},
                                              .idle = true});
    std::string why;
    const auto idle = WaylandIdleSource::Open(compositor->Socket(), why);
    ASSERT_TRUE(idle) << why;
    MonitorOnLoop on(compositor->Socket());
    ASSERT_TRUE(on.monitor);
    EXPECT_EQ(idle->Sample(), Activity::Active);

    compositor.reset();
    // An idle task must not count a vanished compositor as a quiet seat.
    EXPECT_TRUE(WaitUntil([&] { return idle->Sample() == Activity::Unknown; }));
    EXPECT_FALSE(idle->IsAvailable());
    EXPECT_THAT(idle->UnavailableReason(), HasSubstr("no longer"));
    EXPECT_EQ(idle->Sample(), Activity::Unknown);

    EXPECT_TRUE(on.WaitForLine("broke"));
    EXPECT_FALSE(on.monitor->TurnOff().Ok());
}

} // namespace
} // namespace morvane::platform::wayland
