#pragma once

#include "platform/linux/SdBusPtr.h"
#include "types/Result.h"

#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>

namespace morvane::platform {

/// The program's connection to systemd-logind on the system bus. Nothing here waits for logind:
/// requests go out at once, and answers are handed over when the event loop finds them waiting
/// (it watches `PollDescriptor` and calls `Process`). The system bus is the one
/// DBUS_SYSTEM_BUS_ADDRESS names, else the standard socket; it is opened on the first request
/// and again after it was lost.
class LogindClient final {
public:
    /// What a question to logind came to: the answer, or why there is none.
    struct Answer {
        std::optional<std::string> text;
        std::string failure;
    };
    using AnswerHandler = std::function<void(const Answer& answer)>;

    LogindClient();
    /// Waits for the answers still to come, at most as long as logind has to give one (so a
    /// log-off under way is still carried out), and writes out what is queued.
    ~LogindClient();
    LogindClient(const LogindClient&) = delete;
    LogindClient& operator=(const LogindClient&) = delete;

    /// Readable while answers or queued requests wait for `Process`; -1 without an event loop.
    [[nodiscard]] int PollDescriptor() const;
    /// Hands over the answers that wait and writes what is queued, without waiting.
    void Process();
    /// The event loop behind `PollDescriptor`, for the back end's timers; nullptr without one.
    [[nodiscard]] sd_event* EventLoop() const { return m_event.get(); }

    /// Opens the system bus unless it is open; an error says why it cannot be reached.
    Result Connect();
    /// Sends a manager request with one boolean argument; no answer is wanted.
    Result Send(const char* method, bool argument);
    /// Sends a manager request with one text argument; no answer is wanted.
    Result Send(const char* method, const std::string& argument);
    /// Asks a manager question whose answer is one text. `then` gets the answer when it comes,
    /// or at once when the question cannot be asked.
    void Ask(const char* method, AnswerHandler then);
    /// Asks for the id of the session logind counts `pid` in; `then` as for `Ask`.
    void SessionOf(pid_t pid, AnswerHandler then);

private:
    /// A reply, or why there is none (`reply` is then an error reply or nullptr).
    using ReplyHandler = std::function<void(sd_bus_message* reply, const std::string& failure)>;
    struct PendingCall;

    static int OnReply(sd_bus_message* reply, void* userdata, sd_bus_error* error);
    static void OnCallGone(void* userdata);
    /// A new method call to logind's `path`, or why none could be made.
    Result NewCall(const char* path, const char* interface, const char* method,
                   UniqueMessage& call);
    /// Sends a request that wants no answer (`r` the result of filling it in).
    Result Post(const char* method, sd_bus_message* request, int r);
    /// Sends a call; `handler` gets its reply when it comes, or at once when it cannot be sent.
    void Call(const char* method, sd_bus_message* call, ReplyHandler handler);
    /// `SessionOf`'s second step: the Id property of the session object at `path`.
    void AskSessionId(const char* path, AnswerHandler then);

    UniqueEvent m_event;
    std::string m_eventFailure; // why there is no event loop
    UniqueBus m_bus;
    int m_inFlight = 0; // calls whose answer has not been handled yet
};

} // namespace morvane::platform
