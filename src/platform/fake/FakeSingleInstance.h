#pragma once

#include "platform/SingleInstance.h"

#include <string>

namespace morvane::platform {

/// An instance lock the test grants or refuses; counts the attempts.
class FakeSingleInstance final : public SingleInstance {
public:
    bool TryAcquire() override {
        ++attempts;
        return !anotherRunning;
    }
    [[nodiscard]] std::string WhyUnchecked() const override { return unchecked; }

    bool anotherRunning = false;
    int attempts = 0;
    std::string unchecked;
};

} // namespace morvane::platform
