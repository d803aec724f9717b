#pragma once

#include "platform/IdleSource.h"

#include <chrono>
#include <memory>
#include <string>

namespace morvane::platform::wayland {

class WaylandConnection;

/// How a Wayland idle source is set up.
struct WaylandIdleOptions {
    /// How long the seat goes without input before the compositor calls it idle. The engine
    /// samples about once a second, so a second here lets the idle state trail the last input
    /// by no more than a sample does, while steady typing costs an idle/resumed pair only per
    /// pause of a second or more. (Zero would be read by some compositors as "at once" and send
    /// that pair between keystrokes.)
    std::chrono::milliseconds timeout{1000};
    /// Whether ext_idle_notifier_v1 may be used; without it only org_kde_kwin_idle is (tests
    /// take that road on a compositor that offers both).
    bool extIdleNotify = true;
};

/// Idleness as the compositor reports it: ext_idle_notifier_v1 where offered, else
/// org_kde_kwin_idle, both on the seat. Any input on the seat counts as activity (keys as well
/// as the pointer): the compositor reports input, not where the pointer is.
class WaylandIdleSource final : public IdleSource {
public:
    /// The protocol the compositor reports idleness through.
    enum class Protocol { ExtIdleNotify, KdeIdle };

    /// Connects to `displayName` and registers one idle notification; nullptr with the reason
    /// in `why` when the display does not answer or offers no seat or no idle protocol.
    static std::unique_ptr<WaylandIdleSource> Open(const std::string& displayName, std::string& why,
                                                   const WaylandIdleOptions& options = {});
    ~WaylandIdleSource() override;

    [[nodiscard]] Protocol Uses() const { return m_protocol; }

    [[nodiscard]] bool IsAvailable() const override { return m_reason.empty(); }
    [[nodiscard]] std::string UnavailableReason() const override { return m_reason; }
    [[nodiscard]] bool SeesAnyInput() const override { return true; }
    /// Takes in what the compositor sent, never waiting: Active when input resumed since the
    /// last sample or the seat is not idle, Idle otherwise, Unknown once the connection broke.
    Activity Sample() override;
    /// Forgets input reported so far; the next sample still says Active while the seat is not
    /// idle.
    void Reset() override;

private:
    struct Objects;

    WaylandIdleSource(std::unique_ptr<WaylandConnection> connection, Protocol protocol);
    /// Takes in what arrived; false, with the reason kept, once the connection broke.
    bool TakeIn();
    void OnIdle();
    void OnResumed();

    std::unique_ptr<WaylandConnection> m_connection;
    std::unique_ptr<Objects> m_objects; // bound on the connection: goes before it
    Protocol m_protocol;
    bool m_idle = false;
    bool m_resumed = false;
    std::string m_reason;
};

} // namespace morvane::platform::wayland
