#include "ChildProcess.h"

#include "platform/common/ControlWire.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"
#include "platform/windows/WindowsControlClient.h"
#include "platform/windows/WindowsControlServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace morvane::platform {
namespace {

using Claim = ControlServer::Claim;

constexpr DWORD kDeadlineMs = 30000;
// Short, so the test of a stuck client does not wait long for it to be dropped.
constexpr DWORD kClientWithinMs = 500;

std::wstring UniquePipe() {
    static int count = 0;
    return L"\\\\.\\pipe\\morvane-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(++count);
}

// A server whose requests this thread answers while a client runs on a thread of its own, as
// the program's main thread answers when the pipe thread wakes it.
class Served {
public:
    explicit Served(const std::wstring& name) : server(name, kClientWithinMs) {
        server.SetWakeHandler([this] {
            const std::lock_guard lock(m_mutex);
            m_woken = true;
            m_changed.notify_all();
        });
    }

    void While(const std::function<void()>& client) {
        bool done = false;
        std::thread thread([&] {
            client();
            const std::lock_guard lock(m_mutex);
            done = true;
            m_changed.notify_all();
        });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
        std::unique_lock lock(m_mutex);
        while (!done) {
            if (!m_changed.wait_until(lock, deadline, [&] { return m_woken || done; })) {
                ADD_FAILURE() << "the client did not finish";
                break;
            }
            m_woken = false;
            lock.unlock();
            server.Process();
            lock.lock();
        }
        lock.unlock();
        thread.join();
    }

private:
    std::mutex m_mutex; // before the server, which calls back until it is gone
    std::condition_variable m_changed;
    bool m_woken = false;

public:
    WindowsControlServer server;
};

TEST(WindowsControl, TheFirstServerOwnsTheNameUntilItIsGone) {
    const std::wstring name = UniquePipe();
    WindowsControlClient client(name);
    ControlReply reply;
    const Result unreached = client.Send({ControlVerb::Show, {}, 0}, reply);
    EXPECT_EQ(unreached.Message(), "Morvane is not running");
    EXPECT_FALSE(client.InstanceRuns());
    {
        WindowsControlServer first(name);
        ASSERT_EQ(first.ClaimName(), Claim::Ours) << first.WhyUnavailable();
        EXPECT_EQ(first.ClaimName(), Claim::Ours) << "owning it already";
        WindowsControlServer second(name);
        EXPECT_EQ(second.ClaimName(), Claim::TakenByAnother);
        EXPECT_TRUE(client.InstanceRuns());
    }
    EXPECT_FALSE(client.InstanceRuns());
    WindowsControlServer next(name);
    EXPECT_EQ(next.ClaimName(), Claim::Ours) << "the name went with its owner";
    // The pipe of this user is named after the user, so every user has one.
    WindowsControlServer own;
    EXPECT_NE(own.ClaimName(), Claim::Unavailable) << own.WhyUnavailable();
}

TEST(WindowsControl, EachVerbTravelsToTheHandlerAndItsReplyBack) {
    const struct {
        ControlRequest request;
        ControlReply reply;
    } cases[] = {
        {{ControlVerb::Add,
          {{"action", "shutdown"}, {"in", "30m"}, {"run", "a\tb\nc \xC3\xA9"}},
          0},
         {"", 42, {}}},
        {{ControlVerb::List, {}, 0},
         {"", 0, {{1, "in 29 min", "shut down", "once"}, {2, "at 18:00", "run x", "every day"}}}},
        {{ControlVerb::Cancel, {}, 7}, {"No task has the id 7.", 0, {}}},
        {{ControlVerb::CancelAll, {}, 0}, {}},
        {{ControlVerb::Show, {}, 0}, {}},
    };
    const std::wstring name = UniquePipe();
    Served served(name);
    ASSERT_EQ(served.server.ClaimName(), Claim::Ours) << served.server.WhyUnavailable();
    WindowsControlClient client(name);

    ControlReply early;
    served.While([&] { ASSERT_TRUE(client.Send({ControlVerb::Show, {}, 0}, early).Ok()); });
    EXPECT_EQ(early.refusal, "Morvane is starting; try again") << "no handler yet";

    served.server.SetHandler([&](const ControlRequest& request) {
        for (const auto& c : cases) {
            if (c.request == request) {
                return c.reply;
            }
        }
        return ControlReply{"not a request of the test", 0, {}};
    });
    for (const auto& c : cases) {
        ControlReply reply;
        served.While([&] {
            const Result sent = client.Send(c.request, reply);
            EXPECT_TRUE(sent.Ok()) << sent.Message();
        });
        EXPECT_EQ(reply, c.reply) << static_cast<int>(c.request.verb);
    }
}

// Opens the pipe as a client of our own would, reading whole messages.
windows::UniqueHandle OpenRaw(const std::wstring& name) {
    windows::UniqueHandle pipe;
    for (int tries = 0; !pipe && tries < 50; ++tries) {
        pipe = windows::Own(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
        if (!pipe) {
            WaitNamedPipeW(name.c_str(), kDeadlineMs);
        }
    }
    DWORD mode = PIPE_READMODE_MESSAGE;
    if (pipe) {
        SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr);
    }
    return pipe;
}

TEST(WindowsControl, GarbageAndStuckClientsGetNothingHarmfulAndTheNextIsServed) {
    const std::wstring name = UniquePipe();
    Served served(name);
    ASSERT_EQ(served.server.ClaimName(), Claim::Ours) << served.server.WhyUnavailable();
    int handled = 0;
    served.server.SetHandler([&](const ControlRequest& /*request*/) {
        ++handled;
        return ControlReply{"", 5, {}};
    });
    WindowsControlClient client(name);

    for (const std::string& garbage : {std::string("garbage"), std::string("17:morvane-request/1"),
                                       std::string(ControlWire::kMaxMessage + 1, '9')}) {
        std::string answer(4096, '\0');
        served.While([&] {
            const windows::UniqueHandle pipe = OpenRaw(name);
            ASSERT_TRUE(pipe);
            DWORD count = 0;
            ASSERT_TRUE(WriteFile(pipe.get(), garbage.data(), static_cast<DWORD>(garbage.size()),
                                  &count, nullptr));
            ASSERT_TRUE(ReadFile(pipe.get(), answer.data(), static_cast<DWORD>(answer.size()),
                                 &count, nullptr));
            answer.resize(count);
        });
        const std::optional<ControlReply> reply = ControlWire::DecodeReply(answer);
        ASSERT_TRUE(reply.has_value()) << answer;
        EXPECT_FALSE(reply->refusal.empty()) << garbage.substr(0, 40);
    }
    EXPECT_EQ(handled, 0) << "no garbage reaches the handler";

    // One client connects and sends nothing; the next is served once the first is dropped, long
    // before its own patience runs out.
    served.While([&] {
        const windows::UniqueHandle stuck = OpenRaw(name);
        ASSERT_TRUE(stuck);
        const auto start = std::chrono::steady_clock::now();
        ControlReply reply;
        const Result sent = client.Send({ControlVerb::Show, {}, 0}, reply);
        EXPECT_TRUE(sent.Ok()) << sent.Message();
        EXPECT_EQ(reply.id, 5U);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    });
    EXPECT_EQ(handled, 1);
}

// The control probe, built beside this test; it reads what to do from our environment.
std::string ProbePath() {
    return windows::Narrow(test::OwnFolder() + L"\\morvane_control_probe.exe");
}

TEST(WindowsControl, AStartedInstanceIsAwaitedUntilItServes) {
    const std::wstring name = UniquePipe();
    const std::wstring stopName = L"Local\\morvane-test-probe-stop-" + name.substr(9);
    const windows::UniqueHandle stop(CreateEventW(nullptr, TRUE, FALSE, stopName.c_str()));
    ASSERT_TRUE(stop);
    SetEnvironmentVariableW(L"MORVANE_TEST_STOP", stopName.c_str());
    SetEnvironmentVariableW(L"MORVANE_TEST_PIPE", name.c_str());
    WindowsControlClient client(name);

    const Result started = client.StartInstance(ProbePath(), static_cast<int>(kDeadlineMs));
    ASSERT_TRUE(started.Ok()) << started.Message();
    EXPECT_TRUE(client.InstanceRuns());
    ControlReply reply;
    const Result sent = client.Send({ControlVerb::List, {}, 0}, reply);
    ASSERT_TRUE(sent.Ok()) << sent.Message();
    ASSERT_EQ(reply.tasks.size(), 1U);
    EXPECT_EQ(reply.tasks[0].what, "probe");
    // It ends cleanly with its server, and the name with it.
    const windows::UniqueHandle probe(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION,
                                                  FALSE, static_cast<DWORD>(reply.tasks[0].id)));
    ASSERT_TRUE(probe);
    SetEvent(stop.get());
    ASSERT_EQ(WaitForSingleObject(probe.get(), kDeadlineMs), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(probe.get(), &code);
    EXPECT_EQ(code, 0U);
    EXPECT_FALSE(client.InstanceRuns());
    ResetEvent(stop.get());

    const struct {
        std::string executable;
        const wchar_t* pipe; // null: the probe never serves
        const wchar_t* stop; // null: it ends at once
        int deadlineMs;      // short only where waiting it out is the point
        std::string error;
    } failures[] = {
        {ProbePath() + ".missing", name.c_str(), stopName.c_str(), 1000, "cannot start "},
        {ProbePath(), nullptr, stopName.c_str(), 1000, "Morvane did not start within 1 s"},
        // A loaded machine may take over a second just to start the probe.
        {ProbePath(), nullptr, nullptr, static_cast<int>(kDeadlineMs),
         "Morvane ended before it could be reached (exit code 2)"},
    };
    for (const auto& failure : failures) {
        SetEnvironmentVariableW(L"MORVANE_TEST_PIPE", failure.pipe);
        SetEnvironmentVariableW(L"MORVANE_TEST_STOP", failure.stop);
        const Result result = client.StartInstance(failure.executable, failure.deadlineMs);
        EXPECT_FALSE(result.Ok());
        EXPECT_EQ(result.Message().substr(0, failure.error.size()), failure.error);
    }
    SetEvent(stop.get()); // the probe that never served
    SetEnvironmentVariableW(L"MORVANE_TEST_PIPE", nullptr);
    SetEnvironmentVariableW(L"MORVANE_TEST_STOP", nullptr);
}

} // namespace
} // namespace morvane::platform
