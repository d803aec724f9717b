#include "platform/linux/x11/X11DpmsServer.h"

#include "platform/linux/x11/X11ErrorTrap.h"
#include "platform/linux/x11/X11Windows.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

namespace morvane::platform::x11 {

namespace {

// Sends one request inside a trap, so that a refusal is an error code and not the end of the
// program through Xlib's default handler.
template <typename Request> int Trapped(Display* display, Request request) {
    X11ErrorTrap trap(display);
    request(display);
    return trap.Failed() ? trap.LastError() : 0;
}

} // namespace

std::unique_ptr<X11DpmsServer> X11DpmsServer::Open(const std::string& displayName,
                                                   Result& failure) {
    std::unique_ptr<X11Windows> windows = X11Windows::Open(displayName);
    if (windows == nullptr) {
        failure = Result::Error(0, "left on, cannot open X display \"" + displayName + "\"");
        return nullptr;
    }
    Display* display = windows->Handle();
    int eventBase = 0;
    int errorBase = 0;
    if (!DPMSQueryExtension(display, &eventBase, &errorBase)) {
        failure = Result::Error(0, "left on, the X display has no DPMS extension");
        return nullptr;
    }
    if (!DPMSCapable(display)) {
        failure = Result::Error(0, "left on, the X display cannot change its power level");
        return nullptr;
    }
    // The constructor is private, so make_unique cannot reach it.
    return std::unique_ptr<X11DpmsServer>(new X11DpmsServer(std::move(windows)));
}

X11DpmsServer::X11DpmsServer(std::unique_ptr<X11Windows> windows) : m_windows(std::move(windows)) {}

X11DpmsServer::~X11DpmsServer() = default;

std::optional<DpmsInfo> X11DpmsServer::Info() {
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    if (!DPMSInfo(m_windows->Handle(), &level, &enabled)) {
        return std::nullopt;
    }
    return DpmsInfo{enabled != False, level == DPMSModeOn};
}

std::optional<DpmsTimeouts> X11DpmsServer::Timeouts() {
    DpmsTimeouts timeouts;
    if (!DPMSGetTimeouts(m_windows->Handle(), &timeouts.standby, &timeouts.suspend,
                         &timeouts.off)) {
        return std::nullopt;
    }
    return timeouts;
}

int X11DpmsServer::SetTimeouts(const DpmsTimeouts& timeouts) {
    return Trapped(m_windows->Handle(), [&](Display* display) {
        DPMSSetTimeouts(display, timeouts.standby, timeouts.suspend, timeouts.off);
    });
}

int X11DpmsServer::Enable() {
    return Trapped(m_windows->Handle(), [](Display* display) { DPMSEnable(display); });
}

int X11DpmsServer::Disable() {
    return Trapped(m_windows->Handle(), [](Display* display) { DPMSDisable(display); });
}

int X11DpmsServer::ForceOff() {
    return Trapped(m_windows->Handle(),
                   [](Display* display) { DPMSForceLevel(display, DPMSModeOff); });
}

} // namespace morvane::platform::x11
