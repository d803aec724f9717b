#include "MockLogind.h"

#include <csignal>
#include <cstdlib>
#include <systemd/sd-bus.h>

namespace morvane::test {

namespace {

constexpr const char* kService = "org.freedesktop.login1";
constexpr const char* kPath = "/org/freedesktop/login1";
constexpr const char* kMock = "org.freedesktop.DBus.Mock";

// One variant of a recorded call as text.
std::string ReadVariant(sd_bus_message* m) {
    char type = 0;
    const char* contents = nullptr;
    if (sd_bus_message_peek_type(m, &type, &contents) <= 0 || type != 'v') {
        return "?";
    }
    sd_bus_message_enter_container(m, 'v', contents);
    std::string text = "?";
    switch (contents[0]) {
    case 'b': {
        int value = 0;
        sd_bus_message_read_basic(m, 'b', &value);
        text = value ? "true" : "false";
        break;
    }
    case 'u': {
        std::uint32_t value = 0;
        sd_bus_message_read_basic(m, 'u', &value);
        text = std::to_string(value);
        break;
    }
    case 's':
    case 'o': {
        const char* value = nullptr;
        sd_bus_message_read_basic(m, contents[0], &value);
        text = value;
        break;
    }
    default:
        sd_bus_message_skip(m, contents);
        break;
    }
    sd_bus_message_exit_container(m);
    return text;
}

} // namespace

MockLogind::MockLogind(const std::string& parameters) {
    m_daemon = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/dbus-daemon", "--session", "--nofork",
                                 "--print-address=1",
                                 "--address=unix:path=" + (m_dir / "system_bus_socket")},
        ChildProcess::Options{false, true});
    m_address = m_daemon->ReadLine(20s).value_or("");
    if (m_address.empty()) {
        return;
    }
    m_env = std::make_unique<ScopedEnv>("DBUS_SYSTEM_BUS_ADDRESS", m_address);
    m_mock = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/python3", "-m", "dbusmock", "--system", "--template",
                                 "logind", "--parameters", parameters});
}

MockLogind::~MockLogind() {
    m_bus.reset();
    m_mock.reset();
    m_env.reset();
    m_daemon.reset();
}

sd_bus* MockLogind::Bus() {
    if (m_bus == nullptr) {
        sd_bus* bus = nullptr;
        if (sd_bus_open_system(&bus) >= 0) {
            m_bus.reset(bus);
        }
    }
    return m_bus.get();
}

bool MockLogind::Ready(std::string& why) {
    const std::string expected = "unix:path=" + m_dir.Path() + "/";
    const char* address = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
    if (m_address.empty() || address == nullptr || m_address != address ||
        m_address.rfind(expected, 0) != 0) {
        why = "the private bus did not start or is not the system bus of this process";
        return false;
    }
    // Only the mock answers on its Mock interface: the real logind never would.
    const bool answered = WaitUntil(
        [this] {
            sd_bus* bus = Bus();
            sd_bus_message* reply = nullptr;
            const int r = bus == nullptr ? -1
                                         : sd_bus_call_method(bus, kService, kPath, kMock,
                                                              "GetCalls", nullptr, &reply, "");
            const platform::UniqueMessage owned(reply);
            return r >= 0;
        },
        30s);
    if (!answered) {
        why = "python-dbusmock's logind did not come up on " + m_address;
    }
    return answered;
}

std::vector<MockLogind::Call> MockLogind::Calls() {
    std::vector<Call> calls;
    sd_bus_message* received = nullptr;
    const int r = Bus() == nullptr ? -1
                                   : sd_bus_call_method(Bus(), kService, kPath, kMock, "GetCalls",
                                                        nullptr, &received, "");
    const platform::UniqueMessage owned(received);
    sd_bus_message* reply = owned.get();
    if (r < 0) {
        return calls;
    }
    sd_bus_message_enter_container(reply, 'a', "(tsav)");
    while (sd_bus_message_enter_container(reply, 'r', "tsav") > 0) {
        std::uint64_t when = 0;
        const char* method = nullptr;
        sd_bus_message_read(reply, "ts", &when, &method);
        Call call{method, {}};
        sd_bus_message_enter_container(reply, 'a', "v");
        while (!sd_bus_message_at_end(reply, 0)) {
            call.args.push_back(ReadVariant(reply));
        }
        sd_bus_message_exit_container(reply);
        sd_bus_message_exit_container(reply);
        calls.push_back(std::move(call));
    }
    return calls;
}

void MockLogind::ClearCalls() {
    if (Bus() != nullptr) {
        sd_bus_call_method(Bus(), kService, kPath, kMock, "ClearCalls", nullptr, nullptr, "");
    }
}

bool MockLogind::AddManagerMethod(const std::string& name, const std::string& in,
                                  const std::string& out, const std::string& code) {
    return Bus() != nullptr &&
           sd_bus_call_method(Bus(), kService, kPath, kMock, "AddMethod", nullptr, nullptr, "sssss",
                              "org.freedesktop.login1.Manager", name.c_str(), in.c_str(),
                              out.c_str(), code.c_str()) >= 0;
}

bool MockLogind::AddSession(const std::string& id, unsigned uid) {
    if (Bus() == nullptr) {
        return false;
    }
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int r = sd_bus_call_method(Bus(), kService, kPath, kMock, "AddSession", &error, nullptr,
                                     "ssusb", id.c_str(), "seat0", uid, "tester", 1);
    const bool added =
        r >= 0 || sd_bus_error_has_name(&error, "org.freedesktop.DBus.Mock.SessionExists");
    sd_bus_error_free(&error);
    return added;
}

bool MockLogind::SetUserDisplay(unsigned uid, const std::string& id) {
    const std::string user = std::string(kPath) + "/user/" + std::to_string(uid);
    const std::string session = id.empty() ? "/" : std::string(kPath) + "/session/" + id;
    return Bus() != nullptr &&
           sd_bus_call_method(Bus(), kService, user.c_str(), "org.freedesktop.DBus.Properties",
                              "Set", nullptr, nullptr, "ssv", "org.freedesktop.login1.User",
                              "Display", "(so)", id.c_str(), session.c_str()) >= 0;
}

void MockLogind::Stall(bool stalled) {
    if (m_mock != nullptr) {
        kill(m_mock->Pid(), stalled ? SIGSTOP : SIGCONT); // our own child
    }
}

} // namespace morvane::test
