#pragma once

#include "platform/linux/x11/DpmsServer.h"
#include "types/Result.h"

#include <memory>
#include <string>

namespace morvane::platform::x11 {

class X11Windows;

/// The DPMS extension of an X display, on a connection of its own.
class X11DpmsServer final : public DpmsServer {
public:
    /// Connects to `displayName` (DISPLAY when empty); nullptr with `failure` saying why the
    /// monitor is left on when it cannot, or when the display has no power levels to set.
    static std::unique_ptr<X11DpmsServer> Open(const std::string& displayName, Result& failure);
    ~X11DpmsServer() override;

    std::optional<DpmsInfo> Info() override;
    std::optional<DpmsTimeouts> Timeouts() override;
    int SetTimeouts(const DpmsTimeouts& timeouts) override;
    int Enable() override;
    int Disable() override;
    int ForceOff() override;

private:
    explicit X11DpmsServer(std::unique_ptr<X11Windows> windows);

    std::unique_ptr<X11Windows> m_windows;
};

} // namespace morvane::platform::x11
