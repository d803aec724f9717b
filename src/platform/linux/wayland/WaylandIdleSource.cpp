#include "platform/linux/wayland/WaylandIdleSource.h"

#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandPtr.h"

#include <ext-idle-notify-v1-client-protocol.h>
#include <idle-client-protocol.h>
#include <wayland-client.h>

namespace morvane::platform::wayland {

struct WaylandIdleSource::Objects {
    WaylandPtr<wl_seat, wl_seat_destroy> seat;
    WaylandPtr<ext_idle_notifier_v1, ext_idle_notifier_v1_destroy> notifier;
    WaylandPtr<ext_idle_notification_v1, ext_idle_notification_v1_destroy> notification;
    WaylandPtr<org_kde_kwin_idle, org_kde_kwin_idle_destroy> kdeIdle;
    WaylandPtr<org_kde_kwin_idle_timeout, org_kde_kwin_idle_timeout_release> kdeTimeout;
};

namespace {

template <void (WaylandIdleSource::*Handler)(), typename Proxy> void Forward(void* data, Proxy*) {
    (static_cast<WaylandIdleSource*>(data)->*Handler)();
}

} // namespace

WaylandIdleSource::WaylandIdleSource(std::unique_ptr<WaylandConnection> connection,
                                     Protocol protocol)
    : m_connection(std::move(connection)), m_objects(std::make_unique<Objects>()),
      m_protocol(protocol) {}

WaylandIdleSource::~WaylandIdleSource() = default;

std::unique_ptr<WaylandIdleSource> WaylandIdleSource::Open(const std::string& displayName,
                                                           std::string& why,
                                                           const WaylandIdleOptions& options) {
    std::unique_ptr<WaylandConnection> connection = WaylandConnection::Open(displayName, why);
    if (!connection) {
        return nullptr;
    }
    const auto ext =
        options.extIdleNotify ? connection->Find("ext_idle_notifier_v1") : std::nullopt;
    const auto kde = connection->Find("org_kde_kwin_idle");
    if (!ext && !kde) {
        why = "the compositor does not tell programs when the user is idle (it offers neither "
              "ext_idle_notifier_v1 nor org_kde_kwin_idle)";
        return nullptr;
    }
    const auto seat = connection->Find("wl_seat");
    if (!seat) {
        why = "the compositor has no seat (wl_seat), so it reports no input";
        return nullptr;
    }

    std::unique_ptr<WaylandIdleSource> source(new WaylandIdleSource(
        std::move(connection), ext ? Protocol::ExtIdleNotify : Protocol::KdeIdle));
    WaylandConnection& wayland = *source->m_connection;
    Objects& objects = *source->m_objects;
    objects.seat.reset(wayland.Bind<wl_seat>(*seat, wl_seat_interface, 1));
    const auto timeout = static_cast<std::uint32_t>(options.timeout.count());
    if (ext) {
        static const ext_idle_notification_v1_listener listener = {
            .idled = &Forward<&WaylandIdleSource::OnIdle>,
            .resumed = &Forward<&WaylandIdleSource::OnResumed>,
        };
        objects.notifier.reset(
            wayland.Bind<ext_idle_notifier_v1>(*ext, ext_idle_notifier_v1_interface, 1));
        objects.notification.reset(ext_idle_notifier_v1_get_idle_notification(
            objects.notifier.get(), timeout, objects.seat.get()));
        ext_idle_notification_v1_add_listener(objects.notification.get(), &listener, source.get());
    } else {
        static const org_kde_kwin_idle_timeout_listener listener = {
            .idle = &Forward<&WaylandIdleSource::OnIdle>,
            .resumed = &Forward<&WaylandIdleSource::OnResumed>,
        };
        objects.kdeIdle.reset(
            wayland.Bind<org_kde_kwin_idle>(*kde, org_kde_kwin_idle_interface, 1));
        objects.kdeTimeout.reset(
            org_kde_kwin_idle_get_idle_timeout(objects.kdeIdle.get(), objects.seat.get(), timeout));
        org_kde_kwin_idle_timeout_add_listener(objects.kdeTimeout.get(), &listener, source.get());
    }
    // The compositor checks the requests now, not at the first sample.
    if (!wayland.Roundtrip()) {
        why = "the compositor did not take the idle notification: " +
              (wayland.Broken() ? wayland.Failure() : std::string("no answer in time"));
        return nullptr;
    }
    return source;
}

Activity WaylandIdleSource::Sample() {
    if (!TakeIn()) {
        return Activity::Unknown;
    }
    const bool active = m_resumed || !m_idle;
    m_resumed = false;
    return active ? Activity::Active : Activity::Idle;
}

void WaylandIdleSource::Reset() {
    // What already arrived belongs to the time being forgotten.
    TakeIn();
    m_resumed = false;
}

bool WaylandIdleSource::TakeIn() {
    if (!IsAvailable()) {
        return false;
    }
    if (!m_connection->TakeIn()) {
        m_reason = "Idleness can no longer be seen: " + m_connection->Failure() + ".";
        return false;
    }
    return true;
}

void WaylandIdleSource::OnIdle() {
    m_idle = true;
}

void WaylandIdleSource::OnResumed() {
    m_idle = false;
    m_resumed = true;
}

} // namespace morvane::platform::wayland
