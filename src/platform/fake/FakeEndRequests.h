#pragma once

#include "platform/EndRequests.h"

namespace morvane::platform {

/// Nothing outside the test can ask a fake program to end.
class FakeEndRequests final : public EndRequests {
public:
    [[nodiscard]] int WakeDescriptor() const override { return -1; }
    void Acknowledge() override {}
};

} // namespace morvane::platform
