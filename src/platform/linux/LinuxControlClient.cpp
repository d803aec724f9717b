#include "platform/linux/LinuxControlClient.h"

#include "platform/linux/ControlBusNames.h"
#include "platform/linux/LinuxLauncher.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>

namespace morvane::platform {

namespace {

using namespace control_bus;
using Clock = std::chrono::steady_clock;

const char* MethodOf(ControlVerb verb) {
    for (const Method& method : kMethods) {
        if (method.verb == verb) {
            return method.member;
        }
    }
    return "Show";
}

Result CannotReachBus(int r) {
    if (r == -ENOMEDIUM) {
        return Result::Error(-r, "cannot reach the session bus: this session has none "
                                 "(DBUS_SESSION_BUS_ADDRESS and XDG_RUNTIME_DIR are unset)");
    }
    return Result::Error(-r, std::string("cannot reach the session bus: ") + std::strerror(-r));
}

// Why a call that came back without an answer of the instance's own got none.
Result Unanswered(const sd_bus_error& error, int r) {
    if (sd_bus_error_has_name(&error, SD_BUS_ERROR_SERVICE_UNKNOWN) != 0 ||
        sd_bus_error_has_name(&error, SD_BUS_ERROR_NAME_HAS_NO_OWNER) != 0) {
        return Result::Error(-r, "Morvane is not running");
    }
    if (sd_bus_error_has_name(&error, SD_BUS_ERROR_NO_REPLY) != 0 ||
        sd_bus_error_has_name(&error, SD_BUS_ERROR_TIMEOUT) != 0 || r == -ETIMEDOUT) {
        return Result::Error(-r, "Morvane did not answer");
    }
    if (sd_bus_error_is_set(&error) == 0) {
        // No error from anyone on the bus: the connection itself failed.
        return CannotReachBus(r);
    }
    return Result::Error(-r, std::string("Morvane could not be asked: ") +
                                 (error.message != nullptr ? error.message : error.name));
}

int AppendArguments(sd_bus_message* call, const ControlRequest& request) {
    switch (request.verb) {
    case ControlVerb::Add: {
        int r = sd_bus_message_open_container(call, 'a', "{sv}");
        for (const auto& [name, value] : request.fields) {
            if (r >= 0) {
                r = sd_bus_message_append(call, "{sv}", name.c_str(), "s", value.c_str());
            }
        }
        return r < 0 ? r : sd_bus_message_close_container(call);
    }
    case ControlVerb::Cancel:
        return sd_bus_message_append(call, "t", request.id);
    case ControlVerb::List:
    case ControlVerb::CancelAll:
    case ControlVerb::Show:
        break;
    }
    return 0;
}

int ReadAnswer(sd_bus_message* answer, ControlVerb verb, ControlReply& reply) {
    if (verb == ControlVerb::Add) {
        return sd_bus_message_read(answer, "t", &reply.id);
    }
    if (verb != ControlVerb::List) {
        return 0;
    }
    int r = sd_bus_message_enter_container(answer, 'a', "(tsss)");
    while (r >= 0) {
        ControlTask task;
        const char* when = nullptr;
        const char* what = nullptr;
        const char* loop = nullptr;
        r = sd_bus_message_read(answer, "(tsss)", &task.id, &when, &what, &loop);
        if (r <= 0) {
            break;
        }
        task.when = when;
        task.what = what;
        task.loop = loop;
        reply.tasks.push_back(std::move(task));
    }
    return r < 0 ? r : sd_bus_message_exit_container(answer);
}

int OnOwnerChanged(sd_bus_message* signal, void* userdata, sd_bus_error* /*error*/) {
    const char* name = nullptr;
    const char* before = nullptr;
    const char* now = nullptr;
    if (sd_bus_message_read(signal, "sss", &name, &before, &now) > 0 && now != nullptr &&
        *now != '\0') {
        *static_cast<bool*>(userdata) = true;
    }
    return 0;
}

std::string InWords(int timeoutMs) {
    return timeoutMs % 1000 == 0 ? std::to_string(timeoutMs / 1000) + " s"
                                 : std::to_string(timeoutMs) + " ms";
}

// Hands over what comes in until `owned` is set, for `timeoutMs` at most.
Result AwaitOwner(sd_bus* bus, const bool& owned, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    while (!owned) {
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return Result::Error(ETIMEDOUT, "Morvane did not start within " + InWords(timeoutMs));
        }
        int r = sd_bus_process(bus, nullptr);
        if (r == 0) {
            r = sd_bus_wait(bus, static_cast<std::uint64_t>(left.count()));
        }
        if (r < 0) {
            return CannotReachBus(r);
        }
    }
    return {};
}

} // namespace

Result LinuxControlClient::Connect() {
    if (m_bus && sd_bus_is_open(m_bus.get()) > 0) {
        return {};
    }
    sd_bus* bus = nullptr;
    const int r = sd_bus_open_user(&bus);
    UniqueBus opened(bus);
    if (r < 0) {
        return CannotReachBus(r);
    }
    m_bus = std::move(opened);
    return {};
}

Result LinuxControlClient::HasOwner(bool& owned) {
    owned = false;
    if (Result connected = Connect(); !connected.Ok()) {
        return connected;
    }
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* received = nullptr;
    int r =
        sd_bus_call_method(m_bus.get(), "org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus", "NameHasOwner", &error, &received, "s", kName);
    const UniqueMessage answer(received);
    Result result;
    if (r < 0) {
        result = Unanswered(error, r);
    } else {
        int has = 0;
        r = sd_bus_message_read(answer.get(), "b", &has);
        owned = r > 0 && has != 0;
        if (r < 0) {
            result = Result::Error(-r, std::string("NameHasOwner: ") + std::strerror(-r));
        }
    }
    sd_bus_error_free(&error);
    return result;
}

bool LinuxControlClient::InstanceRuns() {
    bool owned = false;
    return HasOwner(owned).Ok() && owned;
}

Result LinuxControlClient::Send(const ControlRequest& request, ControlReply& reply) {
    reply = {};
    if (Result connected = Connect(); !connected.Ok()) {
        return connected;
    }
    const char* method = MethodOf(request.verb);
    sd_bus_message* made = nullptr;
    int r = sd_bus_message_new_method_call(m_bus.get(), &made, kName, kPath, kInterface, method);
    const UniqueMessage call(made);
    if (r >= 0) {
        r = AppendArguments(call.get(), request);
    }
    if (r < 0) {
        // The only text that can fail here is what the user typed.
        return Result::Error(
            -r, std::string(method) + " cannot be sent: " +
                    (r == -EINVAL ? "a field is not valid UTF-8 text" : std::strerror(-r)));
    }
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* received = nullptr;
    r = sd_bus_call(m_bus.get(), call.get(), m_answerTimeoutUsec, &error, &received);
    const UniqueMessage answer(received);
    Result result;
    if (r >= 0) {
        r = ReadAnswer(answer.get(), request.verb, reply);
        if (r < 0) {
            reply = {};
            result = Result::Error(-r, std::string("Morvane's answer to ") + method +
                                           " cannot be read: " + std::strerror(-r));
        }
    } else if (sd_bus_error_has_name(&error, kRefused) != 0) {
        reply.refusal =
            error.message != nullptr && *error.message != '\0' ? error.message : "Morvane refused";
    } else {
        result = Unanswered(error, r);
    }
    sd_bus_error_free(&error);
    return result;
}

Result LinuxControlClient::StartInstance(const std::string& executable, int timeoutMs) {
    if (Result connected = Connect(); !connected.Ok()) {
        return connected;
    }
    // Watched before the start, so an owner that comes at once is not missed.
    bool owned = false;
    const std::string rule = std::string("type='signal',sender='org.freedesktop.DBus',"
                                         "path='/org/freedesktop/DBus',"
                                         "interface='org.freedesktop.DBus',"
                                         "member='NameOwnerChanged',arg0='") +
                             kName + "'";
    sd_bus_slot* slot = nullptr;
    const int r = sd_bus_add_match(m_bus.get(), &slot, rule.c_str(), &OnOwnerChanged, &owned);
    const UniqueSlot watch(slot);
    if (r < 0) {
        return CannotReachBus(r);
    }
    LinuxLauncher launcher;
    if (Result started = launcher.Launch(launcher.QuotedProgram(executable)); !started.Ok()) {
        return started;
    }
    // An instance that was running already serves as well.
    bool running = false;
    if (Result asked = HasOwner(running); !asked.Ok()) {
        return asked;
    }
    owned = owned || running;
    return AwaitOwner(m_bus.get(), owned, timeoutMs);
}

} // namespace morvane::platform
