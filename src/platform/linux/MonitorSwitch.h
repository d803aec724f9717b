#pragma once

#include "types/Result.h"

namespace morvane::platform {

/// One way the session offers to turn its monitors off (X11 DPMS, a Wayland protocol, the
/// compositor's own D-Bus interface). Which one is used is found out at run time.
class MonitorSwitch {
public:
    MonitorSwitch() = default;
    virtual ~MonitorSwitch() = default;
    MonitorSwitch(const MonitorSwitch&) = delete;
    MonitorSwitch& operator=(const MonitorSwitch&) = delete;

    /// Asks for every monitor to be turned off and returns at once. An error says why the
    /// request could not go out; a refusal that comes later is written to the log when the
    /// event loop hands it over.
    virtual Result TurnOff() = 0;
};

} // namespace morvane::platform
