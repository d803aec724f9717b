#pragma once

#include "platform/EndRequests.h"

namespace morvane::platform {

/// Nothing outside the test can ask a fake program to end.
class FakeEndRequests final : public EndRequests {
public:
    [[nodiscard]] int WakeDescriptor() const override { return -1; }
    void Acknowledge() override {}
    void SetSessionEndHandler(std::function<void()> handler) override {
        sessionEnd = std::move(handler);
    }

    /// What the program asked to run when the session ends; a test calls it to end one.
    std::function<void()> sessionEnd;
};

} // namespace morvane::platform
