#pragma once

#include "platform/linux/Log.h"
#include "platform/linux/MonitorSwitch.h"
#include "platform/linux/SdBusPtr.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct wl_callback;

namespace morvane::platform::wayland {

class WaylandConnection;

/// Turns the outputs off through the compositor: wlroots' zwlr_output_power_manager_v1 where
/// offered, else KWin's org_kde_kwin_dpms on each output that says it supports it. The answers
/// (a refusal, an output without DPMS) come later; the connection is watched on the event loop
/// given, and they are written to the log when it hands them over.
class WaylandMonitorSwitch final : public MonitorSwitch {
public:
    /// The protocol the outputs are switched through.
    enum class Protocol { WlrOutputPower, KdeDpms };
    /// One output of a request and what it answered (kept with the switch's code).
    struct Output;

    /// Connects to `displayName`, and watches the connection on `loop` (which must outlive the
    /// switch); nullptr with the reason in `why` when the display does not answer or offers
    /// neither manager.
    static std::unique_ptr<WaylandMonitorSwitch>
    Open(const std::string& displayName, sd_event* loop, LogSink log, std::string& why);
    ~WaylandMonitorSwitch() override;

    [[nodiscard]] Protocol Uses() const { return m_protocol; }

    /// Asks for every output to be turned off. With org_kde_kwin_dpms the request for an output
    /// goes out once it has said whether it supports DPMS, when the event loop hands that over.
    /// With zwlr_output_power_v1 an output that fails, or still says it is on once the
    /// compositor has answered, is logged as refused (wlroots' headless outputs just stay on).
    Result TurnOff() override;

private:
    WaylandMonitorSwitch(std::unique_ptr<WaylandConnection> connection, Protocol protocol,
                         LogSink log);
    /// Takes in what arrived; logs once when the connection broke and stops watching it.
    void TakeIn();
    static int OnReadable(sd_event_source* source, int fd, std::uint32_t events, void* userdata);
    /// The compositor has answered the request: logs each output it left on without a word.
    static void OnAnswered(void* data, wl_callback* callback, std::uint32_t);

    struct Managers;

    LogSink m_log; // outlives the outputs, whose answers it takes
    std::unique_ptr<WaylandConnection> m_connection;
    Protocol m_protocol;
    std::unique_ptr<Managers> m_managers;           // bound on the connection: go before it
    std::vector<std::unique_ptr<Output>> m_outputs; // those of the latest request
    struct CallbackDestroy {
        void operator()(wl_callback* callback) const;
    };
    std::unique_ptr<wl_callback, CallbackDestroy> m_answered; // comes after the request's answers
    UniqueEventSource m_watch;                                // on the connection's fd: goes first
};

} // namespace morvane::platform::wayland
