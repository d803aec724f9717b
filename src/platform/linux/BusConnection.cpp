#include "platform/linux/BusConnection.h"

#include <chrono>
#include <cstring>
#include <memory>
#include <utility>

namespace morvane::platform {

namespace {

std::string Describe(int result, const sd_bus_error* error) {
    if (error != nullptr && sd_bus_error_is_set(error) && error->message != nullptr) {
        return error->message;
    }
    return std::strerror(-result);
}

} // namespace

// A call waiting for its answer. Its slot on the bus owns it from the moment the call is out,
// and lets go of it once the answer was handled or the connection closed.
struct BusConnection::PendingCall {
    BusConnection* connection;
    ReplyHandler handler;
};

BusConnection::BusConnection(Bus bus, sd_event* loop, std::uint64_t timeoutUsec)
    : m_kind(bus), m_timeoutUsec(timeoutUsec) {
    if (loop != nullptr) {
        m_event.reset(sd_event_ref(loop));
        return;
    }
    sd_event* event = nullptr;
    const int r = sd_event_new(&event);
    m_event.reset(event);
    if (r < 0) {
        m_eventFailure = std::string("cannot watch the ") + Name() + ": " + std::strerror(-r);
    }
}

BusConnection::~BusConnection() {
    // Calls still out are dropped with the connection, their handlers unasked; the loop goes
    // after it, as the connection is attached to it.
    m_bus.reset();
}

const char* BusConnection::Name() const {
    return m_kind == Bus::System ? "system bus" : "session bus";
}

int BusConnection::PollDescriptor() const {
    return m_event ? sd_event_get_fd(m_event.get()) : -1;
}

void BusConnection::Process() {
    if (!m_event) {
        return;
    }
    // One event source per round, until nothing waits. Inside a handler the loop is already
    // running and this returns at once; the running loop carries on with what was queued.
    while (sd_event_run(m_event.get(), 0) > 0) {
    }
}

void BusConnection::AwaitAnswers() {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::microseconds(m_timeoutUsec);
    while (m_bus && m_inFlight > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 ||
            sd_event_run(m_event.get(), static_cast<std::uint64_t>(left.count())) < 0) {
            break;
        }
    }
}

Result BusConnection::Connect() {
    if (m_bus && sd_bus_is_open(m_bus.get()) > 0) {
        return {};
    }
    if (!m_event) {
        return Result::Error(0, m_eventFailure);
    }
    sd_bus* bus = nullptr;
    int r = m_kind == Bus::System ? sd_bus_open_system(&bus) : sd_bus_open_user(&bus);
    UniqueBus opened(bus);
    if (r < 0) {
        return Result::Error(-r,
                             std::string("cannot reach the ") + Name() + ": " + std::strerror(-r));
    }
    sd_bus_set_method_call_timeout(opened.get(), m_timeoutUsec);
    r = sd_bus_attach_event(opened.get(), m_event.get(), SD_EVENT_PRIORITY_NORMAL);
    if (r < 0) {
        return Result::Error(-r,
                             std::string("cannot watch the ") + Name() + ": " + std::strerror(-r));
    }
    m_bus = std::move(opened);
    return {};
}

Result BusConnection::CouldNotSend(const char* method, int r) {
    return Result::Error(-r, std::string(method) + " could not be sent: " + std::strerror(-r));
}

Result BusConnection::NewCall(const char* service, const char* path, const char* interface,
                              const char* method, UniqueMessage& call) {
    if (Result connected = Connect(); !connected.Ok()) {
        return connected;
    }
    sd_bus_message* message = nullptr;
    const int r =
        sd_bus_message_new_method_call(m_bus.get(), &message, service, path, interface, method);
    call.reset(message);
    return r < 0 ? CouldNotSend(method, r) : Result();
}

Result BusConnection::Post(const char* method, sd_bus_message* request, int r) {
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

Result BusConnection::Call(const char* method, sd_bus_message* call, ReplyHandler handler,
                           std::uint64_t timeoutUsec) {
    auto pending = std::make_unique<PendingCall>(PendingCall{this, std::move(handler)});
    sd_bus_slot* slot = nullptr;
    const int r = sd_bus_call_async(m_bus.get(), &slot, call, &BusConnection::OnReply,
                                    pending.get(), timeoutUsec);
    UniqueSlot owned(slot);
    if (r < 0) {
        return CouldNotSend(method, r);
    }
    // The bus keeps the slot from here, and the slot the pending call.
    sd_bus_slot_set_destroy_callback(slot, &BusConnection::OnCallGone);
    sd_bus_slot_set_floating(slot, 1);
    owned.reset();
    static_cast<void>(pending.release());
    ++m_inFlight;
    Process();
    return {};
}

Result BusConnection::CallNow(const char* method, sd_bus_message* call, std::uint64_t timeoutUsec,
                              UniqueMessage& reply) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* received = nullptr;
    const int r = sd_bus_call(m_bus.get(), call, timeoutUsec, &error, &received);
    reply.reset(received);
    Result result;
    if (r < 0) {
        result = Result::Error(-r, std::string(method) + ": " + Describe(r, &error));
    }
    sd_bus_error_free(&error);
    return result;
}

Result BusConnection::HasOwner(const char* name, std::uint64_t timeoutUsec) {
    UniqueMessage question;
    Result made = NewCall("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                          "NameHasOwner", question);
    if (made.Ok()) {
        if (const int r = sd_bus_message_append(question.get(), "s", name); r < 0) {
            made = CouldNotSend("NameHasOwner", r);
        }
    }
    UniqueMessage reply;
    if (made.Ok()) {
        made = CallNow("NameHasOwner", question.get(), timeoutUsec, reply);
    }
    if (!made.Ok()) {
        return made;
    }
    int owned = 0;
    if (const int r = sd_bus_message_read(reply.get(), "b", &owned); r < 0) {
        return Result::Error(-r, std::string("NameHasOwner: ") + std::strerror(-r));
    }
    return owned != 0 ? Result() : Result::Error(0, std::string(name) + " is not on the " + Name());
}

int BusConnection::OnReply(sd_bus_message* reply, void* userdata, sd_bus_error* /*error*/) {
    auto* pending = static_cast<PendingCall*>(userdata);
    const sd_bus_error* error = sd_bus_message_get_error(reply);
    pending->handler(reply, error != nullptr ? Describe(-sd_bus_message_get_errno(reply), error)
                                             : std::string());
    return 0;
}

void BusConnection::OnCallGone(void* userdata) {
    const std::unique_ptr<PendingCall> pending(static_cast<PendingCall*>(userdata));
    --pending->connection->m_inFlight;
}

} // namespace morvane::platform
