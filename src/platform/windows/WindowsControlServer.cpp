#include "platform/windows/WindowsControlServer.h"

#include "platform/common/ControlWire.h"
#include "platform/windows/ControlPipe.h"
#include "platform/windows/WideText.h"

#include <sddl.h>

#include <exception>
#include <memory>
#include <utility>

namespace morvane::platform {

namespace {

using windows::PipeIo;

constexpr char kUnreadable[] = "Morvane could not read the request";

// What the pipe buffers each way; a longer message waits for the reader.
constexpr DWORD kBufferBytes = 64 * 1024;

std::string Refusal(std::string why) {
    return ControlWire::EncodeReply({std::move(why), 0, {}});
}

} // namespace

WindowsControlServer::WindowsControlServer() : m_clientWithinMs(kClientWithinMs) {
    m_name = windows::ControlPipeName(m_why);
}

WindowsControlServer::WindowsControlServer(std::wstring pipeName, DWORD clientWithinMs)
    : m_name(std::move(pipeName)), m_clientWithinMs(clientWithinMs) {}

WindowsControlServer::~WindowsControlServer() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_answered.notify_all();
    if (m_stop) {
        SetEvent(m_stop.get());
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

ControlServer::Claim WindowsControlServer::Unavailable(std::string why) {
    m_why = std::move(why);
    return Claim::Unavailable;
}

ControlServer::Claim WindowsControlServer::ClaimName() {
    if (m_pipe) {
        return Claim::Ours;
    }
    if (m_name.empty()) {
        return Claim::Unavailable; // the constructor said why
    }
    std::string why;
    const std::wstring sid = windows::CurrentUserSid(why);
    if (sid.empty()) {
        return Unavailable(why);
    }
    // Protected, so nothing is inherited: this user and the system, no one else.
    const std::wstring sddl = L"D:P(A;;GA;;;" + sid + L")(A;;GA;;;SY)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                             &descriptor, nullptr) == FALSE) {
        return Unavailable("cannot describe who may use the pipe: " +
                           windows::SystemMessage(GetLastError()));
    }
    const std::unique_ptr<void, decltype(&LocalFree)> freed(descriptor, &LocalFree);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    // One instance at most: while it exists, nobody else can create the name, whoever they are.
    m_pipe = windows::Own(CreateNamedPipeW(
        m_name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
        PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
        kBufferBytes, kBufferBytes, 0, &attributes));
    if (!m_pipe) {
        const DWORD error = GetLastError();
        if (error == ERROR_ACCESS_DENIED || error == ERROR_PIPE_BUSY) {
            return Claim::TakenByAnother;
        }
        return Unavailable("cannot create the pipe " + windows::Narrow(m_name) + ": " +
                           windows::SystemMessage(error));
    }
    m_stop = windows::Own(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_stop) {
        const DWORD error = GetLastError();
        m_pipe.reset();
        return Unavailable("cannot serve the pipe: " + windows::SystemMessage(error));
    }
    m_thread = std::thread([this] { Serve(); });
    return Claim::Ours;
}

void WindowsControlServer::SetWakeHandler(std::function<void()> wake) {
    const std::lock_guard lock(m_mutex);
    m_wake = std::move(wake);
}

void WindowsControlServer::Process() {
    std::optional<ControlRequest> request;
    {
        const std::lock_guard lock(m_mutex);
        request.swap(m_waiting);
    }
    if (!request) {
        return;
    }
    ControlReply reply;
    if (!m_handler) {
        reply.refusal = kStartingRefusal;
    } else {
        // A client waits for this answer: a handler that fails still gives one.
        try {
            reply = m_handler(*request);
        } catch (const std::exception& failure) {
            reply = {std::string("Morvane could not answer: ") + failure.what(), 0, {}};
        }
    }
    std::string bytes = ControlWire::EncodeReply(reply);
    {
        const std::lock_guard lock(m_mutex);
        m_answer = std::move(bytes);
    }
    m_answered.notify_all();
}

void WindowsControlServer::Serve() {
    for (;;) {
        const PipeIo connected = windows::WaitConnected(m_pipe.get(), m_stop.get());
        if (connected == PipeIo::Done) {
            ServeClient();
        } else if (connected == PipeIo::Failed) {
            // Unexpected: try again, but not in a busy loop.
            WaitForSingleObject(m_stop.get(), 1000);
        }
        DisconnectNamedPipe(m_pipe.get());
        if (WaitForSingleObject(m_stop.get(), 0) == WAIT_OBJECT_0) {
            return;
        }
    }
}

void WindowsControlServer::ServeClient() {
    std::string bytes;
    const PipeIo read = windows::ReadMessage(m_pipe.get(), bytes, ControlWire::kMaxMessage,
                                             windows::Deadline(m_clientWithinMs), m_stop.get());
    std::string reply;
    if (read == PipeIo::Done) {
        reply = Answer(bytes);
    } else if (read == PipeIo::TooLong) {
        reply = Refusal(kUnreadable);
    }
    if (reply.empty()) {
        return; // it went, it is stuck, or we go
    }
    const windows::Deadline deliver(m_clientWithinMs);
    if (windows::WriteMessage(m_pipe.get(), reply, deliver, m_stop.get()) == PipeIo::Done) {
        // Disconnecting drops what the client has not read yet: it closes its end first.
        windows::WaitClosed(m_pipe.get(), deliver, m_stop.get());
    }
}

std::string WindowsControlServer::Answer(const std::string& bytes) {
    std::optional<ControlRequest> request = ControlWire::DecodeRequest(bytes);
    if (!request) {
        return Refusal(kUnreadable);
    }
    std::function<void()> wake;
    {
        const std::lock_guard lock(m_mutex);
        m_waiting = std::move(request);
        m_answer.reset();
        wake = m_wake;
    }
    if (wake) {
        wake();
    }
    std::unique_lock lock(m_mutex);
    m_answered.wait(lock, [this] { return m_answer.has_value() || m_stopping; });
    if (m_stopping) {
        return {};
    }
    std::string answer = std::move(*m_answer);
    m_answer.reset();
    return answer;
}

} // namespace morvane::platform
