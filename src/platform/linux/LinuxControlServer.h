#pragma once

#include "platform/Control.h"
#include "platform/linux/SdBusPtr.h"

#include <cstdint>
#include <functional>
#include <string>

namespace morvane::platform {

/// The running instance's object on the session bus (io.github.morvane.Morvane1), on a
/// connection and an event loop of its own: the program watches `PollDescriptor` and calls
/// `Process`, which answers each waiting call through the handler.
class LinuxControlServer final : public ControlServer {
public:
    LinuxControlServer();
    ~LinuxControlServer() override;
    LinuxControlServer(const LinuxControlServer&) = delete;
    LinuxControlServer& operator=(const LinuxControlServer&) = delete;

    /// Serves the object, then asks for the name without queueing for it: a client that sees
    /// the name owned can call at once. Taken by another, the connection is closed again.
    Claim ClaimName() override;
    [[nodiscard]] std::string WhyUnavailable() const override { return m_unavailable; }
    void SetHandler(Handler handler) override { m_handler = std::move(handler); }
    /// A signal, sent only while the name is ours.
    void Announce(ControlEvent event, std::uint64_t id) override;
    [[nodiscard]] int PollDescriptor() const override;
    /// Kept, never called: the descriptor says when there is work.
    void SetWakeHandler(std::function<void()> wake) override { m_wake = std::move(wake); }
    void Process() override;

private:
    Claim Unavailable(const std::string& why, int r);
    /// The handler's answer to `request`, or the refusal for a call that came too early.
    [[nodiscard]] ControlReply Answer(const ControlRequest& request) const;
    /// Answers every method: reads the request, asks the handler, replies or refuses.
    static int OnCall(sd_bus_message* call, void* userdata, sd_bus_error* error);
    static const sd_bus_vtable kVtable[];

    UniqueEvent m_event;
    UniqueBus m_bus;     // attached to m_event; goes before it
    UniqueSlot m_object; // the served object; goes before the bus
    bool m_ours = false;
    std::string m_unavailable;
    Handler m_handler;
    std::function<void()> m_wake;
};

} // namespace morvane::platform
