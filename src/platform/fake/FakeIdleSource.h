#pragma once

#include "platform/IdleSource.h"

#include <deque>

namespace morvane::platform {

/// An idle source the test drives: each sample takes the next queued answer, else `steady`.
class FakeIdleSource final : public IdleSource {
public:
    [[nodiscard]] bool IsAvailable() const override { return reason.empty(); }
    [[nodiscard]] std::string UnavailableReason() const override { return reason; }
    [[nodiscard]] bool SeesAnyInput() const override { return anyInput; }
    Activity Sample() override {
        ++samples;
        if (!IsAvailable()) {
            return Activity::Unknown;
        }
        if (queued.empty()) {
            return steady;
        }
        const Activity next = queued.front();
        queued.pop_front();
        return next;
    }
    void Reset() override { ++resets; }

    std::string reason; ///< Non-empty: activity cannot be seen here.
    bool anyInput = false;
    std::deque<Activity> queued;
    Activity steady = Activity::Idle;
    int samples = 0;
    int resets = 0;
};

} // namespace morvane::platform
