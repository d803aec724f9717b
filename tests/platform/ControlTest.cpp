// The channel to the running instance on a private session bus (a real dbus-daemon): the name
// claimed once, every method from the command line's side, what another program may send, the
// signals, the interface file, and starting an instance.
#include "TestSupport.h"
#include "platform/linux/ControlBusNames.h"
#include "platform/linux/LinuxControlClient.h"
#include "platform/linux/LinuxControlServer.h"
#include "platform/linux/UniqueFd.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <poll.h>
#include <regex>
#include <sstream>
#include <string>
#include <sys/eventfd.h>
#include <thread>
#include <vector>

namespace morvane::platform {
namespace {

using namespace std::chrono_literals;
using namespace control_bus;
using Claim = ControlServer::Claim;

// A dbus-daemon of the test's own, made this process's session bus.
class PrivateSessionBus {
public:
    PrivateSessionBus()
        : m_daemon({"/usr/bin/dbus-daemon", "--session", "--nofork", "--print-address=1",
                    "--address=unix:path=" + (m_dir / "bus")},
                   {false, true}),
          m_address(m_daemon.ReadLine(20s).value_or("")),
          m_env("DBUS_SESSION_BUS_ADDRESS", m_address) {}

    [[nodiscard]] bool Up() const { return !m_address.empty(); }

private:
    test::TempDir m_dir;
    test::ChildProcess m_daemon;
    std::string m_address;
    test::ScopedEnv m_env;
};

// The server's side on a thread of its own, as the program's event loop runs it: waits for its
// descriptor and calls Process, until this goes.
class Serving {
public:
    explicit Serving(ControlServer& server) : m_server(server), m_thread([this] { Run(); }) {}
    ~Serving() {
        const std::uint64_t one = 1;
        static_cast<void>(write(m_stop.Get(), &one, sizeof one));
        m_thread.join();
    }
    Serving(const Serving&) = delete;
    Serving& operator=(const Serving&) = delete;

private:
    void Run() {
        for (;;) {
            pollfd watched[] = {{m_server.PollDescriptor(), POLLIN, 0}, {m_stop.Get(), POLLIN, 0}};
            poll(watched, 2, -1);
            if (watched[1].revents != 0) {
                return;
            }
            m_server.Process();
        }
    }

    ControlServer& m_server;
    UniqueFd m_stop{eventfd(0, EFD_CLOEXEC)};
    std::thread m_thread;
};

UniqueBus OpenSessionBus() {
    sd_bus* bus = nullptr;
    sd_bus_open_user(&bus);
    return UniqueBus(bus);
}

TEST(LinuxControl, TheNameIsOursOnceAndUnavailableWithoutABus) {
    {
        const PrivateSessionBus bus;
        ASSERT_TRUE(bus.Up());
        LinuxControlServer first;
        LinuxControlServer second;
        EXPECT_EQ(first.ClaimName(), Claim::Ours);
        EXPECT_EQ(second.ClaimName(), Claim::TakenByAnother);
        EXPECT_EQ(first.ClaimName(), Claim::Ours) << "asking again changes nothing";
        EXPECT_TRUE(LinuxControlClient().InstanceRuns());
    }
    test::TempDir dir;
    const test::ScopedEnv nowhere("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (dir / "no_bus"));
    LinuxControlServer server;
    EXPECT_EQ(server.ClaimName(), Claim::Unavailable);
    EXPECT_NE(server.WhyUnavailable().find("session bus"), std::string::npos)
        << server.WhyUnavailable();
}

TEST(LinuxControl, EveryRequestMakesTheRoundTrip) {
    const PrivateSessionBus bus;
    ASSERT_TRUE(bus.Up());
    LinuxControlServer server;
    ASSERT_EQ(server.ClaimName(), Claim::Ours);
    LinuxControlClient client;
    ControlReply reply;
    {
        // The name is owned before the program is ready to answer.
        const Serving serving(server);
        ASSERT_TRUE(client.Send({ControlVerb::Show, {}, 0}, reply).Ok());
        EXPECT_EQ(reply.refusal, "Morvane is starting; try again");
    }

    const std::vector<ControlTask> tasks = {{1, "in 5 min", "shutdown", "once"},
                                            {2, "at 10:00", "run backup.sh", "every day"}};
    std::mutex lock;
    std::vector<ControlRequest> heard;
    server.SetHandler([&](const ControlRequest& request) {
        const std::lock_guard<std::mutex> guard(lock);
        heard.push_back(request);
        ControlReply answer;
        if (request.verb == ControlVerb::Add) {
            answer.id = 41;
            if (request.fields.front().second == "explode") {
                answer.refusal = "unknown action: explode";
            }
        } else if (request.verb == ControlVerb::List) {
            answer.tasks = tasks;
        } else if (request.verb == ControlVerb::Cancel && request.id != 1) {
            answer.refusal = "there is no task " + std::to_string(request.id);
        }
        return answer;
    });
    const Serving serving(server);

    struct Case {
        const char* name;
        ControlRequest request;
        ControlReply expected;
    };
    const std::vector<Case> cases = {
        {"add",
         {ControlVerb::Add, {{"action", "shutdown"}, {"in", "30m"}, {"quit", "true"}}, 0},
         {"", 41, {}}},
        {"add refused",
         {ControlVerb::Add, {{"action", "explode"}}, 0},
         {"unknown action: explode", 0, {}}},
        {"list", {ControlVerb::List, {}, 0}, {"", 0, tasks}},
        {"cancel", {ControlVerb::Cancel, {}, 1}, {}},
        {"cancel refused",
         {ControlVerb::Cancel, {}, 18446744073709551615ULL},
         {"there is no task 18446744073709551615", 0, {}}},
        {"cancel all", {ControlVerb::CancelAll, {}, 0}, {}},
        {"show", {ControlVerb::Show, {}, 0}, {}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        const Result sent = client.Send(row.request, reply);
        ASSERT_TRUE(sent.Ok()) << sent.Message();
        EXPECT_EQ(reply, row.expected);
        const std::lock_guard<std::mutex> guard(lock);
        ASSERT_FALSE(heard.empty());
        EXPECT_EQ(heard.back(), row.request);
    }
}

TEST(LinuxControl, TheClientSaysWhyThereIsNoAnswer) {
    ControlReply reply;
    {
        const PrivateSessionBus bus;
        ASSERT_TRUE(bus.Up());
        LinuxControlClient client(200'000);
        EXPECT_FALSE(client.InstanceRuns());
        EXPECT_EQ(client.Send({ControlVerb::Show, {}, 0}, reply).Message(),
                  "Morvane is not running");
        EXPECT_EQ(client.Send({ControlVerb::Add, {{"run", "caf\xe9"}}, 0}, reply).Message(),
                  "AddTask cannot be sent: a field is not valid UTF-8 text");

        // Owned, but its loop never runs: a hung instance.
        LinuxControlServer hung;
        ASSERT_EQ(hung.ClaimName(), Claim::Ours);
        EXPECT_TRUE(client.InstanceRuns());
        EXPECT_EQ(client.Send({ControlVerb::List, {}, 0}, reply).Message(),
                  "Morvane did not answer");
    }
    test::TempDir dir;
    const test::ScopedEnv nowhere("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (dir / "no_bus"));
    LinuxControlClient client;
    const Result sent = client.Send({ControlVerb::Show, {}, 0}, reply);
    EXPECT_NE(sent.Message().find("cannot reach the session bus"), std::string::npos)
        << sent.Message();
    EXPECT_FALSE(client.InstanceRuns());
}

// Calls AddTask with the dictionary `fill` writes; the error message, empty when it was taken.
std::string AddTaskError(sd_bus* bus, const std::function<int(sd_bus_message*)>& fill) {
    sd_bus_message* made = nullptr;
    sd_bus_message_new_method_call(bus, &made, kName, kPath, kInterface, "AddTask");
    const UniqueMessage call(made);
    EXPECT_GE(fill(call.get()), 0);
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* received = nullptr;
    const int r = sd_bus_call(bus, call.get(), 5'000'000, &error, &received);
    const UniqueMessage reply(received);
    std::string message;
    if (r < 0) {
        EXPECT_STREQ(error.name, kRefused);
        message = error.message != nullptr ? error.message : "(no message)";
    }
    sd_bus_error_free(&error);
    return message;
}

// `count` string fields named f0, f1, ... with `value`.
std::function<int(sd_bus_message*)> Fields(int count, const std::string& value = "x") {
    return [count, value](sd_bus_message* call) {
        int r = sd_bus_message_open_container(call, 'a', "{sv}");
        for (int i = 0; i < count && r >= 0; ++i) {
            r = sd_bus_message_append(call, "{sv}", ("f" + std::to_string(i)).c_str(), "s",
                                      value.c_str());
        }
        return r < 0 ? r : sd_bus_message_close_container(call);
    };
}

TEST(LinuxControl, AddTaskTakesWhatAnotherProgramSendsOrSaysWhatIsWrong) {
    const PrivateSessionBus bus;
    ASSERT_TRUE(bus.Up());
    LinuxControlServer server;
    ASSERT_EQ(server.ClaimName(), Claim::Ours);
    std::mutex lock;
    std::vector<std::pair<std::string, std::string>> heard;
    server.SetHandler([&](const ControlRequest& request) {
        const std::lock_guard<std::mutex> guard(lock);
        heard = request.fields;
        return ControlReply{};
    });
    const Serving serving(server);
    const UniqueBus other = OpenSessionBus();
    ASSERT_TRUE(other);

    const std::string longest(4096, 'a');
    struct Case {
        const char* name;
        std::function<int(sd_bus_message*)> fill;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"a number",
         [](sd_bus_message* c) { return sd_bus_message_append(c, "a{sv}", 1, "in", "d", 1.5); },
         "field in: its value must be a string"},
        {"an array",
         [](sd_bus_message* c) {
             return sd_bus_message_append(c, "a{sv}", 1, "run", "as", 2, "a", "b");
         },
         "field run: its value must be a string"},
        {"64 fields", Fields(64), ""},
        {"65 fields", Fields(65), "too many fields: at most 64"},
        {"the longest value", Fields(1, longest), ""},
        {"a longer value", Fields(1, longest + "a"),
         "field f0: its value is longer than 4096 bytes"},
        {"a longer name",
         [&](sd_bus_message* c) {
             return sd_bus_message_append(c, "a{sv}", 1, (longest + "a").c_str(), "s", "x");
         },
         "a field name is longer than 4096 bytes"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(AddTaskError(other.get(), row.fill), row.error);
    }

    // Booleans and integers of every size, as a script may send them.
    EXPECT_EQ(AddTaskError(other.get(),
                           [](sd_bus_message* c) {
                               return sd_bus_message_append(c, "a{sv}", 9, "action", "s", "lock",
                                                            "quit", "b", 1, "y", "y", 255, "n", "n",
                                                            -32768, "q", "q", 65535, "i", "i",
                                                            -2147483647, "u", "u", 4294967295U, "x",
                                                            "x", INT64_MIN, "t", "t", UINT64_MAX);
                           }),
              "");
    const std::lock_guard<std::mutex> guard(lock);
    EXPECT_EQ(heard,
              (std::vector<std::pair<std::string, std::string>>{{"action", "lock"},
                                                                {"quit", "true"},
                                                                {"y", "255"},
                                                                {"n", "-32768"},
                                                                {"q", "65535"},
                                                                {"i", "-2147483647"},
                                                                {"u", "4294967295"},
                                                                {"x", "-9223372036854775808"},
                                                                {"t", "18446744073709551615"}}));
}

int OnSignal(sd_bus_message* signal, void* userdata, sd_bus_error* /*error*/) {
    std::uint64_t id = 0;
    sd_bus_message_read(signal, "t", &id);
    static_cast<std::vector<std::string>*>(userdata)->push_back(
        std::string(sd_bus_message_get_member(signal)) + " " + std::to_string(id));
    return 0;
}

TEST(LinuxControl, AnnouncementsAreSignalsOfTheOwnerOnly) {
    const PrivateSessionBus bus;
    ASSERT_TRUE(bus.Up());
    const UniqueBus listener = OpenSessionBus();
    ASSERT_TRUE(listener);
    std::vector<std::string> heard;
    sd_bus_slot* slot = nullptr;
    ASSERT_GE(sd_bus_match_signal(listener.get(), &slot, nullptr, kPath, kInterface, nullptr,
                                  &OnSignal, &heard),
              0);
    const UniqueSlot match(slot);

    LinuxControlServer owner;
    LinuxControlServer second;
    ASSERT_EQ(owner.ClaimName(), Claim::Ours);
    ASSERT_EQ(second.ClaimName(), Claim::TakenByAnother);
    second.Announce(ControlEvent::TaskAdded, 99);
    owner.Announce(ControlEvent::TaskAdded, 7);
    owner.Announce(ControlEvent::TaskFired, 7);
    owner.Announce(ControlEvent::TaskRemoved, 7);
    // The owner's own signals arrive in order; the last one comes after any of the second's.
    EXPECT_TRUE(test::WaitUntil([&] {
        while (sd_bus_process(listener.get(), nullptr) > 0) {
        }
        return heard.size() >= 3 && heard.back() == "TaskRemoved 7";
    }));
    EXPECT_EQ(heard, (std::vector<std::string>{"TaskAdded 7", "TaskFired 7", "TaskRemoved 7"}));
}

// Every method and signal of the interface in `xml`, with its arguments' directions and types.
std::vector<std::string> Members(const std::string& xml) {
    const std::size_t start = xml.find(std::string("<interface name=\"") + kInterface + "\"");
    const std::string body = start == std::string::npos
                                 ? ""
                                 : xml.substr(start, xml.find("</interface>", start) - start);
    const std::regex member(R"re(<(method|signal) name="(\w+)"\s*(/>|>([\s\S]*?)</\1>))re");
    const std::regex arg(R"(<arg\b[^>]*>)");
    const std::regex type(R"re(type="([^"]+)")re");
    const std::regex direction(R"re(direction="(\w+)")re");
    std::vector<std::string> members;
    for (std::sregex_iterator m(body.begin(), body.end(), member), end; m != end; ++m) {
        std::string text = (*m)[1].str() + " " + (*m)[2].str() + "(";
        const std::string args = (*m)[4].str();
        for (std::sregex_iterator a(args.begin(), args.end(), arg); a != end; ++a) {
            std::smatch found;
            const std::string tag = a->str();
            text += std::regex_search(tag, found, direction) ? found[1].str() + " " : "";
            text += std::regex_search(tag, found, type) ? found[1].str() + ";" : "?;";
        }
        members.push_back(text + ")");
    }
    std::sort(members.begin(), members.end());
    return members;
}

TEST(LinuxControl, TheInterfaceFileDescribesTheServedInterface) {
    std::ifstream file(MORVANE_CONTROL_INTERFACE);
    ASSERT_TRUE(file) << MORVANE_CONTROL_INTERFACE;
    std::stringstream written;
    written << file.rdbuf();

    const PrivateSessionBus bus;
    ASSERT_TRUE(bus.Up());
    LinuxControlServer server;
    ASSERT_EQ(server.ClaimName(), Claim::Ours);
    const Serving serving(server);
    const UniqueBus other = OpenSessionBus();
    sd_bus_message* received = nullptr;
    ASSERT_GE(sd_bus_call_method(other.get(), kName, kPath, "org.freedesktop.DBus.Introspectable",
                                 "Introspect", nullptr, &received, ""),
              0);
    const UniqueMessage reply(received);
    const char* served = nullptr;
    ASSERT_GE(sd_bus_message_read(reply.get(), "s", &served), 0);

    const std::vector<std::string> live = Members(served);
    EXPECT_EQ(live.size(), 8U);
    EXPECT_EQ(Members(written.str()), live);
}

TEST(LinuxControl, StartInstanceWaitsUntilTheNameIsOwned) {
    const PrivateSessionBus bus;
    ASSERT_TRUE(bus.Up());
    LinuxControlClient client;
    const Result started = client.StartInstance(MORVANE_CONTROL_PROBE, 20'000);
    ASSERT_TRUE(started.Ok()) << started.Message();
    EXPECT_TRUE(client.InstanceRuns());
    ControlReply reply;
    ASSERT_TRUE(client.Send({ControlVerb::CancelAll, {}, 0}, reply).Ok());
    EXPECT_TRUE(test::WaitUntil([&] { return !client.InstanceRuns(); }));

    struct Case {
        const char* executable;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"/bin/true", "Morvane did not start within 300 ms"},
        {"/nonexistent/morvane", "cannot start /nonexistent/morvane"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.executable);
        const Result failed = client.StartInstance(row.executable, 300);
        EXPECT_EQ(failed.Message().substr(0, row.error.size()), row.error);
    }
}

} // namespace
} // namespace morvane::platform
