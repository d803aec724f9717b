#include "platform/windows/WindowsControlClient.h"

#include "platform/common/ControlWire.h"
#include "platform/windows/ControlPipe.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace morvane::platform {

namespace {

using windows::PipeIo;

constexpr char kNotRunning[] = "Morvane is not running";
constexpr char kNoAnswer[] = "Morvane did not answer";

// How often a starting instance is looked for, unless it ends first.
constexpr DWORD kLookEveryMs = 50;

// Whether the pipe has an instance, free for us or busy with another client.
bool PipeExists(const std::wstring& name) {
    // 0 would be the server's default wait, not none.
    if (WaitNamedPipeW(name.c_str(), 1) != FALSE) {
        return true;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SEM_TIMEOUT || error == ERROR_PIPE_BUSY;
}

Result CannotReach(DWORD error) {
    return Result::Error(static_cast<int>(error),
                         "cannot reach Morvane: " + windows::SystemMessage(error));
}

} // namespace

const std::wstring& WindowsControlClient::Name() {
    if (m_name.empty() && m_why.empty()) {
        m_name = windows::ControlPipeName(m_why);
    }
    return m_name;
}

bool WindowsControlClient::InstanceRuns() {
    return !Name().empty() && PipeExists(m_name);
}

Result WindowsControlClient::Send(const ControlRequest& request, ControlReply& reply) {
    const std::optional<std::string> bytes = ControlWire::EncodeRequest(request);
    if (!bytes) {
        return Result::Error(ERROR_INVALID_PARAMETER, "the request is too long or not UTF-8 text");
    }
    if (Name().empty()) {
        return Result::Error(0, "cannot reach Morvane: " + m_why);
    }
    windows::UniqueHandle pipe;
    const windows::Deadline connecting(kAnswerWithinMs);
    while (!pipe) {
        // Identification only: whoever holds the name cannot act as us with our handle.
        pipe = windows::Own(CreateFileW(
            m_name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
            FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
        const DWORD error = pipe ? ERROR_SUCCESS : GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) {
            return Result::Error(static_cast<int>(error), kNotRunning);
        }
        if (error != ERROR_SUCCESS && error != ERROR_PIPE_BUSY) {
            return CannotReach(error);
        }
        if (!pipe && connecting.Left() == 0) {
            return Result::Error(ERROR_TIMEOUT, kNoAnswer);
        }
        if (!pipe) {
            // Another client is being served: wait for the pipe to take the next.
            WaitNamedPipeW(m_name.c_str(), std::max<DWORD>(connecting.Left(), 1));
        }
    }
    if (std::string why; !windows::IsOwnedByCurrentUser(pipe.get(), why)) {
        return Result::Error(ERROR_ACCESS_DENIED, why);
    }
    DWORD mode = PIPE_READMODE_MESSAGE;
    if (SetNamedPipeHandleState(pipe.get(), &mode, nullptr, nullptr) == FALSE) {
        return CannotReach(GetLastError());
    }
    const windows::Deadline answering(kAnswerWithinMs);
    PipeIo io = windows::WriteMessage(pipe.get(), *bytes, answering, nullptr);
    std::string answer;
    if (io == PipeIo::Done) {
        io = windows::ReadMessage(pipe.get(), answer, ControlWire::kMaxMessage, answering, nullptr);
    }
    if (io == PipeIo::TimedOut || io == PipeIo::Closed) {
        return Result::Error(ERROR_TIMEOUT, kNoAnswer);
    }
    std::optional<ControlReply> decoded;
    if (io == PipeIo::Done) {
        decoded = ControlWire::DecodeReply(answer);
    }
    if (!decoded) {
        return Result::Error(0, "Morvane's answer could not be read");
    }
    reply = std::move(*decoded);
    return {};
}

Result WindowsControlClient::StartInstance(const std::string& executable, int timeoutMs) {
    if (Name().empty()) {
        return Result::Error(0, "cannot reach Morvane: " + m_why);
    }
    const std::filesystem::path program(windows::Widen(executable));
    std::wstring line = L"\"" + program.native() + L"\"";
    // Started in its own folder, so it holds no other folder for as long as it runs.
    const std::wstring folder = program.parent_path().native();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                       nullptr, folder.empty() ? nullptr : folder.c_str(), &startup,
                       &info) == FALSE) {
        const DWORD error = GetLastError();
        return Result::Error(static_cast<int>(error),
                             "cannot start " + executable + ": " + windows::SystemMessage(error));
    }
    const windows::UniqueHandle process(info.hProcess);
    const windows::UniqueHandle thread(info.hThread);
    const windows::Deadline deadline(static_cast<DWORD>(std::max(timeoutMs, 0)));
    while (!PipeExists(m_name)) {
        const DWORD left = deadline.Left();
        if (left == 0) {
            return Result::Error(ERROR_TIMEOUT, "Morvane did not start within " +
                                                    std::to_string((timeoutMs + 999) / 1000) +
                                                    " s");
        }
        // Its end is the other news worth waking for: it will never serve then.
        if (WaitForSingleObject(process.get(), std::min(left, kLookEveryMs)) == WAIT_OBJECT_0) {
            // It may have found another instance that serves, started meanwhile.
            if (PipeExists(m_name)) {
                return {};
            }
            DWORD code = 0;
            GetExitCodeProcess(process.get(), &code);
            return Result::Error(0, "Morvane ended before it could be reached (exit code " +
                                        std::to_string(code) + ")");
        }
    }
    return {};
}

} // namespace morvane::platform
