#include "platform/windows/WindowsIdleSource.h"

#include <gtest/gtest.h>

#include <optional>

namespace morvane::platform {
namespace {

// What the stand-ins answer at the next sample; nullopt: the call fails, as behind a lock.
std::optional<Point> g_pointer;
std::optional<DWORD> g_lastInput;

class StandInCursor final : public Cursor {
public:
    [[nodiscard]] bool IsAvailable() const override { return true; }
    std::optional<Point> Position() override { return g_pointer; }
};

BOOL WINAPI LastInputStandIn(PLASTINPUTINFO info) {
    if (!g_lastInput || info->cbSize != sizeof(LASTINPUTINFO)) {
        return FALSE;
    }
    info->dwTime = *g_lastInput;
    return TRUE;
}

TEST(WindowsIdleSource, BehindALockTheSessionsInputStandsInForThePointer) {
    WindowsIdleSource idle(std::make_unique<StandInCursor>(), LastInputStandIn);
    const struct {
        std::optional<Point> pointer;
        std::optional<DWORD> lastInput;
        Activity expected;
    } samples[] = {
        {Point{5, 5}, 100, Activity::Active}, // first sample: the pointer is off (0, 0)
        {Point{5, 5}, 200, Activity::Idle},   // keys alone are no movement of the pointer
        {std::nullopt, 200, Activity::Idle},  // locked: no input since the last sample
        {std::nullopt, 200, Activity::Idle},
        {std::nullopt, 300, Activity::Active}, // the user typed at the lock screen
        {std::nullopt, 300, Activity::Idle},
        {std::nullopt, std::nullopt, Activity::Idle}, // nothing can be read: away
        {std::nullopt, 300, Activity::Active},        // no reading to compare with
        {Point{5, 5}, 400, Activity::Idle},           // unlocked, the pointer where it was
        {Point{6, 5}, 400, Activity::Active},
    };
    int step = 0;
    for (const auto& s : samples) {
        g_pointer = s.pointer;
        g_lastInput = s.lastInput;
        EXPECT_EQ(idle.Sample(), s.expected) << "sample " << step;
        ++step;
    }

    // After a reset the first reading behind the lock has nothing to compare with.
    idle.Reset();
    g_pointer = std::nullopt;
    EXPECT_EQ(idle.Sample(), Activity::Active);
    EXPECT_EQ(idle.Sample(), Activity::Idle);
    EXPECT_TRUE(idle.IsAvailable());
}

} // namespace
} // namespace morvane::platform
