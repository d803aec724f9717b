#pragma once

#include "platform/Control.h"
#include "platform/windows/WinHandle.h"

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace morvane::platform {

/// The running instance's end of the control channel: a named pipe of this user (see
/// windows::ControlPipeName) that only this user and the system may open, from this machine.
/// Owning its first instance is owning the name. A thread of its own takes one client at a time:
/// it reads one request, has the thread that calls Process answer it, writes the reply and waits
/// for the client to close. Every wait on a client has a deadline, so a stuck one cannot keep
/// the others out.
class WindowsControlServer final : public ControlServer {
public:
    /// How long a client may take to send its request, and to take the reply.
    static constexpr DWORD kClientWithinMs = 5000;

    /// This user's pipe.
    WindowsControlServer();
    /// The pipe `pipeName`, with clients given `clientWithinMs`.
    explicit WindowsControlServer(std::wstring pipeName, DWORD clientWithinMs = kClientWithinMs);
    ~WindowsControlServer() override;
    WindowsControlServer(const WindowsControlServer&) = delete;
    WindowsControlServer& operator=(const WindowsControlServer&) = delete;

    Claim ClaimName() override;
    [[nodiscard]] std::string WhyUnavailable() const override { return m_why; }
    void SetHandler(Handler handler) override { m_handler = std::move(handler); }
    /// A pipe has no listeners to tell.
    void Announce(ControlEvent /*event*/, std::uint64_t /*id*/) override {}
    [[nodiscard]] int PollDescriptor() const override { return -1; }
    void SetWakeHandler(std::function<void()> wake) override;
    void Process() override;

private:
    Claim Unavailable(std::string why);
    /// The pipe thread: clients one after another until the server goes.
    void Serve();
    /// Takes the connected client's request and answers it.
    void ServeClient();
    /// The encoded reply to `bytes`, once Process has made it; empty when the server goes first.
    std::string Answer(const std::string& bytes);

    std::wstring m_name;
    DWORD m_clientWithinMs;
    std::string m_why;
    windows::UniqueHandle m_pipe;
    windows::UniqueHandle m_stop; // set when the server goes
    std::thread m_thread;
    Handler m_handler; // used on the thread that calls Process only

    std::mutex m_mutex; // guards what follows, shared with the pipe thread
    std::condition_variable m_answered;
    std::function<void()> m_wake;
    std::optional<ControlRequest> m_waiting; // for Process to answer
    std::optional<std::string> m_answer;     // for the pipe thread to write
    bool m_stopping = false;
};

} // namespace morvane::platform
