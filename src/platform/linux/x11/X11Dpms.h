#pragma once

#include "platform/linux/x11/DpmsServer.h"
#include "types/Result.h"

#include <functional>
#include <memory>
#include <optional>

namespace morvane::platform::x11 {

/// Turns the monitor off through DPMS and leaves the user's DPMS settings as they were.
///
/// The X server refuses to force a power level while DPMS is switched off, and switching it off
/// lights the monitor again. So when the user has DPMS off, it is switched on with every idle
/// timeout at "never" (nothing blanks the screen by itself, as before) for the monitor to be
/// forced off; once the monitor is lit again, DPMS is switched off and the user's timeouts are
/// put back. Settings someone changes meanwhile are theirs and are left alone.
class X11Dpms final {
public:
    /// The DPMS requests of the session's display for one step, or nullptr with `failure`
    /// saying why there are none.
    using Connector = std::function<std::unique_ptr<DpmsServer>(Result& failure)>;

    explicit X11Dpms(Connector connect);

    /// Turns the monitor off now. An error says why it was left on; its code is the X error
    /// code when the server refused.
    Result TurnMonitorOff();
    /// True while the user's settings wait for the monitor to be lit again.
    [[nodiscard]] bool RestoreDue() const { return m_userTimeouts.has_value(); }
    /// Puts the user's settings back if the monitor is lit again; to be called now and then
    /// while `RestoreDue`. A display that cannot be reached any more took its settings with it.
    void RestoreOnceOn();

private:
    /// True when the display still has the settings the switch made.
    static bool StillOurs(DpmsServer& server);

    Connector m_connect;
    /// The timeouts of a user who had DPMS off, while DPMS is on for the switch only.
    std::optional<DpmsTimeouts> m_userTimeouts;
};

} // namespace morvane::platform::x11
