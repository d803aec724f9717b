#pragma once

#include "platform/Power.h"

#include <windows.h>

// After windows.h, which they need.
#include <powrprof.h>
#include <reason.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

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
    BOOLEAN(WINAPI* getPwrCapabilities)(PSYSTEM_POWER_CAPABILITIES) = ::GetPwrCapabilities;
};

/// Power and session requests through the Win32 calls: ExitWindowsEx for shut down, reboot and
/// a forced log off, SetSuspendState for hibernation and sleep (SetSystemPowerState is not
/// offered to programs on current Windows), LockWorkStation for the lock, and SC_MONITORPOWER
/// through the main window for the monitor.
/// Nothing is waited for; a refused request is written to the log and handed to the refusal
/// handler. Hibernation and sleep are asked from a thread of their own, since the call returns
/// only after the machine wakes: a refusal it brings waits for `Process`, which the wake handler
/// calls for.
class WindowsPower final : public Power {
public:
    explicit WindowsPower(PowerCalls calls = PowerCalls(),
                          std::function<void(const std::string&)> log = {});
    ~WindowsPower() override;
    WindowsPower(const WindowsPower&) = delete;
    WindowsPower& operator=(const WindowsPower&) = delete;

    [[nodiscard]] int PollDescriptor() const override { return -1; }
    /// Tells the refusals the suspend threads brought back.
    void Process() override;
    void SetWakeHandler(std::function<void()> wake) override;
    /// From the power capabilities: no S4 state, or no hibernation file (turned off).
    [[nodiscard]] std::string HibernateUnavailableReason() const override;
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

    /// What ExitWindowsEx is told, so the event log keeps it as planned rather than unexpected.
    static constexpr DWORD kPlannedReason =
        SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED;

private:
    /// A refusal a suspend thread brought back.
    struct Refusal {
        const char* action;
        const char* what;
        DWORD error;
    };
    /// Shared with the suspend threads, which may outlive us.
    struct Answers {
        std::mutex mutex;
        std::function<void()> wake;
        std::vector<Refusal> refused;
    };

    void Log(const std::string& what, DWORD error) const;
    /// Logs a refused request and tells the outcome handler; `action` as tasks name it.
    void Refused(const char* action, const std::string& what, DWORD error) const;
    void Refused(const char* action, const std::string& what, const std::string& reason) const;
    void RequestExit(UINT flags, const char* what, const char* action);
    /// SetSuspendState on a thread of its own; a refusal comes back through `Process`.
    void Suspend(BOOLEAN hibernate, const char* action, const char* what);

    PowerCalls m_calls;
    std::shared_ptr<Answers> m_answers = std::make_shared<Answers>();
    std::function<void(const std::string&)> m_log;
    HWND m_mainWindow = nullptr;
    OutcomeHandler m_outcome;
};

} // namespace morvane::platform
