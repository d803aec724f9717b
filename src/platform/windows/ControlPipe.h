#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace morvane::platform::windows {

/// The control channel's pipe of the user this process runs as:
/// \\.\pipe\io.github.morvane.Morvane.<the user's SID>. Empty, with `why`, when the SID cannot
/// be read.
[[nodiscard]] std::wstring ControlPipeName(std::string& why);

/// The current user's SID as text (S-1-5-21-...); empty, with `why`, when it cannot be read.
[[nodiscard]] std::wstring CurrentUserSid(std::string& why);

/// Whether the pipe `pipe` (a client's end) was made by this process's user: another user could
/// otherwise take the name first and read what we send. False, with `why`, when it was not or
/// that cannot be read.
[[nodiscard]] bool IsOwnedByCurrentUser(HANDLE pipe, std::string& why);

/// A point in time a wait must not pass.
class Deadline {
public:
    explicit Deadline(DWORD ms) : m_end(GetTickCount64() + ms) {}
    /// Milliseconds left; 0 once passed.
    [[nodiscard]] DWORD Left() const {
        const ULONGLONG now = GetTickCount64();
        return now >= m_end ? 0 : static_cast<DWORD>(m_end - now);
    }

private:
    ULONGLONG m_end;
};

/// How a transfer on a pipe opened for overlapped I/O ended.
enum class PipeIo {
    Done,
    TooLong,  ///< The message is longer than allowed; what is left of it was not read.
    TimedOut, ///< The deadline passed; the transfer was cancelled.
    Stopped,  ///< `stop` was set; the transfer was cancelled.
    Closed,   ///< The other side closed its end.
    Failed,
};

/// Reads one message of at most `limit` bytes into `message`. `stop` (may be null) is an event
/// that ends the wait early. Never holds more than `limit` + 1 bytes of it.
PipeIo ReadMessage(HANDLE pipe, std::string& message, std::size_t limit, const Deadline& deadline,
                   HANDLE stop);
/// Writes `message` as one message.
PipeIo WriteMessage(HANDLE pipe, std::string_view message, const Deadline& deadline, HANDLE stop);
/// Waits until the other side closes its end (Closed); whatever it still sends is dropped.
PipeIo WaitClosed(HANDLE pipe, const Deadline& deadline, HANDLE stop);
/// Waits for a client of the server end `pipe` (Done).
PipeIo WaitConnected(HANDLE pipe, HANDLE stop);

} // namespace morvane::platform::windows
