#include "platform/linux/wayland/WaylandConnection.h"

#include "platform/linux/wayland/WaylandPtr.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <poll.h>
#include <wayland-client.h>

namespace morvane::platform::wayland {

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

void WaylandConnection::Disconnect::operator()(wl_display* display) const {
    wl_display_disconnect(display);
}

void WaylandConnection::RegistryDestroy::operator()(wl_registry* registry) const {
    wl_registry_destroy(registry);
}

WaylandConnection::WaylandConnection(std::unique_ptr<wl_display, Disconnect> display)
    : m_display(std::move(display)) {}

WaylandConnection::~WaylandConnection() = default;

std::unique_ptr<WaylandConnection> WaylandConnection::Open(const std::string& displayName,
                                                           std::string& why,
                                                           std::chrono::milliseconds patience) {
    if (displayName.empty()) {
        why = "no Wayland display is set";
        return nullptr;
    }
    // libwayland would take a connection handed to us by the compositor in place of the one
    // named; that one is Qt's.
    if (const char* handed = std::getenv("WAYLAND_SOCKET"); handed != nullptr && *handed != '\0') {
        why = "the compositor handed this program a single connection (WAYLAND_SOCKET), which "
              "the window toolkit uses";
        return nullptr;
    }
    std::unique_ptr<wl_display, Disconnect> display(wl_display_connect(displayName.c_str()));
    if (!display) {
        why = "the Wayland display \"" + displayName + "\" does not answer (" +
              std::strerror(errno) + ")";
        return nullptr;
    }
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection(std::move(display)));
    static const wl_registry_listener listener = {
        .global = &WaylandConnection::OnGlobal,
        .global_remove = &WaylandConnection::OnGlobalRemove,
    };
    connection->m_registry.reset(wl_display_get_registry(connection->Display()));
    if (!connection->m_registry ||
        wl_registry_add_listener(connection->m_registry.get(), &listener, connection.get()) != 0) {
        why = "cannot ask the Wayland display \"" + displayName + "\" what it offers";
        return nullptr;
    }
    if (!connection->Roundtrip(patience)) {
        why = "the Wayland display \"" + displayName + "\" does not answer" +
              (connection->Broken() ? ": " + connection->Failure() : " in time");
        return nullptr;
    }
    return connection;
}

int WaylandConnection::Fd() const {
    return wl_display_get_fd(m_display.get());
}

std::optional<WaylandGlobal> WaylandConnection::Find(std::string_view interface) const {
    const auto found =
        std::find_if(m_globals.begin(), m_globals.end(),
                     [&](const WaylandGlobal& g) { return g.interface == interface; });
    if (found == m_globals.end()) {
        return std::nullopt;
    }
    return *found;
}

std::vector<WaylandGlobal> WaylandConnection::FindAll(std::string_view interface) const {
    std::vector<WaylandGlobal> found;
    std::copy_if(m_globals.begin(), m_globals.end(), std::back_inserter(found),
                 [&](const WaylandGlobal& g) { return g.interface == interface; });
    return found;
}

void* WaylandConnection::Bind(const WaylandGlobal& global, const wl_interface& interface,
                              std::uint32_t highest) {
    return wl_registry_bind(m_registry.get(), global.name, &interface,
                            std::min(global.version, highest));
}

bool WaylandConnection::Roundtrip(std::chrono::milliseconds patience) {
    bool answered = false;
    static const wl_callback_listener listener = {
        .done = [](void* data, wl_callback*, std::uint32_t) { *static_cast<bool*>(data) = true; },
    };
    const WaylandPtr<wl_callback, wl_callback_destroy> sync(wl_display_sync(m_display.get()));
    if (!sync || wl_callback_add_listener(sync.get(), &listener, &answered) != 0) {
        return false;
    }
    const Clock::time_point deadline = Clock::now() + patience;
    while (!answered) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || !Pump(left)) {
            return false;
        }
    }
    return true;
}

bool WaylandConnection::TakeIn() {
    return Pump(std::chrono::milliseconds(0));
}

bool WaylandConnection::Pump(std::chrono::milliseconds timeout) {
    if (Broken()) {
        return false;
    }
    wl_display* display = m_display.get();
    // Events already read by an earlier call wait in the queue: they go out first, as
    // prepare_read asks.
    while (wl_display_prepare_read(display) != 0) {
        if (wl_display_dispatch_pending(display) < 0) {
            return Fail();
        }
    }
    // A full socket (EAGAIN) keeps the rest for the next call; that is no failure.
    if (wl_display_flush(display) < 0 && errno != EAGAIN) {
        wl_display_cancel_read(display);
        return Fail();
    }
    pollfd watched = {.fd = wl_display_get_fd(display), .events = POLLIN, .revents = 0};
    int ready = 0;
    do {
        ready = poll(&watched, 1, static_cast<int>(timeout.count()));
    } while (ready < 0 && errno == EINTR);
    if (ready > 0) {
        if (wl_display_read_events(display) < 0) {
            return Fail();
        }
    } else {
        wl_display_cancel_read(display);
    }
    if (wl_display_dispatch_pending(display) < 0) {
        return Fail();
    }
    // What the listeners asked for in answer goes out now, not with the next call.
    if (wl_display_flush(display) < 0 && errno != EAGAIN) {
        return Fail();
    }
    return true;
}

bool WaylandConnection::Fail() {
    const int error = wl_display_get_error(m_display.get());
    if (error == EPROTO) {
        const wl_interface* interface = nullptr;
        std::uint32_t id = 0;
        const std::uint32_t code = wl_display_get_protocol_error(m_display.get(), &interface, &id);
        m_failure = "the compositor ended the connection for a protocol error " +
                    std::to_string(code) + " on " + (interface ? interface->name : "an object");
    } else {
        m_failure = std::string("the connection to the compositor broke (") +
                    std::strerror(error != 0 ? error : errno) + ")";
    }
    return false;
}

void WaylandConnection::OnGlobal(void* data, wl_registry*, std::uint32_t name,
                                 const char* interface, std::uint32_t version) {
    static_cast<WaylandConnection*>(data)->m_globals.push_back({name, interface, version});
}

void WaylandConnection::OnGlobalRemove(void* data, wl_registry*, std::uint32_t name) {
    std::erase_if(static_cast<WaylandConnection*>(data)->m_globals,
                  [name](const WaylandGlobal& g) { return g.name == name; });
}

} // namespace morvane::platform::wayland
