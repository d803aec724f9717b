#pragma once

#include "platform/SingleInstance.h"

namespace morvane::platform {

/// An instance lock the test grants or refuses; counts the attempts.
class FakeSingleInstance final : public SingleInstance {
public:
    bool TryAcquire() override {
        ++attempts;
        return !anotherRunning;
    }

    bool anotherRunning = false;
    int attempts = 0;
};

} // namespace morvane::platform
