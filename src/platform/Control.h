#pragma once

#include "types/Result.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace morvane::platform {

/// What another program (the command line, a script) can ask of the running instance.
enum class ControlVerb {
    Add,       ///< Add a task made of `fields`; the reply holds its id.
    List,      ///< Describe every task; the reply holds them.
    Cancel,    ///< Remove the task with `id`.
    CancelAll, ///< Remove every task and the armed after-all-tasks action.
    Show,      ///< Bring the main window forward.
};

/// One request to the running instance.
struct ControlRequest {
    ControlVerb verb = ControlVerb::Show;
    /// Add: the task's fields by name, as the command line names them ("action" "shutdown",
    /// "in" "30m", "quit" "true"), in the order given. The instance checks them.
    std::vector<std::pair<std::string, std::string>> fields;
    /// Cancel: the task's id.
    std::uint64_t id = 0;

    bool operator==(const ControlRequest&) const = default;
};

/// One task as a list request describes it, in words meant for a terminal; no text holds a TAB
/// or a line break.
struct ControlTask {
    std::uint64_t id = 0;
    std::string when; ///< Its due time and time left, or the condition it waits for.
    std::string what; ///< "close X", "run Y", the power action, and what follows.
    std::string loop; ///< "once", "every day", ...

    bool operator==(const ControlTask&) const = default;
};

/// The refusal of an instance that owns its name but cannot answer yet (its windows are still
/// being made): nothing was done, and the same request may be sent again.
inline constexpr char kStartingRefusal[] = "Morvane is starting; try again";

/// The instance's answer.
struct ControlReply {
    /// Why the request was refused (nothing changed); empty when it was done.
    std::string refusal;
    /// Add: the new task's id.
    std::uint64_t id = 0;
    /// List: every task, in the list's order.
    std::vector<ControlTask> tasks;

    bool operator==(const ControlReply&) const = default;
};

/// What the instance tells whoever listens (D-Bus signals); channels without listeners ignore it.
enum class ControlEvent { TaskAdded, TaskRemoved, TaskFired };

/// The running instance's side of the channel, reached per user and session under one name.
/// Owning that name is also how a second start finds the first.
class ControlServer {
public:
    ControlServer() = default;
    virtual ~ControlServer() = default;
    ControlServer(const ControlServer&) = delete;
    ControlServer& operator=(const ControlServer&) = delete;

    enum class Claim {
        Ours,           ///< We serve requests from now on.
        TakenByAnother, ///< Another instance serves them: this start is a second one.
        Unavailable,    ///< There is no channel here (`WhyUnavailable` says why).
    };
    /// Takes the name. Requests are answered only once the handler is set and `Process` runs.
    virtual Claim ClaimName() = 0;
    [[nodiscard]] virtual std::string WhyUnavailable() const = 0;

    /// Answers each request, on the thread that calls `Process`. One handler.
    using Handler = std::function<ControlReply(const ControlRequest&)>;
    virtual void SetHandler(Handler handler) = 0;
    /// Tells listeners that something happened to the task with `id`.
    virtual void Announce(ControlEvent event, std::uint64_t id) = 0;

    /// Readable when `Process` has work; -1 where the channel has no descriptor and uses the
    /// wake handler instead.
    [[nodiscard]] virtual int PollDescriptor() const = 0;
    /// Called from any thread when `Process` has work and no descriptor says so; set before
    /// `ClaimName`. Back ends with a descriptor never call it.
    virtual void SetWakeHandler(std::function<void()> wake) = 0;
    /// Answers the requests that wait, without waiting for more.
    virtual void Process() = 0;
};

/// Another process's side: the command line speaking to the running instance.
class ControlClient {
public:
    ControlClient() = default;
    virtual ~ControlClient() = default;
    ControlClient(const ControlClient&) = delete;
    ControlClient& operator=(const ControlClient&) = delete;

    /// Whether an instance serves requests now.
    virtual bool InstanceRuns() = 0;
    /// Sends `request` and waits for the answer (for as long as a starting instance may take to
    /// load). An error when no instance could be reached or it did not answer; a refusal is an
    /// answer, in `reply.refusal`.
    virtual Result Send(const ControlRequest& request, ControlReply& reply) = 0;
    /// Starts `executable` without arguments, detached from us (it outlives us; its output is
    /// not ours), and waits at most `timeoutMs` until it serves requests.
    virtual Result StartInstance(const std::string& executable, int timeoutMs) = 0;
};

} // namespace morvane::platform
