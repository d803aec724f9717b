#include "platform/windows/WindowsPower.h"

#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"

#include <exception>
#include <thread>
#include <utility>

namespace morvane::platform {

namespace {

// The monitor's power state that SC_MONITORPOWER takes: 2 is off.
constexpr LPARAM kMonitorOff = 2;

} // namespace

WindowsPower::WindowsPower(PowerCalls calls, std::function<void(const std::string&)> log)
    : m_calls(calls), m_log(std::move(log)) {}

WindowsPower::~WindowsPower() {
    // A suspend thread still waiting for the machine to wake must not call into us later.
    const std::lock_guard lock(m_answers->mutex);
    m_answers->wake = nullptr;
}

void WindowsPower::SetWakeHandler(std::function<void()> wake) {
    const std::lock_guard lock(m_answers->mutex);
    m_answers->wake = std::move(wake);
}

void WindowsPower::Process() {
    std::vector<Refusal> refused;
    {
        const std::lock_guard lock(m_answers->mutex);
        refused.swap(m_answers->refused);
    }
    for (const Refusal& r : refused) {
        Refused(r.action, r.what, r.error);
    }
}

std::string WindowsPower::HibernateUnavailableReason() const {
    SYSTEM_POWER_CAPABILITIES capabilities{};
    if (m_calls.getPwrCapabilities(&capabilities) == FALSE) {
        return {}; // cannot tell: the request itself will say
    }
    if (capabilities.SystemS4 == FALSE) {
        return "this computer cannot hibernate";
    }
    if (capabilities.HiberFilePresent == FALSE) {
        return "hibernation is turned off on this computer";
    }
    return {};
}

void WindowsPower::SetMainWindow(std::uint64_t nativeHandle) {
    m_mainWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(nativeHandle));
}

void WindowsPower::Log(const std::string& what, DWORD error) const {
    if (m_log) {
        m_log(what + ": " + windows::SystemMessage(error));
    }
}

void WindowsPower::Refused(const char* action, const std::string& what, DWORD error) const {
    Refused(action, what, windows::SystemMessage(error));
}

void WindowsPower::Refused(const char* action, const std::string& what,
                           const std::string& reason) const {
    if (m_log) {
        m_log(what + ": " + reason);
    }
    if (m_outcome) {
        m_outcome(Outcome::Refused, action, reason);
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
    if (m_calls.exitWindowsEx(flags, kPlannedReason) == FALSE) {
        Refused(action, std::string("the system refused to ") + what, GetLastError());
    }
}

void WindowsPower::Suspend(BOOLEAN hibernate, const char* action, const char* what) {
    // Returns only once the machine has woken again, or at once with a refusal: never on the
    // thread that keeps the windows alive.
    const auto suspend = m_calls.setSuspendState;
    const std::shared_ptr<Answers> answers = m_answers;
    try {
        std::thread([suspend, answers, hibernate, action, what] {
            if (suspend(hibernate, FALSE, FALSE) != FALSE) {
                return;
            }
            const DWORD error = GetLastError();
            // Under the lock, so that once we are gone no wake can still be on its way.
            const std::lock_guard lock(answers->mutex);
            answers->refused.push_back({action, what, error});
            if (answers->wake) {
                answers->wake();
            }
        }).detach();
    } catch (const std::exception&) {
        Refused(action, what, ERROR_NOT_ENOUGH_MEMORY);
    }
}

void WindowsPower::HibernatePC() {
    // Turned off in the power options, hibernation is refused with why, not a bare error.
    if (const std::string why = HibernateUnavailableReason(); !why.empty()) {
        Refused("Hibernate", "cannot hibernate", why);
        return;
    }
    Suspend(TRUE, "Hibernate", "the system refused to hibernate");
}

void WindowsPower::SuspendPC() {
    Suspend(FALSE, "Suspend", "the system refused to suspend");
}

void WindowsPower::LockScreen() {
    if (m_calls.lockWorkStation() == FALSE) {
        Refused("Lock the Screen", "the system refused to lock the screen", GetLastError());
    }
}

// An unattended request must not stall on a program that hangs instead of answering; those
// that answer may still ask the user to save.
void WindowsPower::ShutDownPC() {
    RequestExit(EWX_SHUTDOWN | EWX_FORCEIFHUNG, "shut down", "Shutdown PC");
}

void WindowsPower::RebootPC() {
    RequestExit(EWX_REBOOT | EWX_FORCEIFHUNG, "restart", "Reboot");
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
