#pragma once

#include "platform/windows/WinHandle.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

namespace morvane::test {

/// A child program of ours, started with a pipe as its standard input: it runs until `Release`
/// closes the pipe (or it is ended), and is ended by the destructor if still running.
class ChildProcess {
public:
    /// How long a child may take to start.
    static constexpr DWORD kStartWithinMs = 20000;

    /// Starts `exe` with `arguments` in `folder` (ours when empty); Pid() is 0 when that failed.
    explicit ChildProcess(const std::wstring& exe, const std::wstring& arguments = {},
                          const std::wstring& folder = {}) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE read = nullptr;
        HANDLE write = nullptr;
        if (!CreatePipe(&read, &write, &inherit, 0)) {
            return;
        }
        const platform::windows::UniqueHandle input(read);
        m_input.reset(write);
        SetHandleInformation(write, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = read;
        startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        std::wstring line = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE,
                            CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
            return;
        }
        m_process.reset(info.hProcess);
        const platform::windows::UniqueHandle thread(info.hThread);
        m_pid = info.dwProcessId;
        // Looked at only once it runs its own code: Wine reads the memory of a process that is
        // still starting by stopping it, which can stall.
        const std::wstring name = L"Local\\morvane-child-ready-" + std::to_wstring(m_pid);
        const platform::windows::UniqueHandle ready(
            CreateEventW(nullptr, TRUE, FALSE, name.c_str()));
        ResumeThread(info.hThread);
        if (!ready ||
            WaitForMultipleObjects(2, std::array<HANDLE, 2>{ready.get(), info.hProcess}.data(),
                                   FALSE, kStartWithinMs) != WAIT_OBJECT_0) {
            m_pid = 0; // it did not start: the test sees a child that failed
        }
    }
    ~ChildProcess() {
        if (m_process && !Ended(0)) {
            TerminateProcess(m_process.get(), 99);
            WaitForSingleObject(m_process.get(), 10000);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    [[nodiscard]] DWORD Pid() const { return m_pid; }
    [[nodiscard]] HANDLE Handle() const { return m_process.get(); }
    /// When it was created, as GetProcessTimes reports it.
    [[nodiscard]] std::uint64_t CreationTime() const {
        FILETIME created{};
        FILETIME exited{};
        FILETIME kernel{};
        FILETIME user{};
        GetProcessTimes(m_process.get(), &created, &exited, &kernel, &user);
        return (std::uint64_t{created.dwHighDateTime} << 32U) | created.dwLowDateTime;
    }
    /// Closes its standard input: it exits with 7 unless something ended it before.
    void Release() { m_input.reset(); }
    /// Whether it has ended within `ms` milliseconds.
    [[nodiscard]] bool Ended(DWORD ms) const {
        return WaitForSingleObject(m_process.get(), ms) == WAIT_OBJECT_0;
    }
    /// Its exit code once ended; STILL_ACTIVE before.
    [[nodiscard]] DWORD ExitCode() const {
        DWORD code = 0;
        GetExitCodeProcess(m_process.get(), &code);
        return code;
    }
    /// Forgets the process, so its id is free for the system to give again.
    void Forget() { m_process.reset(); }

private:
    platform::windows::UniqueHandle m_process;
    platform::windows::UniqueHandle m_input;
    DWORD m_pid = 0;
};

/// The folder our own test program lives in, where the child programs are built too.
inline std::wstring OwnFolder() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\'));
}

/// The child program of the process tests.
inline std::wstring ChildProgram() {
    return OwnFolder() + L"\\morvane_process_child.exe";
}

} // namespace morvane::test
