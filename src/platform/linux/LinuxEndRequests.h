#pragma once

#include "platform/EndRequests.h"
#include "platform/linux/UniqueFd.h"

namespace morvane::platform {

/// SIGTERM (log-out, shut-down), SIGHUP and SIGINT become a byte on a socket the event loop
/// watches. Only one instance may exist: signal handlers are process-wide.
class LinuxEndRequests final : public EndRequests {
public:
    LinuxEndRequests();
    ~LinuxEndRequests() override;

    [[nodiscard]] int WakeDescriptor() const override;
    void Acknowledge() override;
    /// The session's end comes through the descriptor here.
    void SetSessionEndHandler(std::function<void()> /*handler*/) override {}

private:
    UniqueFd m_wake;   // read by the event loop
    UniqueFd m_signal; // written by the signal handler
};

} // namespace morvane::platform
