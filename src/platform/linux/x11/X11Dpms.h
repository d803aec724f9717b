#pragma once

#include "types/Result.h"

#include <string>

namespace morvane::platform::x11 {

/// The monitor's power level through the DPMS extension of the X display.
class X11Dpms final {
public:
    /// Turns the monitor of the session's X display (`displayName`, for the message) off now, on
    /// a connection of its own. An error says why it was left on; its code is the X error code
    /// when the server refused.
    static Result TurnMonitorOff(const std::string& displayName);
};

} // namespace morvane::platform::x11
