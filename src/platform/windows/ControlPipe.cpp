#include "platform/windows/ControlPipe.h"

#include "platform/windows/ProcessQuery.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"

#include <sddl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace morvane::platform::windows {

namespace {

// How an overlapped transfer ended, and how much it moved.
struct Ended {
    PipeIo io = PipeIo::Failed;
    bool more = false; // a read that stopped inside a longer message
    DWORD bytes = 0;
};

Ended FromError(DWORD error) {
    switch (error) {
    case ERROR_SUCCESS:
        return {PipeIo::Done};
    case ERROR_MORE_DATA:
        return {PipeIo::Done, true};
    case ERROR_BROKEN_PIPE:
    case ERROR_PIPE_NOT_CONNECTED:
    case ERROR_NO_DATA:
        return {PipeIo::Closed};
    default:
        return {PipeIo::Failed};
    }
}

// Waits for the transfer that the call returning `started` began on `pipe`, and cancels it when
// the deadline passes or `stop` is set first.
Ended Finish(HANDLE pipe, OVERLAPPED& overlapped, BOOL started, DWORD timeoutMs, HANDLE stop) {
    const DWORD error = started != FALSE ? ERROR_SUCCESS : GetLastError();
    if (error == ERROR_IO_PENDING) {
        const std::array<HANDLE, 2> waits{overlapped.hEvent, stop};
        const DWORD woke =
            WaitForMultipleObjects(stop != nullptr ? 2 : 1, waits.data(), FALSE, timeoutMs);
        if (woke != WAIT_OBJECT_0) {
            CancelIoEx(pipe, &overlapped);
            // The system may write into the caller's buffer until the cancellation is through.
            DWORD ignored = 0;
            GetOverlappedResult(pipe, &overlapped, &ignored, TRUE);
            return {woke == WAIT_TIMEOUT        ? PipeIo::TimedOut
                    : woke == WAIT_OBJECT_0 + 1 ? PipeIo::Stopped
                                                : PipeIo::Failed};
        }
    } else if (error != ERROR_SUCCESS && error != ERROR_MORE_DATA) {
        return FromError(error); // nothing was started
    }
    DWORD bytes = 0;
    Ended ended =
        FromError(GetOverlappedResult(pipe, &overlapped, &bytes, FALSE) != FALSE ? ERROR_SUCCESS
                                                                                 : GetLastError());
    ended.bytes = bytes;
    return ended;
}

// An OVERLAPPED with its own event, for one transfer at a time.
class Overlapped {
public:
    Overlapped() : m_event(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        m_overlapped.hEvent = m_event.get();
    }
    [[nodiscard]] bool Ok() const { return static_cast<bool>(m_event); }
    OVERLAPPED& Next() {
        m_overlapped = OVERLAPPED{};
        m_overlapped.hEvent = m_event.get();
        return m_overlapped;
    }

private:
    UniqueHandle m_event;
    OVERLAPPED m_overlapped{};
};

} // namespace

std::wstring CurrentUserSid(std::string& why) {
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token) == FALSE) {
        why = "cannot read this process's user: " + SystemMessage(GetLastError());
        return {};
    }
    const UniqueHandle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    // TOKEN_USER holds a pointer into the same buffer: keep it aligned for one.
    std::vector<std::uintptr_t> buffer(size / sizeof(std::uintptr_t) + 1);
    if (GetTokenInformation(token, TokenUser, buffer.data(),
                            static_cast<DWORD>(buffer.size() * sizeof(std::uintptr_t)),
                            &size) == FALSE) {
        why = "cannot read this process's user: " + SystemMessage(GetLastError());
        return {};
    }
    wchar_t* text = nullptr;
    if (ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid,
                               &text) == FALSE) {
        why = "cannot write this process's user as text: " + SystemMessage(GetLastError());
        return {};
    }
    const std::unique_ptr<wchar_t, decltype(&LocalFree)> freed(text, &LocalFree);
    return text;
}

bool IsOwnedByCurrentUser(HANDLE pipe, std::string& why) {
    // The serving process, not the pipe's security: the pipe's owner is not what every system
    // reports for an object made with an explicit descriptor.
    ULONG server = 0;
    if (GetNamedPipeServerProcessId(pipe, &server) == FALSE) {
        why = "cannot tell who serves Morvane's channel: " + SystemMessage(GetLastError());
        return false;
    }
    const UniqueHandle process = ProcessQuery::Open(server, PROCESS_QUERY_LIMITED_INFORMATION);
    if (!process || !ProcessQuery::IsOurs(process.get())) {
        why = "Morvane's channel is served by another user's program: nothing was sent";
        return false;
    }
    return true;
}

std::wstring ControlPipeName(std::string& why) {
    const std::wstring sid = CurrentUserSid(why);
    return sid.empty() ? std::wstring() : L"\\\\.\\pipe\\io.github.morvane.Morvane." + sid;
}

PipeIo ReadMessage(HANDLE pipe, std::string& message, std::size_t limit, const Deadline& deadline,
                   HANDLE stop) {
    constexpr std::size_t kChunk = 64 * 1024;
    message.clear();
    Overlapped overlapped;
    if (!overlapped.Ok()) {
        return PipeIo::Failed;
    }
    for (;;) {
        // One byte past the limit tells a message at the limit from a longer one.
        const std::size_t want = std::min(kChunk, limit + 1 - message.size());
        const std::size_t had = message.size();
        message.resize(had + want);
        OVERLAPPED& op = overlapped.Next();
        const BOOL started =
            ReadFile(pipe, message.data() + had, static_cast<DWORD>(want), nullptr, &op);
        const Ended ended = Finish(pipe, op, started, deadline.Left(), stop);
        message.resize(had + (ended.io == PipeIo::Done ? ended.bytes : 0));
        if (ended.io != PipeIo::Done) {
            return ended.io;
        }
        if (message.size() > limit) {
            return PipeIo::TooLong;
        }
        if (!ended.more) {
            return PipeIo::Done;
        }
    }
}

PipeIo WriteMessage(HANDLE pipe, std::string_view message, const Deadline& deadline, HANDLE stop) {
    Overlapped overlapped;
    if (!overlapped.Ok()) {
        return PipeIo::Failed;
    }
    OVERLAPPED& op = overlapped.Next();
    const BOOL started =
        WriteFile(pipe, message.data(), static_cast<DWORD>(message.size()), nullptr, &op);
    const Ended ended = Finish(pipe, op, started, deadline.Left(), stop);
    if (ended.io == PipeIo::Done && ended.bytes != message.size()) {
        return PipeIo::Failed;
    }
    return ended.io;
}

PipeIo WaitClosed(HANDLE pipe, const Deadline& deadline, HANDLE stop) {
    Overlapped overlapped;
    if (!overlapped.Ok()) {
        return PipeIo::Failed;
    }
    std::array<char, 512> dropped{};
    // A client that keeps sending would never let the read wait: the deadline is checked here.
    while (deadline.Left() > 0) {
        OVERLAPPED& op = overlapped.Next();
        const BOOL started =
            ReadFile(pipe, dropped.data(), static_cast<DWORD>(dropped.size()), nullptr, &op);
        const Ended ended = Finish(pipe, op, started, deadline.Left(), stop);
        if (ended.io != PipeIo::Done) {
            return ended.io;
        }
    }
    return PipeIo::TimedOut;
}

PipeIo WaitConnected(HANDLE pipe, HANDLE stop) {
    Overlapped overlapped;
    if (!overlapped.Ok()) {
        return PipeIo::Failed;
    }
    OVERLAPPED& op = overlapped.Next();
    const BOOL started = ConnectNamedPipe(pipe, &op);
    if (started == FALSE && GetLastError() == ERROR_PIPE_CONNECTED) {
        return PipeIo::Done; // it came between the pipe's creation and this call
    }
    return Finish(pipe, op, started, INFINITE, stop).io;
}

} // namespace morvane::platform::windows
