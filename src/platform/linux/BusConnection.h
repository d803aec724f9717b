#pragma once

#include "platform/linux/SdBusPtr.h"
#include "types/Result.h"

#include <cstdint>
#include <functional>
#include <string>

namespace morvane::platform {

/// One connection to the system or the session bus, driven by an sd-event loop. Nothing here
/// waits for an answer unless asked to: calls go out at once, and replies are handed over when
/// the loop finds them waiting (its owner watches `PollDescriptor` and calls `Process`). The bus
/// is opened on the first request and again after it was lost.
class BusConnection final {
public:
    enum class Bus {
        System,  ///< DBUS_SYSTEM_BUS_ADDRESS, else the standard socket.
        Session, ///< DBUS_SESSION_BUS_ADDRESS, else the one in XDG_RUNTIME_DIR.
    };
    /// A reply, or why there is none (`reply` is then an error reply or nullptr).
    using ReplyHandler = std::function<void(sd_bus_message* reply, const std::string& failure)>;

    /// Attaches to `loop` when given (sharing it with whoever else runs it), else to a loop of
    /// its own. `timeoutUsec` is how long the other side has to answer a call.
    BusConnection(Bus bus, sd_event* loop, std::uint64_t timeoutUsec);
    /// Writes out what is queued and closes; calls still out are dropped, their handlers unasked.
    ~BusConnection();
    BusConnection(const BusConnection&) = delete;
    BusConnection& operator=(const BusConnection&) = delete;

    /// Readable while replies or queued requests wait for `Process`; -1 without an event loop.
    [[nodiscard]] int PollDescriptor() const;
    /// Hands over the replies that wait and writes what is queued, without waiting.
    void Process();
    /// The event loop behind `PollDescriptor`; nullptr without one.
    [[nodiscard]] sd_event* EventLoop() const { return m_event.get(); }
    /// Runs the loop until every call has been answered, for at most the answer timeout.
    void AwaitAnswers();

    /// Opens the bus unless it is open; an error says why it cannot be reached.
    Result Connect();
    /// A new method call to `service`, or why none could be made (the bus is opened first).
    Result NewCall(const char* service, const char* path, const char* interface, const char* method,
                   UniqueMessage& call);
    /// Sends a request that wants no answer (`r` the result of filling it in).
    Result Post(const char* method, sd_bus_message* request, int r);
    /// Sends a call; `handler` gets its reply when it comes, or when `timeoutUsec` (0: the
    /// connection's) has passed without one. An error says why it could not be sent, and
    /// `handler` is then never called.
    Result Call(const char* method, sd_bus_message* call, ReplyHandler handler,
                std::uint64_t timeoutUsec = 0);
    /// Sends a call and waits at most `timeoutUsec` for its reply, for a one-off question at
    /// start-up; the reply, or an error saying why there is none.
    Result CallNow(const char* method, sd_bus_message* call, std::uint64_t timeoutUsec,
                   UniqueMessage& reply);
    /// Whether `name` has an owner on the bus, asked with a wait of at most `timeoutUsec`.
    Result HasOwner(const char* name, std::uint64_t timeoutUsec);

    /// The error of a failed call to `method` in words.
    static Result CouldNotSend(const char* method, int r);

private:
    struct PendingCall;

    static int OnReply(sd_bus_message* reply, void* userdata, sd_bus_error* error);
    static void OnCallGone(void* userdata);
    [[nodiscard]] const char* Name() const;

    Bus m_kind;
    std::uint64_t m_timeoutUsec;
    UniqueEvent m_event;
    std::string m_eventFailure; // why there is no event loop
    UniqueBus m_bus;
    int m_inFlight = 0; // calls whose answer has not been handled yet
};

} // namespace morvane::platform
