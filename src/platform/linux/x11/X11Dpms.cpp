#include "platform/linux/x11/X11Dpms.h"

#include <utility>

namespace morvane::platform::x11 {

namespace {

// Every timeout at "never": DPMS is on, yet nothing turns the monitor off by itself.
constexpr DpmsTimeouts kNever{};

} // namespace

X11Dpms::X11Dpms(Connector connect) : m_connect(std::move(connect)) {}

bool X11Dpms::StillOurs(DpmsServer& server) {
    const std::optional<DpmsInfo> info = server.Info();
    return info && info->enabled && server.Timeouts() == kNever;
}

Result X11Dpms::TurnMonitorOff() {
    Result failure;
    const std::unique_ptr<DpmsServer> server = m_connect(failure);
    if (server == nullptr) {
        return failure;
    }
    if (m_userTimeouts && !StillOurs(*server)) {
        m_userTimeouts.reset(); // the user set DPMS up anew since: that is what stays
    }
    const std::optional<DpmsInfo> info = server->Info();
    if (info && !info->enabled) {
        const std::optional<DpmsTimeouts> timeouts = server->Timeouts();
        if (!timeouts) {
            return Result::Error(0, "left on, the X display did not tell its DPMS timeouts");
        }
        // The timeouts go to "never" before DPMS is on, so that it never runs with the old ones.
        if (const int error = server->SetTimeouts(kNever); error != 0) {
            return Result::Error(error, "left on, the X server refused to change DPMS timeouts");
        }
        if (const int error = server->Enable(); error != 0) {
            server->SetTimeouts(*timeouts);
            return Result::Error(error, "left on, the X server refused to switch DPMS on");
        }
        m_userTimeouts = timeouts;
    }
    if (const int error = server->ForceOff(); error != 0) {
        RestoreOnceOn();
        return Result::Error(error, "the X server refused to turn the display off");
    }
    return {};
}

void X11Dpms::RestoreOnceOn() {
    if (!m_userTimeouts) {
        return;
    }
    Result failure;
    const std::unique_ptr<DpmsServer> server = m_connect(failure);
    if (server == nullptr || !StillOurs(*server)) {
        m_userTimeouts.reset();
        return;
    }
    const std::optional<DpmsInfo> info = server->Info();
    if (!info || !info->monitorOn) {
        return;
    }
    // Off first: with DPMS still on, the user's timeouts could blank the monitor at once.
    server->Disable();
    server->SetTimeouts(*m_userTimeouts);
    m_userTimeouts.reset();
}

} // namespace morvane::platform::x11
