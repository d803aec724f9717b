#include "platform/linux/LinuxControlServer.h"

#include "platform/linux/ControlBusNames.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace morvane::platform {

namespace {

using namespace control_bus;

// What one call may bring: far more than any task needs, far less than would hurt.
constexpr std::size_t kMostFields = 64;
constexpr std::size_t kLongestText = 4096;

const char* SignalOf(ControlEvent event) {
    switch (event) {
    case ControlEvent::TaskAdded:
        return "TaskAdded";
    case ControlEvent::TaskRemoved:
        return "TaskRemoved";
    case ControlEvent::TaskFired:
        break;
    }
    return "TaskFired";
}

int Refuse(sd_bus_error* error, const std::string& why) {
    return sd_bus_error_set(error, kRefused, why.c_str());
}

template <typename Number> int ReadNumber(sd_bus_message* call, char type, std::string& text) {
    Number number{};
    const int r = sd_bus_message_read_basic(call, type, &number);
    if (r > 0) {
        text = std::to_string(number);
    }
    return r;
}

// The value of a field as text: strings as they are, booleans and integers spelled out, as a
// shell script's caller would have typed them. `r` is 0 when the type is none of these.
int ReadValue(sd_bus_message* call, char type, std::string& text) {
    switch (type) {
    case 's': {
        const char* value = nullptr;
        const int r = sd_bus_message_read_basic(call, type, &value);
        if (r > 0) {
            text = value;
        }
        return r;
    }
    case 'b': {
        int value = 0;
        const int r = sd_bus_message_read_basic(call, type, &value);
        text = value != 0 ? "true" : "false";
        return r;
    }
    case 'y':
        return ReadNumber<std::uint8_t>(call, type, text);
    case 'n':
        return ReadNumber<std::int16_t>(call, type, text);
    case 'q':
        return ReadNumber<std::uint16_t>(call, type, text);
    case 'i':
        return ReadNumber<std::int32_t>(call, type, text);
    case 'u':
        return ReadNumber<std::uint32_t>(call, type, text);
    case 'x':
        return ReadNumber<std::int64_t>(call, type, text);
    case 't':
        return ReadNumber<std::uint64_t>(call, type, text);
    default:
        return 0;
    }
}

// Reads the a{sv} of AddTask into `fields`; `refusal` says what is wrong with them. Negative
// when the message itself cannot be read.
int ReadFields(sd_bus_message* call, std::vector<std::pair<std::string, std::string>>& fields,
               std::string& refusal) {
    int r = sd_bus_message_enter_container(call, 'a', "{sv}");
    while (r >= 0) {
        r = sd_bus_message_enter_container(call, 'e', "sv");
        if (r <= 0) {
            break;
        }
        if (fields.size() == kMostFields) {
            refusal = "too many fields: at most " + std::to_string(kMostFields);
            return 0;
        }
        const char* name = nullptr;
        r = sd_bus_message_read_basic(call, 's', &name);
        if (r < 0) {
            return r;
        }
        if (std::strlen(name) > kLongestText) {
            refusal = "a field name is longer than " + std::to_string(kLongestText) + " bytes";
            return 0;
        }
        char kind = 0;
        const char* contents = nullptr;
        r = sd_bus_message_peek_type(call, &kind, &contents);
        if (r < 0) {
            return r;
        }
        std::string value;
        if (contents != nullptr && std::strlen(contents) == 1) {
            r = sd_bus_message_enter_container(call, 'v', contents);
            if (r >= 0) {
                r = ReadValue(call, contents[0], value);
            }
        } else {
            r = 0;
        }
        if (r < 0) {
            return r;
        }
        if (r == 0) {
            refusal = "field " + std::string(name) + ": its value must be a string";
            return 0;
        }
        if (value.size() > kLongestText) {
            refusal = "field " + std::string(name) + ": its value is longer than " +
                      std::to_string(kLongestText) + " bytes";
            return 0;
        }
        fields.emplace_back(name, std::move(value));
        r = sd_bus_message_exit_container(call); // the variant
        if (r >= 0) {
            r = sd_bus_message_exit_container(call); // the entry
        }
    }
    return r < 0 ? r : sd_bus_message_exit_container(call);
}

int ReplyTasks(sd_bus_message* call, const std::vector<ControlTask>& tasks) {
    sd_bus_message* made = nullptr;
    int r = sd_bus_message_new_method_return(call, &made);
    const UniqueMessage reply(made);
    if (r >= 0) {
        r = sd_bus_message_open_container(reply.get(), 'a', "(tsss)");
    }
    for (const ControlTask& task : tasks) {
        if (r >= 0) {
            r = sd_bus_message_append(reply.get(), "(tsss)", task.id, task.when.c_str(),
                                      task.what.c_str(), task.loop.c_str());
        }
    }
    if (r >= 0) {
        r = sd_bus_message_close_container(reply.get());
    }
    return r < 0 ? r : sd_bus_send(nullptr, reply.get(), nullptr);
}

} // namespace

const sd_bus_vtable LinuxControlServer::kVtable[] = {
    SD_BUS_VTABLE_START(0),
    SD_BUS_METHOD_WITH_NAMES("AddTask", "a{sv}", SD_BUS_PARAM(fields), "t", SD_BUS_PARAM(id),
                             &LinuxControlServer::OnCall, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD_WITH_NAMES("ListTasks", "", "", "a(tsss)", SD_BUS_PARAM(tasks),
                             &LinuxControlServer::OnCall, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD_WITH_NAMES("CancelTask", "t", SD_BUS_PARAM(id), "", "",
                             &LinuxControlServer::OnCall, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("CancelAll", "", "", &LinuxControlServer::OnCall, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_METHOD("Show", "", "", &LinuxControlServer::OnCall, SD_BUS_VTABLE_UNPRIVILEGED),
    SD_BUS_SIGNAL_WITH_NAMES("TaskAdded", "t", SD_BUS_PARAM(id), 0),
    SD_BUS_SIGNAL_WITH_NAMES("TaskRemoved", "t", SD_BUS_PARAM(id), 0),
    SD_BUS_SIGNAL_WITH_NAMES("TaskFired", "t", SD_BUS_PARAM(id), 0),
    SD_BUS_VTABLE_END,
};

LinuxControlServer::LinuxControlServer() {
    sd_event* event = nullptr;
    const int r = sd_event_new(&event);
    m_event.reset(event);
    if (r < 0) {
        m_unavailable = std::string("cannot watch the session bus: ") + std::strerror(-r);
    }
}

LinuxControlServer::~LinuxControlServer() {
    // The object goes first, then the connection (which gives up the name), then the loop.
    m_object.reset();
    m_bus.reset();
}

ControlServer::Claim LinuxControlServer::Unavailable(const std::string& why, int r) {
    m_object.reset();
    m_bus.reset();
    m_unavailable = why + ": " + std::strerror(-r);
    return Claim::Unavailable;
}

ControlServer::Claim LinuxControlServer::ClaimName() {
    if (m_ours) {
        return Claim::Ours;
    }
    if (!m_event) {
        return Claim::Unavailable;
    }
    sd_bus* bus = nullptr;
    int r = sd_bus_open_user(&bus);
    m_bus.reset(bus);
    if (r < 0) {
        return Unavailable("cannot reach the session bus", r);
    }
    r = sd_bus_attach_event(m_bus.get(), m_event.get(), SD_EVENT_PRIORITY_NORMAL);
    if (r < 0) {
        return Unavailable("cannot watch the session bus", r);
    }
    // Served before the name is ours: whoever sees us own it may call at once.
    sd_bus_slot* slot = nullptr;
    r = sd_bus_add_object_vtable(m_bus.get(), &slot, kPath, kInterface, kVtable, this);
    m_object.reset(slot);
    if (r < 0) {
        return Unavailable(std::string("cannot serve ") + kPath, r);
    }
    r = sd_bus_request_name(m_bus.get(), kName, 0);
    if (r == -EEXIST) {
        // Served by the other instance; this one is about to hand over to it.
        m_object.reset();
        m_bus.reset();
        return Claim::TakenByAnother;
    }
    if (r < 0 && r != -EALREADY) {
        return Unavailable(std::string("cannot own ") + kName + " on the session bus", r);
    }
    m_ours = true;
    m_unavailable.clear();
    // Calls read together with the name's answer wait in the connection, not in the socket.
    Process();
    return Claim::Ours;
}

void LinuxControlServer::Announce(ControlEvent event, std::uint64_t id) {
    if (!m_ours) {
        return;
    }
    // Lost with the connection: nobody listens on a bus that is gone.
    static_cast<void>(sd_bus_emit_signal(m_bus.get(), kPath, kInterface, SignalOf(event), "t", id));
    Process();
}

int LinuxControlServer::PollDescriptor() const {
    return m_event ? sd_event_get_fd(m_event.get()) : -1;
}

void LinuxControlServer::Process() {
    if (!m_event) {
        return;
    }
    // Inside a handler the loop is already running and this returns at once.
    while (sd_event_run(m_event.get(), 0) > 0) {
    }
}

ControlReply LinuxControlServer::Answer(const ControlRequest& request) const {
    if (!m_handler) {
        return ControlReply{kStartingRefusal, 0, {}};
    }
    return m_handler(request);
}

int LinuxControlServer::OnCall(sd_bus_message* call, void* userdata, sd_bus_error* error) {
    const auto* server = static_cast<const LinuxControlServer*>(userdata);
    ControlRequest request;
    const char* member = sd_bus_message_get_member(call);
    for (const Method& method : kMethods) {
        if (member != nullptr && std::strcmp(member, method.member) == 0) {
            request.verb = method.verb;
        }
    }
    int r = 0;
    if (request.verb == ControlVerb::Add) {
        std::string refusal;
        r = ReadFields(call, request.fields, refusal);
        if (!refusal.empty()) {
            return Refuse(error, refusal);
        }
    } else if (request.verb == ControlVerb::Cancel) {
        r = sd_bus_message_read(call, "t", &request.id);
    }
    if (r < 0) {
        return r;
    }
    const ControlReply reply = server->Answer(request);
    if (!reply.refusal.empty()) {
        return Refuse(error, reply.refusal);
    }
    switch (request.verb) {
    case ControlVerb::Add:
        return sd_bus_reply_method_return(call, "t", reply.id);
    case ControlVerb::List:
        r = ReplyTasks(call, reply.tasks);
        if (r < 0) {
            return sd_bus_error_setf(error, SD_BUS_ERROR_FAILED, "the task list cannot be sent: %s",
                                     std::strerror(-r));
        }
        return r;
    case ControlVerb::Cancel:
    case ControlVerb::CancelAll:
    case ControlVerb::Show:
        break;
    }
    return sd_bus_reply_method_return(call, "");
}

} // namespace morvane::platform
