#pragma once

#include <cstdint>
#include <optional>

namespace morvane::platform::x11 {

/// DPMS's three idle timeouts in seconds; 0 is never.
struct DpmsTimeouts {
    std::uint16_t standby = 0;
    std::uint16_t suspend = 0;
    std::uint16_t off = 0;
    bool operator==(const DpmsTimeouts&) const = default;
};

/// Whether DPMS is switched on, and whether the monitor is on now.
struct DpmsInfo {
    bool enabled = false;
    bool monitorOn = true;
    bool operator==(const DpmsInfo&) const = default;
};

/// The DPMS requests of one X display that the monitor switch makes. A request that changes
/// something returns the X error code the server refused it with, 0 when it was done.
class DpmsServer {
public:
    DpmsServer() = default;
    virtual ~DpmsServer() = default;
    DpmsServer(const DpmsServer&) = delete;
    DpmsServer& operator=(const DpmsServer&) = delete;

    /// Whether DPMS is on and the monitor is lit; nullopt when the server did not answer.
    virtual std::optional<DpmsInfo> Info() = 0;
    /// The idle timeouts; nullopt when the server did not answer.
    virtual std::optional<DpmsTimeouts> Timeouts() = 0;
    /// Sets the idle timeouts.
    virtual int SetTimeouts(const DpmsTimeouts& timeouts) = 0;
    /// Switches DPMS on.
    virtual int Enable() = 0;
    /// Switches DPMS off; the server lights the monitor with it.
    virtual int Disable() = 0;
    /// Turns the monitor off now; refused while DPMS is off.
    virtual int ForceOff() = 0;
};

} // namespace morvane::platform::x11
