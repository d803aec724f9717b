#include "platform/linux/LogindClient.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

namespace morvane::platform {

namespace {

constexpr const char* kService = "org.freedesktop.login1";
constexpr const char* kManagerPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";
constexpr const char* kSession = "org.freedesktop.login1.Session";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
// How long logind has to answer a question, and how long the end waits for answers still out.
constexpr std::uint64_t kAnswerTimeoutUsec = 3'000'000;

std::string Describe(int result, const sd_bus_error* error) {
    if (error != nullptr && sd_bus_error_is_set(error) && error->message != nullptr) {
        return error->message;
    }
    return std::strerror(-result);
}

Result CouldNotSend(const char* method, int r) {
    return Result::Error(-r, std::string(method) + " could not be sent: " + std::strerror(-r));
}

// The one text of a reply (`type` "s" or "o"), or why it cannot be read.
LogindClient::Answer ReadText(sd_bus_message* reply, const char* type) {
    const char* text = nullptr;
    const int r = sd_bus_message_read(reply, type, &text);
    if (r < 0 || text == nullptr) {
        return {std::nullopt, std::strerror(r < 0 ? -r : EBADMSG)};
    }
    return {text, {}};
}

} // namespace

// A call waiting for its answer. Its slot on the bus owns it from the moment the call is out,
// and lets go of it once the answer was handled or the connection closed.
struct LogindClient::PendingCall {
    LogindClient* client;
    ReplyHandler handler;
};

LogindClient::LogindClient() {
    sd_event* event = nullptr;
    const int r = sd_event_new(&event);
    m_event.reset(event);
    if (r < 0) {
        m_eventFailure = std::string("cannot watch the system bus: ") + std::strerror(-r);
    }
}

LogindClient::~LogindClient() {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::microseconds(kAnswerTimeoutUsec);
    while (m_bus && m_inFlight > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 ||
            sd_event_run(m_event.get(), static_cast<std::uint64_t>(left.count())) < 0) {
            break;
        }
    }
    // Calls still out are dropped with the connection, their handlers unasked.
    m_bus.reset();
}

int LogindClient::PollDescriptor() const {
    return m_event ? sd_event_get_fd(m_event.get()) : -1;
}

void LogindClient::Process() {
    if (!m_event) {
        return;
    }
    // One event source per round, until nothing waits. Inside a handler the loop is already
    // running and this returns at once; the running loop carries on with what was queued.
    while (sd_event_run(m_event.get(), 0) > 0) {
    }
}

Result LogindClient::Connect() {
    if (m_bus && sd_bus_is_open(m_bus.get()) > 0) {
        return {};
    }
    if (!m_event) {
        return Result::Error(0, m_eventFailure);
    }
    sd_bus* bus = nullptr;
    int r = sd_bus_open_system(&bus);
    UniqueBus opened(bus);
    if (r < 0) {
        return Result::Error(-r, std::string("cannot reach the system bus: ") + std::strerror(-r));
    }
    sd_bus_set_method_call_timeout(opened.get(), kAnswerTimeoutUsec);
    r = sd_bus_attach_event(opened.get(), m_event.get(), SD_EVENT_PRIORITY_NORMAL);
    if (r < 0) {
        return Result::Error(-r, std::string("cannot watch the system bus: ") + std::strerror(-r));
    }
    m_bus = std::move(opened);
    return {};
}

Result LogindClient::NewCall(const char* path, const char* interface, const char* method,
                             UniqueMessage& call) {
    if (Result connected = Connect(); !connected.Ok()) {
        return connected;
    }
    sd_bus_message* message = nullptr;
    const int r =
        sd_bus_message_new_method_call(m_bus.get(), &message, kService, path, interface, method);
    call.reset(message);
    return r < 0 ? CouldNotSend(method, r) : Result();
}

Result LogindClient::Send(const char* method, bool argument) {
    UniqueMessage request;
    if (Result made = NewCall(kManagerPath, kManager, method, request); !made.Ok()) {
        return made;
    }
    return Post(method, request.get(), sd_bus_message_append(request.get(), "b", argument ? 1 : 0));
}

Result LogindClient::Send(const char* method, const std::string& argument) {
    UniqueMessage request;
    if (Result made = NewCall(kManagerPath, kManager, method, request); !made.Ok()) {
        return made;
    }
    return Post(method, request.get(), sd_bus_message_append(request.get(), "s", argument.c_str()));
}

Result LogindClient::Post(const char* method, sd_bus_message* request, int r) {
    if (r >= 0) {
        r = sd_bus_message_set_expect_reply(request, 0);
    }
    if (r >= 0) {
        r = sd_bus_send(m_bus.get(), request, nullptr);
    }
    if (r < 0) {
        return CouldNotSend(method, r);
    }
    // Written at once on a connection that is up; a new one writes it as soon as it is.
    Process();
    return {};
}

void LogindClient::Call(const char* method, sd_bus_message* call, ReplyHandler handler) {
    auto pending = std::make_unique<PendingCall>(PendingCall{this, std::move(handler)});
    sd_bus_slot* slot = nullptr;
    const int r =
        sd_bus_call_async(m_bus.get(), &slot, call, &LogindClient::OnReply, pending.get(), 0);
    UniqueSlot owned(slot);
    if (r < 0) {
        pending->handler(nullptr, CouldNotSend(method, r).Message());
        return;
    }
    // The bus keeps the slot from here, and the slot the pending call.
    sd_bus_slot_set_destroy_callback(slot, &LogindClient::OnCallGone);
    sd_bus_slot_set_floating(slot, 1);
    owned.reset();
    static_cast<void>(pending.release());
    ++m_inFlight;
    Process();
}

int LogindClient::OnReply(sd_bus_message* reply, void* userdata, sd_bus_error* /*error*/) {
    auto* pending = static_cast<PendingCall*>(userdata);
    const sd_bus_error* error = sd_bus_message_get_error(reply);
    pending->handler(reply, error != nullptr ? Describe(-sd_bus_message_get_errno(reply), error)
                                             : std::string());
    return 0;
}

void LogindClient::OnCallGone(void* userdata) {
    const std::unique_ptr<PendingCall> pending(static_cast<PendingCall*>(userdata));
    --pending->client->m_inFlight;
}

void LogindClient::Ask(const char* method, AnswerHandler then) {
    UniqueMessage question;
    if (Result made = NewCall(kManagerPath, kManager, method, question); !made.Ok()) {
        then({std::nullopt, made.Message()});
        return;
    }
    Call(method, question.get(),
         [then = std::move(then)](sd_bus_message* reply, const std::string& failure) {
             then(failure.empty() ? ReadText(reply, "s") : Answer{std::nullopt, failure});
         });
}

void LogindClient::SessionOf(pid_t pid, AnswerHandler then) {
    UniqueMessage question;
    Result made = NewCall(kManagerPath, kManager, "GetSessionByPID", question);
    if (made.Ok()) {
        if (const int r =
                sd_bus_message_append(question.get(), "u", static_cast<std::uint32_t>(pid));
            r < 0) {
            made = CouldNotSend("GetSessionByPID", r);
        }
    }
    if (!made.Ok()) {
        then({std::nullopt, made.Message()});
        return;
    }
    Call("GetSessionByPID", question.get(),
         [this, then = std::move(then)](sd_bus_message* reply, const std::string& failure) {
             const Answer path = failure.empty() ? ReadText(reply, "o") : Answer{{}, failure};
             if (!path.text) {
                 then(path);
                 return;
             }
             AskSessionId(path.text->c_str(), then);
         });
}

void LogindClient::AskSessionId(const char* path, AnswerHandler then) {
    UniqueMessage question;
    Result made = NewCall(path, kProperties, "Get", question);
    if (made.Ok()) {
        if (const int r = sd_bus_message_append(question.get(), "ss", kSession, "Id"); r < 0) {
            made = CouldNotSend("Get", r);
        }
    }
    if (!made.Ok()) {
        then({std::nullopt, made.Message()});
        return;
    }
    Call("Get", question.get(),
         [then = std::move(then)](sd_bus_message* reply, const std::string& failure) {
             if (!failure.empty()) {
                 then({std::nullopt, failure});
                 return;
             }
             const char* id = nullptr;
             const int r = sd_bus_message_read(reply, "v", "s", &id);
             then(r < 0 || id == nullptr ? Answer{std::nullopt, std::strerror(r < 0 ? -r : EBADMSG)}
                                         : Answer{id, {}});
         });
}

} // namespace morvane::platform
