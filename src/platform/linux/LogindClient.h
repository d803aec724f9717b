#pragma once

#include "platform/linux/BusConnection.h"
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
    /// What a question to logind came to: the answer, or why there is none. `unanswered`
    /// when logind said nothing (the wait ran out, the bus went away), which is no refusal.
    struct Answer {
        std::optional<std::string> text;
        std::string failure;
        bool unanswered = false;
    };
    using AnswerHandler = std::function<void(const Answer& answer)>;

    LogindClient();
    /// Waits for the answers still to come, at most as long as logind has to give one (so a
    /// log-off under way is still carried out), and writes out what is queued.
    ~LogindClient();
    LogindClient(const LogindClient&) = delete;
    LogindClient& operator=(const LogindClient&) = delete;

    /// Readable while answers or queued requests wait for `Process`; -1 without an event loop.
    [[nodiscard]] int PollDescriptor() const { return m_bus.PollDescriptor(); }
    /// Hands over the answers that wait and writes what is queued, without waiting.
    void Process() { m_bus.Process(); }
    /// The event loop behind `PollDescriptor`, for the back end's timers and its other bus
    /// connections; nullptr without one.
    [[nodiscard]] sd_event* EventLoop() const { return m_bus.EventLoop(); }

    /// Opens the system bus unless it is open; an error says why it cannot be reached.
    Result Connect() { return m_bus.Connect(); }
    /// Sends a manager request with one boolean argument; no answer is wanted.
    Result Send(const char* method, bool argument);
    /// Sends a manager request with one boolean argument; `then` gets an empty text once logind
    /// has taken it, or why it refused it (or at once why it could not be sent). Requests wait
    /// for their answer far longer than questions: a stalled logind may still carry them out.
    void Request(const char* method, bool argument, const AnswerHandler& then);
    /// Sends a manager request with one text argument; `then` gets an empty text once logind
    /// has done it, or the reason it refused; as patient as the one above.
    void Request(const char* method, const std::string& argument, const AnswerHandler& then);
    /// Asks a manager question whose answer is one text. `then` gets the answer when it comes,
    /// or at once when the question cannot be asked.
    void Ask(const char* method, const AnswerHandler& then);
    /// Asks for the id of the session logind counts `pid` in; `then` as for `Ask`.
    void SessionOf(pid_t pid, AnswerHandler then);
    /// Asks logind for the id of the session `name` stands for: an id, which it confirms, or
    /// "auto", the caller's session (current logind: else the user's graphical one).
    void SessionNamed(const std::string& name, AnswerHandler then);
    /// Asks for the id of the graphical session of user `uid` (the user's Display).
    void DisplaySessionOf(uid_t uid, AnswerHandler then);

private:
    /// A new call to logind's `path`, or why none could be made.
    Result NewCall(const char* path, const char* interface, const char* method,
                   UniqueMessage& call);
    /// Makes the answer of a reply.
    using Reader = Answer (*)(sd_bus_message* reply);
    /// Asks `method` of logind's `interface` at `path` with `arguments` (their D-Bus `types`);
    /// `then` gets what `read` makes of the reply when it comes (within `timeoutUsec`, 0: the
    /// usual wait), or at once why the question cannot be asked.
    template <typename... Arguments>
    void Question(const char* path, const char* interface, const char* method, Reader read,
                  const AnswerHandler& then, std::uint64_t timeoutUsec, const char* types,
                  Arguments... arguments);
    /// The second step of the session questions: the Id property of the session object at
    /// `path`.
    void AskSessionId(const char* path, const AnswerHandler& then);

    BusConnection m_bus;
};

} // namespace morvane::platform
