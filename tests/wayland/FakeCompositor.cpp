#include "FakeCompositor.h"

#include <dpms-server-protocol.h>
#include <ext-idle-notify-v1-server-protocol.h>
#include <stdexcept>
#include <wayland-server.h>
#include <wlr-output-power-management-unstable-v1-server-protocol.h>

namespace morvane::test {

namespace {

using Output = FakeCompositor::Output;

Output& OutputOf(wl_resource* resource) {
    return *static_cast<Output*>(wl_resource_get_user_data(resource));
}

void Record(Output& output, std::uint32_t mode) {
    std::lock_guard lock(*output.mutex);
    output.modesSet.push_back(mode);
}

void DestroyResource(wl_client*, wl_resource* resource) {
    wl_resource_destroy(resource);
}

/// Makes the resource for a request's new_id on the manager's version; nullptr when out of
/// memory (the client is told).
wl_resource* Create(wl_client* client, const wl_interface& interface, wl_resource* manager,
                    std::uint32_t id, const void* implementation, void* data) {
    wl_resource* resource =
        wl_resource_create(client, &interface, wl_resource_get_version(manager), id);
    if (resource == nullptr) {
        wl_client_post_no_memory(client);
        return nullptr;
    }
    wl_resource_set_implementation(resource, implementation, data, nullptr);
    return resource;
}

const struct org_kde_kwin_dpms_interface kDpms = {
    .set = [](wl_client*, wl_resource* dpms, std::uint32_t mode) { Record(OutputOf(dpms), mode); },
    .release = &DestroyResource,
};

const struct org_kde_kwin_dpms_manager_interface kDpmsManager = {
    .get =
        [](wl_client* client, wl_resource* manager, std::uint32_t id, wl_resource* outputResource) {
            Output& output = OutputOf(outputResource);
            wl_resource* dpms =
                Create(client, org_kde_kwin_dpms_interface, manager, id, &kDpms, &output);
            if (dpms != nullptr) {
                // What KWin sends on creation: support, the mode in use, then done.
                org_kde_kwin_dpms_send_supported(dpms, output.supported ? 1 : 0);
                org_kde_kwin_dpms_send_mode(dpms, ORG_KDE_KWIN_DPMS_MODE_ON);
                org_kde_kwin_dpms_send_done(dpms);
            }
        },
};

const struct zwlr_output_power_v1_interface kPower = {
    .set_mode =
        [](wl_client*, wl_resource* power, std::uint32_t mode) {
            Output& output = OutputOf(power);
            Record(output, mode);
            if (output.supported) {
                zwlr_output_power_v1_send_mode(power, mode);
            } else {
                zwlr_output_power_v1_send_failed(power);
            }
        },
    .destroy = &DestroyResource,
};

const struct zwlr_output_power_manager_v1_interface kPowerManager = {
    .get_output_power =
        [](wl_client* client, wl_resource* manager, std::uint32_t id, wl_resource* outputResource) {
            Output& output = OutputOf(outputResource);
            wl_resource* power =
                Create(client, zwlr_output_power_v1_interface, manager, id, &kPower, &output);
            if (power != nullptr) {
                zwlr_output_power_v1_send_mode(power, ZWLR_OUTPUT_POWER_V1_MODE_ON);
            }
        },
    .destroy = &DestroyResource,
};

// Notifications that stay quiet: the client's side is what is tested.
const struct ext_idle_notification_v1_interface kNotification = {.destroy = &DestroyResource};

const struct ext_idle_notifier_v1_interface kNotifier = {
    .destroy = &DestroyResource,
    .get_idle_notification =
        [](wl_client* client, wl_resource* notifier, std::uint32_t id, std::uint32_t,
           wl_resource*) {
            Create(client, ext_idle_notification_v1_interface, notifier, id, &kNotification,
                   nullptr);
        },
};

template <const wl_interface& Interface, auto Implementation>
void Bind(wl_client* client, void* data, std::uint32_t version, std::uint32_t id) {
    wl_resource* resource = wl_resource_create(client, &Interface, static_cast<int>(version), id);
    if (resource == nullptr) {
        wl_client_post_no_memory(client);
        return;
    }
    wl_resource_set_implementation(resource, Implementation, data, nullptr);
}

} // namespace

void FakeCompositor::DisplayDestroy::operator()(wl_display* display) const {
    wl_display_destroy_clients(display);
    wl_display_destroy(display);
}

FakeCompositor::FakeCompositor(const std::string& folder, const Offers& offers)
    : m_socket(folder + "/wayland-fake"), m_display(wl_display_create()) {
    if (!m_display || wl_display_add_socket(m_display.get(), m_socket.c_str()) != 0) {
        throw std::runtime_error("cannot set up the fake compositor at " + m_socket);
    }
    wl_display* display = m_display.get();
    for (const bool supported : offers.supported) {
        auto& output = m_outputs.emplace_back(std::make_unique<Output>());
        output->mutex = &m_mutex;
        output->supported = supported;
        // wl_output 1 has no requests to implement.
        wl_global_create(display, &wl_output_interface, 1, output.get(),
                         &Bind<wl_output_interface, nullptr>);
    }
    if (offers.manager == Manager::KdeDpms) {
        wl_global_create(display, &org_kde_kwin_dpms_manager_interface, 1, nullptr,
                         &Bind<org_kde_kwin_dpms_manager_interface, &kDpmsManager>);
    } else if (offers.manager == Manager::WlrPower) {
        wl_global_create(display, &zwlr_output_power_manager_v1_interface, 1, nullptr,
                         &Bind<zwlr_output_power_manager_v1_interface, &kPowerManager>);
    }
    if (offers.idle) {
        // The client asks nothing of the seat itself.
        wl_global_create(display, &wl_seat_interface, 1, nullptr,
                         &Bind<wl_seat_interface, nullptr>);
        wl_global_create(display, &ext_idle_notifier_v1_interface, 1, nullptr,
                         &Bind<ext_idle_notifier_v1_interface, &kNotifier>);
    }
    m_thread = std::thread([this] {
        wl_event_loop* loop = wl_display_get_event_loop(m_display.get());
        while (!m_stop) {
            // Waits for requests a short while at most, to see the stop in time.
            wl_event_loop_dispatch(loop, 20);
            wl_display_flush_clients(m_display.get());
        }
    });
}

FakeCompositor::~FakeCompositor() {
    m_stop = true;
    m_thread.join();
}

std::vector<std::vector<std::uint32_t>> FakeCompositor::ModesSet() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::vector<std::uint32_t>> modes;
    for (const auto& output : m_outputs) {
        modes.push_back(output->modesSet);
    }
    return modes;
}

} // namespace morvane::test
