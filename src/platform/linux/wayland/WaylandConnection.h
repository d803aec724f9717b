#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct wl_display;
struct wl_interface;
struct wl_registry;

namespace morvane::platform::wayland {

/// One global the compositor offers: the name to bind it by, its interface, its highest version.
struct WaylandGlobal {
    std::uint32_t name = 0;
    std::string interface;
    std::uint32_t version = 0;
};

/// Morvane's own connection to the compositor, apart from Qt's: what is bound on it belongs to
/// the back end, and its events are taken in when the back end asks, never by waiting for them.
class WaylandConnection final {
public:
    /// How long the compositor may take to answer while a connection is set up.
    static constexpr std::chrono::milliseconds kPatience{2000};

    /// Connects to `displayName` (a socket name or path, as WAYLAND_DISPLAY holds it) and learns
    /// what it offers; nullptr with the reason in `why` when it does not answer within
    /// `patience`. An empty name is refused rather than guessed as "wayland-0".
    static std::unique_ptr<WaylandConnection> Open(const std::string& displayName, std::string& why,
                                                   std::chrono::milliseconds patience = kPatience);
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    [[nodiscard]] wl_display* Display() const { return m_display.get(); }
    /// The socket, for an event loop to watch for readable events.
    [[nodiscard]] int Fd() const;
    /// The globals offered now (the registry's later announcements are taken in with events).
    [[nodiscard]] const std::vector<WaylandGlobal>& Globals() const { return m_globals; }
    /// The first global of `interface`; none when it is not offered.
    [[nodiscard]] std::optional<WaylandGlobal> Find(std::string_view interface) const;
    /// Every global of `interface` (the outputs, say).
    [[nodiscard]] std::vector<WaylandGlobal> FindAll(std::string_view interface) const;
    /// Binds `global` at its version or `highest`, whichever is lower. The caller owns the
    /// object from this line on.
    [[nodiscard]] void* Bind(const WaylandGlobal& global, const wl_interface& interface,
                             std::uint32_t highest);
    template <typename T>
    [[nodiscard]] T* Bind(const WaylandGlobal& global, const wl_interface& interface,
                          std::uint32_t highest) {
        return static_cast<T*>(Bind(global, interface, highest));
    }

    /// Sends what is queued and waits, `patience` at most, until the compositor has answered
    /// all of it; false when it did not in time or the connection broke. For setting up only.
    bool Roundtrip(std::chrono::milliseconds patience = kPatience);
    /// Sends what is queued and hands the events that already arrived to their listeners;
    /// never waits. False once the connection broke.
    bool TakeIn();
    /// Whether the connection broke, and why (empty while it holds).
    [[nodiscard]] bool Broken() const { return !m_failure.empty(); }
    [[nodiscard]] const std::string& Failure() const { return m_failure; }

private:
    struct Disconnect {
        void operator()(wl_display* display) const;
    };
    struct RegistryDestroy {
        void operator()(wl_registry* registry) const;
    };

    explicit WaylandConnection(std::unique_ptr<wl_display, Disconnect> display);
    /// Takes in what arrives within `timeout` (zero: only what is there already).
    bool Pump(std::chrono::milliseconds timeout);
    bool Fail();

    static void OnGlobal(void* data, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    static void OnGlobalRemove(void* data, wl_registry* registry, std::uint32_t name);

    std::unique_ptr<wl_display, Disconnect> m_display;
    std::unique_ptr<wl_registry, RegistryDestroy> m_registry; // goes before the display
    std::vector<WaylandGlobal> m_globals;
    std::string m_failure;
};

} // namespace morvane::platform::wayland
