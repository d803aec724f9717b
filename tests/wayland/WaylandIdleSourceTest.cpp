#include "platform/linux/wayland/WaylandIdleSource.h"
#include "TestSupport.h"
#include "WaylandTestSupport.h"
#include "platform/linux/SessionProbe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace morvane::platform::wayland {
namespace {

using test::WaitUntil;
using ::testing::HasSubstr;
using namespace std::chrono_literals;

// Generous beside the one-second idle timeout: the machine may be busy.
constexpr auto kDeadline = 6s;

std::unique_ptr<WaylandIdleSource> OpenOnLiveDisplay(const WaylandIdleOptions& options = {}) {
    std::string why;
    std::unique_ptr<WaylandIdleSource> source =
        WaylandIdleSource::Open(test::LiveDisplay(), why, options);
    EXPECT_TRUE(source) << why;
    return source;
}

bool SamplesTo(WaylandIdleSource& source, Activity wanted) {
    return WaitUntil([&] { return source.Sample() == wanted; }, kDeadline);
}

void MakeInput() {
    std::string why;
    ASSERT_TRUE(test::MakeInput(why)) << why;
}

// The seat is active until a second passes without input, idle then, and active again on input.
void ExpectIdleThenActive(WaylandIdleSource& source) {
    EXPECT_TRUE(source.IsAvailable());
    EXPECT_EQ(source.Sample(), Activity::Active) << "idle before its timeout";
    EXPECT_TRUE(SamplesTo(source, Activity::Idle));
    MakeInput();
    EXPECT_TRUE(SamplesTo(source, Activity::Active));
}

TEST(OnKWin, SeesIdleAndInputThroughBothProtocols) {
    MORVANE_REQUIRE_COMPOSITOR("kwin");
    const auto ext = OpenOnLiveDisplay();
    ASSERT_TRUE(ext);
    EXPECT_EQ(ext->Uses(), WaylandIdleSource::Protocol::ExtIdleNotify);
    ExpectIdleThenActive(*ext);

    const auto kde = OpenOnLiveDisplay({.extIdleNotify = false});
    ASSERT_TRUE(kde);
    EXPECT_EQ(kde->Uses(), WaylandIdleSource::Protocol::KdeIdle);
    ExpectIdleThenActive(*kde);
}

TEST(OnKWin, InputBetweenSamplesCountsUntilResetForgetsIt) {
    MORVANE_REQUIRE_COMPOSITOR("kwin");
    // `source` is sampled only where said; `watch`, with a longer timeout, shows when the seat
    // has been idle long enough for `source` to be idle again after the input.
    const auto source = OpenOnLiveDisplay();
    const auto watch = OpenOnLiveDisplay({.timeout = 1500ms});
    ASSERT_TRUE(source && watch);
    ASSERT_TRUE(SamplesTo(*source, Activity::Idle));
    ASSERT_TRUE(SamplesTo(*watch, Activity::Idle));

    MakeInput();
    ASSERT_TRUE(SamplesTo(*watch, Activity::Active));
    ASSERT_TRUE(SamplesTo(*watch, Activity::Idle));
    EXPECT_EQ(source->Sample(), Activity::Active) << "input between two samples was lost";
    EXPECT_EQ(source->Sample(), Activity::Idle);

    MakeInput();
    ASSERT_TRUE(SamplesTo(*watch, Activity::Active));
    ASSERT_TRUE(SamplesTo(*watch, Activity::Idle));
    source->Reset();
    EXPECT_EQ(source->Sample(), Activity::Idle) << "Reset kept the input seen before it";
}

TEST(OnSway, SeesIdleAndInputThroughKdeIdle) {
    MORVANE_REQUIRE_COMPOSITOR("sway");
    const auto source = OpenOnLiveDisplay();
    ASSERT_TRUE(source);
    EXPECT_EQ(source->Uses(), WaylandIdleSource::Protocol::KdeIdle);
    ExpectIdleThenActive(*source);
}

TEST(OnWeston, OffersNoIdleSourceAndSaysWhy) {
    MORVANE_REQUIRE_COMPOSITOR("weston");
    std::string why;
    EXPECT_FALSE(WaylandIdleSource::Open(test::LiveDisplay(), why));
    EXPECT_THAT(why, HasSubstr("idle"));

    EXPECT_FALSE(WaylandIdleSource::Open("wayland-nobody-listens", why));
    EXPECT_THAT(why, HasSubstr("does not answer"));
}

TEST(OnWeston, SessionIsWaylandWhereTheCompositorAnswers) {
    MORVANE_REQUIRE_COMPOSITOR("weston");
    // No session type, as when a compositor is started by hand: the display decides.
    EXPECT_EQ(SessionProbe(Environment({{"WAYLAND_DISPLAY", test::LiveDisplay()}})).Type(),
              SessionType::Wayland);
    EXPECT_EQ(SessionProbe(
                  Environment({{"WAYLAND_DISPLAY", "wayland-nobody-listens"}, {"DISPLAY", ":0"}}))
                  .Type(),
              SessionType::X11);
}

} // namespace
} // namespace morvane::platform::wayland
