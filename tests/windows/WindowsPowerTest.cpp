#include "platform/windows/WindowsPower.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
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

// The suspend stand-in runs on the request's own thread and, like the real call, does not
// return until it is let go (the real one: until the machine wakes).
struct SuspendGate {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::string> calls;
    bool open = false;
    int wakes = 0;

    template <typename Condition> bool WaitFor(Condition condition) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), condition);
    }
} g_suspend;

BOOLEAN WINAPI SuspendStandIn(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeEvents) {
    std::unique_lock lock(g_suspend.mutex);
    g_suspend.calls.push_back("SetSuspendState " + std::to_string(hibernate) + " " +
                              std::to_string(force) + " " + std::to_string(wakeEvents));
    g_suspend.changed.notify_all();
    g_suspend.changed.wait(lock, [] { return g_suspend.open; });
    SetLastError(ERROR_PRIVILEGE_NOT_HELD);
    return FALSE;
}

// Hibernation as the power options offer it; changed by the test.
SYSTEM_POWER_CAPABILITIES g_capabilities{};

BOOLEAN WINAPI CapabilitiesStandIn(PSYSTEM_POWER_CAPABILITIES capabilities) {
    *capabilities = g_capabilities;
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
    calls.getPwrCapabilities = CapabilitiesStandIn;
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

    // Each with the planned reason "other" (0x80000000), so the system asks nobody why later.
    const struct {
        void (WindowsPower::*request)();
        const char* call;
    } requests[] = {
        {&WindowsPower::ShutDownPC, "ExitWindowsEx 17 2147483648"}, // EWX_SHUTDOWN | FORCEIFHUNG
        {&WindowsPower::RebootPC, "ExitWindowsEx 18 2147483648"},   // EWX_REBOOT | FORCEIFHUNG
        {&WindowsPower::LogOffUser, "ExitWindowsEx 4 2147483648"},  // EWX_LOGOFF | EWX_FORCE
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
    EXPECT_EQ(refused[0], "Shutdown PC: " + windows::SystemMessage(ERROR_PRIVILEGE_NOT_HELD));
    EXPECT_EQ(refused[3], "Lock the Screen: " + windows::SystemMessage(ERROR_ACCESS_DENIED));

    // No main window yet: nothing is sent anywhere.
    g_calls.clear();
    power.TurnOffMonitor();
    EXPECT_TRUE(g_calls.empty());
}

TEST(WindowsPower, SleepAndHibernationAreAskedOffTheCallersThreadAndARefusalComesBackLater) {
    g_capabilities.SystemS4 = TRUE;
    g_capabilities.HiberFilePresent = TRUE;
    WindowsPower power(RecordingCalls());
    std::vector<std::string> refused;
    power.SetOutcomeHandler(
        [&refused](Power::Outcome, const std::string& action, const std::string& reason) {
            refused.push_back(action + ": " + reason);
        });
    power.SetWakeHandler([] {
        const std::lock_guard lock(g_suspend.mutex);
        ++g_suspend.wakes;
        g_suspend.changed.notify_all();
    });
    EXPECT_EQ(power.HibernateUnavailableReason(), "");

    // Both return while their calls are still held, as the real one is held until the wake.
    power.SuspendPC();
    power.HibernatePC();
    ASSERT_TRUE(g_suspend.WaitFor([] { return g_suspend.calls.size() == 2; }));
    std::vector<std::string> calls = g_suspend.calls;
    std::sort(calls.begin(), calls.end());
    EXPECT_EQ(calls, (std::vector<std::string>{"SetSuspendState 0 0 0", "SetSuspendState 1 0 0"}));
    {
        const std::lock_guard lock(g_suspend.mutex);
        g_suspend.open = true;
        g_suspend.changed.notify_all();
    }
    ASSERT_TRUE(g_suspend.WaitFor([] { return g_suspend.wakes == 2; }));
    EXPECT_TRUE(refused.empty()) << "told on the thread that calls Process, not the worker's";
    power.Process();
    std::sort(refused.begin(), refused.end());
    const std::string why = windows::SystemMessage(ERROR_PRIVILEGE_NOT_HELD);
    EXPECT_EQ(refused, (std::vector<std::string>{"Hibernate: " + why, "Suspend: " + why}));

    // Without the S4 state or the hibernation file nothing is asked, and why is told at once.
    for (const auto& [s4, file] : {std::pair{FALSE, TRUE}, std::pair{TRUE, FALSE}}) {
        g_capabilities.SystemS4 = static_cast<BOOLEAN>(s4);
        g_capabilities.HiberFilePresent = static_cast<BOOLEAN>(file);
        const std::string reason = power.HibernateUnavailableReason();
        EXPECT_NE(reason, "");
        refused.clear();
        power.HibernatePC();
        EXPECT_EQ(refused, std::vector<std::string>{"Hibernate: " + reason});
    }
    const std::lock_guard lock(g_suspend.mutex);
    EXPECT_EQ(g_suspend.calls.size(), 2U);
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
