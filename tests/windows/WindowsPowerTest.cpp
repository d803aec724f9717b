#include "platform/windows/WindowsPower.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvane::platform {
namespace {

// Every request is recorded here by the stand-ins; none of them reaches the system.
std::vector<std::string> g_calls;

void Record(std::string call) {
    g_calls.push_back(std::move(call));
}

// The privilege calls are the real ones on our own token, recorded on the way.
BOOL WINAPI OpenToken(HANDLE process, DWORD access, PHANDLE token) {
    Record("OpenProcessToken " + std::to_string(access));
    return ::OpenProcessToken(process, access, token);
}

BOOL WINAPI Lookup(LPCWSTR system, LPCWSTR name, PLUID luid) {
    Record("LookupPrivilegeValue " + std::string(system == nullptr ? "local " : "remote ") +
           windows::Narrow(name));
    return ::LookupPrivilegeValueW(system, name, luid);
}

BOOL WINAPI Adjust(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD length,
                   PTOKEN_PRIVILEGES previous, PDWORD returned) {
    Record("AdjustTokenPrivileges " + std::to_string(disableAll) + " " +
           std::to_string(state->PrivilegeCount) + " " +
           std::to_string(state->Privileges[0].Attributes));
    return ::AdjustTokenPrivileges(token, disableAll, state, length, previous, returned);
}

BOOL WINAPI ExitWindowsStandIn(UINT flags, DWORD reason) {
    Record("ExitWindowsEx " + std::to_string(flags) + " " + std::to_string(reason));
    SetLastError(ERROR_PRIVILEGE_NOT_HELD);
    return FALSE; // refused, as for a user without the privilege
}

BOOLEAN WINAPI SuspendStandIn(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeEvents) {
    Record("SetSuspendState " + std::to_string(hibernate) + " " + std::to_string(force) + " " +
           std::to_string(wakeEvents));
    return TRUE;
}

BOOL WINAPI LockStandIn() {
    Record("LockWorkStation");
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE; // refused, as on a desktop that is not the interactive one
}

LRESULT WINAPI SendStandIn(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    Record("SendMessage " + std::to_string(message) + " " + std::to_string(wParam) + " " +
           std::to_string(lParam));
    return 0;
}

PowerCalls RecordingCalls() {
    PowerCalls calls;
    calls.openProcessToken = OpenToken;
    calls.lookupPrivilegeValue = Lookup;
    calls.adjustTokenPrivileges = Adjust;
    calls.exitWindowsEx = ExitWindowsStandIn;
    calls.setSuspendState = SuspendStandIn;
    calls.sendMessage = SendStandIn;
    calls.lockWorkStation = LockStandIn;
    return calls;
}

bool ShutdownPrivilegeEnabled() {
    HANDLE raw = nullptr;
    EXPECT_TRUE(::OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw));
    const windows::UniqueHandle token(raw);
    PRIVILEGE_SET wanted{};
    wanted.PrivilegeCount = 1;
    EXPECT_TRUE(::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &wanted.Privilege[0].Luid));
    BOOL held = FALSE;
    EXPECT_TRUE(::PrivilegeCheck(token.get(), &wanted, &held));
    return held != FALSE;
}

TEST(WindowsPower, EachRequestFollowsThePrivilegeStepWithTheFlagsOfItsKind) {
    g_calls.clear();
    std::vector<std::string> log;
    WindowsPower power(RecordingCalls(), [&log](const std::string& line) { log.push_back(line); });
    EXPECT_EQ(power.PollDescriptor(), -1);

    power.EnableShutdownPrivilege();
    const std::vector<std::string> privilegeStep = {
        "OpenProcessToken 40", // TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY
        "LookupPrivilegeValue local SeShutdownPrivilege",
        "AdjustTokenPrivileges 0 1 2", // one privilege, SE_PRIVILEGE_ENABLED
    };
    EXPECT_EQ(g_calls, privilegeStep);
    EXPECT_TRUE(ShutdownPrivilegeEnabled()) << "the real calls enabled it in our own token";

    const struct {
        void (WindowsPower::*request)();
        const char* call;
    } requests[] = {
        {&WindowsPower::ShutDownPC, "ExitWindowsEx 1 0"},      // EWX_SHUTDOWN
        {&WindowsPower::RebootPC, "ExitWindowsEx 2 0"},        // EWX_REBOOT
        {&WindowsPower::LogOffUser, "ExitWindowsEx 4 0"},      // EWX_LOGOFF | EWX_FORCE
        {&WindowsPower::HibernatePC, "SetSuspendState 1 0 0"}, // hibernate, not forced
        {&WindowsPower::SuspendPC, "SetSuspendState 0 0 0"},   // sleep, not forced
        {&WindowsPower::LockScreen, "LockWorkStation"},
    };
    std::vector<std::string> refused;
    power.SetOutcomeHandler(
        [&refused](Power::Outcome outcome, const std::string& action, const std::string& reason) {
            EXPECT_EQ(outcome, Power::Outcome::Refused);
            refused.push_back(action + ": " + reason);
        });
    for (const auto& r : requests) {
        g_calls.clear();
        (power.*r.request)();
        EXPECT_EQ(g_calls, std::vector<std::string>{r.call});
    }
    // A refused request goes to the log and the handler with the system's reason, and nothing
    // else happens.
    ASSERT_EQ(log.size(), 4U);
    EXPECT_NE(log[0].find("refused to shut down"), std::string::npos) << log[0];
    EXPECT_NE(log[3].find("refused to lock the screen"), std::string::npos) << log[3];
    ASSERT_EQ(refused.size(), 4U);
    EXPECT_EQ(refused[3], "Lock the Screen: " + windows::SystemMessage(ERROR_ACCESS_DENIED));

    // No main window yet: nothing is sent anywhere.
    g_calls.clear();
    power.TurnOffMonitor();
    EXPECT_TRUE(g_calls.empty());
}

// A message-only window of ours stands for the main window: it takes the command in and keeps
// it from the system.
struct SysCommand {
    int count = 0;
    WPARAM command = 0;
    LPARAM state = 0;
} g_received;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND) {
        g_received = {g_received.count + 1, wParam & 0xFFF0, lParam};
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(WindowsPower, TheMonitorIsSwitchedOffThroughTheMainWindowWithoutThePrivilege) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MorvanePowerTestMain";
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"main", 0, 0, 0, 0, 0,
                                  HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);

    g_calls.clear();
    PowerCalls calls = RecordingCalls();
    calls.sendMessage = ::SendMessageW; // the real message, to our own window only
    WindowsPower power(calls);
    power.SetMainWindow(reinterpret_cast<std::uintptr_t>(window));
    power.TurnOffMonitor();

    EXPECT_EQ(g_received.count, 1);
    EXPECT_EQ(g_received.command, static_cast<WPARAM>(SC_MONITORPOWER));
    EXPECT_EQ(g_received.state, 2) << "2 is off";
    EXPECT_TRUE(g_calls.empty()) << "no privilege step, no other request";
    DestroyWindow(window);
    UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);
}

} // namespace
} // namespace morvane::platform
