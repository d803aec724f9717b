#pragma once

#include <functional>

namespace morvane::platform {

/// The session's requests to end the program (log-out, shut-down, a terminal's Ctrl+C), handed
/// to the event loop so the program can end through its normal unload and keep its files.
class EndRequests {
public:
    EndRequests() = default;
    virtual ~EndRequests() = default;
    EndRequests(const EndRequests&) = delete;
    EndRequests& operator=(const EndRequests&) = delete;

    /// A descriptor that becomes readable when an end is requested; -1 when nothing can ask.
    [[nodiscard]] virtual int WakeDescriptor() const = 0;
    /// Consumes one request after the descriptor became readable.
    virtual void Acknowledge() = 0;
    /// Where the system announces the session's end to a program's windows and ends the program
    /// as soon as they answer (Windows), `handler` runs on the GUI thread while it waits, so
    /// the program can keep its files first. Back ends with a descriptor never call it.
    virtual void SetSessionEndHandler(std::function<void()> handler) = 0;
};

} // namespace morvane::platform
