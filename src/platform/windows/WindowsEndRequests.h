#pragma once

#include "platform/EndRequests.h"

namespace morvane::platform {

/// Windows asks a program to end through its windows (WM_QUERYENDSESSION, WM_ENDSESSION),
/// which the toolkit's own event loop receives; there is nothing for us to watch.
class WindowsEndRequests final : public EndRequests {
public:
    [[nodiscard]] int WakeDescriptor() const override { return -1; }
    void Acknowledge() override {}
};

} // namespace morvane::platform
