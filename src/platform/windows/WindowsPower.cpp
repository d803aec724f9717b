#include "platform/windows/WindowsPower.h"

#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"

#include <utility>

namespace morvane::platform {

namespace {

// The monitor's power state that SC_MONITORPOWER takes: 2 is off.
constexpr LPARAM kMonitorOff = 2;

} // namespace

WindowsPower::WindowsPower(PowerCalls calls, std::function<void(const std::string&)> log)
    : m_calls(calls), m_log(std::move(log)) {}

void WindowsPower::SetMainWindow(std::uint64_t nativeHandle) {
    m_mainWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(nativeHandle));
}

void WindowsPower::Log(const std::string& what, DWORD error) const {
    if (m_log) {
        m_log(what + ": " + windows::SystemMessage(error));
    }
}

void WindowsPower::Refused(const char* action, const std::string& what, DWORD error) const {
    Log(what, error);
    if (m_outcome) {
        m_outcome(Outcome::Refused, action, windows::SystemMessage(error));
    }
}

void WindowsPower::EnableShutdownPrivilege() {
    HANDLE rawToken = nullptr;
    if (m_calls.openProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                                 &rawToken) == FALSE) {
        Log("cannot open our own process token", GetLastError());
        return;
    }
    const windows::UniqueHandle token(rawToken);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (m_calls.lookupPrivilegeValue(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid) ==
        FALSE) {
        Log("cannot look up the shutdown privilege", GetLastError());
        return;
    }
    // Succeeds with ERROR_NOT_ALL_ASSIGNED when the user does not hold the privilege; the
    // request that follows is then refused by the system, which is all that can be done.
    if (m_calls.adjustTokenPrivileges(token.get(), FALSE, &privileges, sizeof privileges, nullptr,
                                      nullptr) == FALSE) {
        Log("cannot enable the shutdown privilege", GetLastError());
    }
}

void WindowsPower::RequestExit(UINT flags, const char* what, const char* action) {
    if (m_calls.exitWindowsEx(flags, 0) == FALSE) {
        Refused(action, std::string("the system refused to ") + what, GetLastError());
    }
}

void WindowsPower::HibernatePC() {
    if (m_calls.setSuspendState(TRUE, FALSE, FALSE) == FALSE) {
        Refused("Hibernate", "the system refused to hibernate", GetLastError());
    }
}

void WindowsPower::SuspendPC() {
    if (m_calls.setSuspendState(FALSE, FALSE, FALSE) == FALSE) {
        Refused("Suspend", "the system refused to suspend", GetLastError());
    }
}

void WindowsPower::LockScreen() {
    if (m_calls.lockWorkStation() == FALSE) {
        Refused("Lock the Screen", "the system refused to lock the screen", GetLastError());
    }
}

void WindowsPower::ShutDownPC() {
    RequestExit(EWX_SHUTDOWN, "shut down", "Shutdown PC");
}

void WindowsPower::RebootPC() {
    RequestExit(EWX_REBOOT, "restart", "Reboot");
}

void WindowsPower::LogOffUser() {
    // Forced: the user's programs are ended without being asked to save.
    RequestExit(EWX_LOGOFF | EWX_FORCE, "log off", "Log Off");
}

void WindowsPower::TurnOffMonitor() {
    if (m_mainWindow != nullptr) {
        m_calls.sendMessage(m_mainWindow, WM_SYSCOMMAND, SC_MONITORPOWER, kMonitorOff);
    }
}

} // namespace morvane::platform
