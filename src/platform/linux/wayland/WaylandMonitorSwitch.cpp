#include "platform/linux/wayland/WaylandMonitorSwitch.h"

#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandPtr.h"

#include <cerrno>
#include <cstring>
#include <dpms-client-protocol.h>
#include <sys/epoll.h>
#include <wayland-client.h>
#include <wlr-output-power-management-unstable-v1-client-protocol.h>

namespace morvane::platform::wayland {

struct WaylandMonitorSwitch::Managers {
    WaylandPtr<zwlr_output_power_manager_v1, zwlr_output_power_manager_v1_destroy> wlr;
    WaylandPtr<org_kde_kwin_dpms_manager, org_kde_kwin_dpms_manager_destroy> kde;
};

/// One output of a request, with the control it is switched through and what it answered.
struct WaylandMonitorSwitch::Output {
    Output(const LogSink& sink, std::uint32_t globalName) : log(sink), name(globalName) {}

    [[nodiscard]] std::string Describe() const {
        return "output " + std::to_string(name) + " (wl_output)";
    }

    const LogSink& log;
    std::uint32_t name;
    std::uint32_t mode = ZWLR_OUTPUT_POWER_V1_MODE_ON; // as zwlr_output_power_v1 last said
    bool supported = false;
    bool settled = false; // a dpms object's first `done` came: Off went out or was skipped
    WaylandPtr<wl_output, wl_output_destroy> output;
    WaylandPtr<zwlr_output_power_v1, zwlr_output_power_v1_destroy> power;
    WaylandPtr<org_kde_kwin_dpms, org_kde_kwin_dpms_release> dpms;
};

namespace {

using Output = WaylandMonitorSwitch::Output;

Output& Of(void* data) {
    return *static_cast<Output*>(data);
}

const zwlr_output_power_v1_listener kPowerListener = {
    .mode = [](void* data, zwlr_output_power_v1*, std::uint32_t mode) { Of(data).mode = mode; },
    .failed =
        [](void* data, zwlr_output_power_v1*) {
            Output& output = Of(data);
            output.log("monitor: the compositor refused to turn " + output.Describe() +
                       " off (zwlr_output_power_v1 failed)");
            // The control is no longer valid; the protocol asks for it to go.
            output.power.reset();
        },
};

const org_kde_kwin_dpms_listener kDpmsListener = {
    .supported = [](void* data, org_kde_kwin_dpms*,
                    std::uint32_t supported) { Of(data).supported = supported != 0; },
    .mode = [](void*, org_kde_kwin_dpms*, std::uint32_t) {},
    .done =
        [](void* data, org_kde_kwin_dpms* dpms) {
            Output& output = Of(data);
            // Later `done`s close mode changes; only the first answers the request.
            if (output.settled) {
                return;
            }
            output.settled = true;
            if (output.supported) {
                org_kde_kwin_dpms_set(dpms, ORG_KDE_KWIN_DPMS_MODE_OFF);
            } else {
                output.log("monitor: the compositor says " + output.Describe() +
                           " is unsupported for DPMS (org_kde_kwin_dpms); it stays on");
            }
        },
};

} // namespace

WaylandMonitorSwitch::WaylandMonitorSwitch(std::unique_ptr<WaylandConnection> connection,
                                           Protocol protocol, LogSink log)
    : m_log(std::move(log)), m_connection(std::move(connection)), m_protocol(protocol),
      m_managers(std::make_unique<Managers>()) {}

WaylandMonitorSwitch::~WaylandMonitorSwitch() {
    m_watch.reset();
    // Requests still queued (a late Off) go out before the connection closes.
    if (!m_connection->Broken()) {
        wl_display_flush(m_connection->Display());
    }
}

std::unique_ptr<WaylandMonitorSwitch> WaylandMonitorSwitch::Open(const std::string& displayName,
                                                                 sd_event* loop, LogSink log,
                                                                 std::string& why) {
    if (loop == nullptr) {
        why = "no event loop to take the compositor's answers in";
        return nullptr;
    }
    std::unique_ptr<WaylandConnection> connection = WaylandConnection::Open(displayName, why);
    if (!connection) {
        return nullptr;
    }
    const auto wlr = connection->Find("zwlr_output_power_manager_v1");
    const auto kde = connection->Find("org_kde_kwin_dpms_manager");
    if (!wlr && !kde) {
        why = "the compositor offers no way to turn outputs off (neither "
              "zwlr_output_power_manager_v1 nor org_kde_kwin_dpms_manager)";
        return nullptr;
    }
    std::unique_ptr<WaylandMonitorSwitch> monitor(new WaylandMonitorSwitch(
        std::move(connection), wlr ? Protocol::WlrOutputPower : Protocol::KdeDpms, std::move(log)));
    WaylandConnection& wayland = *monitor->m_connection;
    if (wlr) {
        monitor->m_managers->wlr.reset(wayland.Bind<zwlr_output_power_manager_v1>(
            *wlr, zwlr_output_power_manager_v1_interface, 1));
    } else {
        monitor->m_managers->kde.reset(
            wayland.Bind<org_kde_kwin_dpms_manager>(*kde, org_kde_kwin_dpms_manager_interface, 1));
    }
    sd_event_source* watch = nullptr;
    const int added = sd_event_add_io(loop, &watch, wayland.Fd(), EPOLLIN,
                                      &WaylandMonitorSwitch::OnReadable, monitor.get());
    monitor->m_watch.reset(watch);
    if (added < 0) {
        why = std::string("cannot watch the compositor's connection: ") + std::strerror(-added);
        return nullptr;
    }
    return monitor;
}

Result WaylandMonitorSwitch::TurnOff() {
    // What arrived since (outputs that came or went) is known before the request.
    TakeIn();
    if (m_connection->Broken()) {
        return Result::Error(EPIPE, "cannot turn the monitor off: " + m_connection->Failure());
    }
    const std::vector<WaylandGlobal> outputs = m_connection->FindAll("wl_output");
    if (outputs.empty()) {
        return Result::Error(0, "cannot turn the monitor off: the compositor shows no outputs");
    }
    m_answered.reset();
    m_outputs.clear();
    for (const WaylandGlobal& global : outputs) {
        auto& output = m_outputs.emplace_back(std::make_unique<Output>(m_log, global.name));
        output->output.reset(m_connection->Bind<wl_output>(global, wl_output_interface, 1));
        if (m_managers->wlr) {
            output->power.reset(zwlr_output_power_manager_v1_get_output_power(
                m_managers->wlr.get(), output->output.get()));
            zwlr_output_power_v1_add_listener(output->power.get(), &kPowerListener, output.get());
            zwlr_output_power_v1_set_mode(output->power.get(), ZWLR_OUTPUT_POWER_V1_MODE_OFF);
        } else {
            output->dpms.reset(
                org_kde_kwin_dpms_manager_get(m_managers->kde.get(), output->output.get()));
            org_kde_kwin_dpms_add_listener(output->dpms.get(), &kDpmsListener, output.get());
        }
    }
    if (m_managers->wlr) {
        static const wl_callback_listener listener = {.done = &WaylandMonitorSwitch::OnAnswered};
        m_answered.reset(wl_display_sync(m_connection->Display()));
        wl_callback_add_listener(m_answered.get(), &listener, this);
    }
    if (wl_display_flush(m_connection->Display()) < 0 && errno != EAGAIN) {
        return Result::Error(errno, std::string("cannot turn the monitor off: the request did "
                                                "not reach the compositor (") +
                                        std::strerror(errno) + ")");
    }
    return {};
}

void WaylandMonitorSwitch::TakeIn() {
    if (m_connection->TakeIn() || !m_watch) {
        return;
    }
    // A broken connection stays readable: the loop would hand it over again and again.
    m_watch.reset();
    m_log("monitor: " + m_connection->Failure());
}

void WaylandMonitorSwitch::OnAnswered(void* data, wl_callback*, std::uint32_t) {
    auto& monitor = *static_cast<WaylandMonitorSwitch*>(data);
    monitor.m_answered.reset();
    for (const auto& output : monitor.m_outputs) {
        // A failed control was logged when it failed and is gone.
        if (output->power && output->mode != ZWLR_OUTPUT_POWER_V1_MODE_OFF) {
            monitor.m_log("monitor: the compositor refused to turn " + output->Describe() +
                          " off: it still says the output is on (zwlr_output_power_v1)");
        }
    }
}

void WaylandMonitorSwitch::CallbackDestroy::operator()(wl_callback* callback) const {
    wl_callback_destroy(callback);
}

int WaylandMonitorSwitch::OnReadable(sd_event_source*, int, std::uint32_t, void* userdata) {
    static_cast<WaylandMonitorSwitch*>(userdata)->TakeIn();
    return 0;
}

} // namespace morvane::platform::wayland
