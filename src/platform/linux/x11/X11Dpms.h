#pragma once

#include "types/Result.h"

namespace morvane::platform::x11 {

/// The monitor's power level through the DPMS extension of the X display.
class X11Dpms final {
public:
    /// Turns the monitor of DISPLAY off now, on a connection of its own. An error says why it
    /// was left on; its code is the X error code when the server refused.
    static Result TurnMonitorOff();
};

} // namespace morvane::platform::x11
