#pragma once

#include "platform/Power.h"

#include <windows.h>

// After windows.h, which it needs.
#include <powrprof.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace morvane::platform {

/// The system calls the power requests make: the real ones unless a test puts stand-ins in.
struct PowerCalls {
    BOOL(WINAPI* openProcessToken)(HANDLE, DWORD, PHANDLE) = ::OpenProcessToken;
    BOOL(WINAPI* lookupPrivilegeValue)(LPCWSTR, LPCWSTR, PLUID) = ::LookupPrivilegeValueW;
    BOOL(WINAPI* adjustTokenPrivileges)
    (HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD) = ::AdjustTokenPrivileges;
    BOOL(WINAPI* exitWindowsEx)(UINT, DWORD) = ::ExitWindowsEx;
    BOOLEAN(WINAPI* setSuspendState)(BOOLEAN, BOOLEAN, BOOLEAN) = ::SetSuspendState;
    LRESULT(WINAPI* sendMessage)(HWND, UINT, WPARAM, LPARAM) = ::SendMessageW;
    BOOL(WINAPI* lockWorkStation)() = ::LockWorkStation;
};

/// Power and session requests through the Win32 calls: ExitWindowsEx for shut down, reboot and
/// a forced log off, SetSuspendState for hibernation and sleep (SetSystemPowerState is not
/// offered to programs on current Windows), LockWorkStation for the lock, and SC_MONITORPOWER
/// through the main window for the monitor.
/// Nothing is waited for; a refused request is written to the log and handed to the refusal
/// handler.
class WindowsPower final : public Power {
public:
    explicit WindowsPower(PowerCalls calls = PowerCalls(),
                          std::function<void(const std::string&)> log = {});

    [[nodiscard]] int PollDescriptor() const override { return -1; }
    void Process() override {}
    /// The monitor is switched off through this window (an HWND).
    void SetMainWindow(std::uint64_t nativeHandle) override;
    /// Enables SeShutdownPrivilege in our own process's token.
    void EnableShutdownPrivilege() override;
    void HibernatePC() override;
    void ShutDownPC() override;
    void RebootPC() override;
    void LogOffUser() override;
    /// Sends SC_MONITORPOWER (off) to the main window, whose default handling passes it on to the
    /// system; without a main window nothing is sent.
    void TurnOffMonitor() override;
    /// Sleep, with the wake events left on.
    void SuspendPC() override;
    void LockScreen() override;
    void SetOutcomeHandler(const OutcomeHandler& handler) override { m_outcome = handler; }

private:
    void Log(const std::string& what, DWORD error) const;
    /// Logs a refused request and tells the outcome handler; `action` as tasks name it.
    void Refused(const char* action, const std::string& what, DWORD error) const;
    void RequestExit(UINT flags, const char* what, const char* action);

    PowerCalls m_calls;
    std::function<void(const std::string&)> m_log;
    HWND m_mainWindow = nullptr;
    OutcomeHandler m_outcome;
};

} // namespace morvane::platform
