#include "platform/windows/WindowsProcesses.h"

#include "platform/windows/ProcessQuery.h"
#include "platform/windows/ProcessReach.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace morvane::platform {

using windows::ProcessQuery;
using windows::UniqueHandle;

std::vector<ProcessInfo> WindowsProcesses::ScanRunningPrograms() {
    std::vector<ProcessInfo> found;
    found.reserve(256);
    // The snapshot names the candidates; asking for every possible id would cost a quarter of a
    // million opens.
    ProcessQuery::ForEachProcess([&found](DWORD pid, std::wstring_view /*exeFile*/) {
        // The query rights the module route needs; a process that refuses them (the system's,
        // other users') is neither listed nor ended.
        const UniqueHandle process =
            ProcessQuery::Open(pid, PROCESS_QUERY_INFORMATION | PROCESS_VM_READ);
        if (!process || !ProcessQuery::IsOurs(process.get())) {
            return;
        }
        found.push_back(ProcessInfo{
            ProcessQuery::ProgramPath(process.get()).value_or(UnknownPath()),
            static_cast<ProcessId>(pid),
            ProcessQuery::CreationTime(process.get()).value_or(0),
        });
    });
    return found;
}

std::string WindowsProcesses::ProcessName(ProcessId pid) {
    const std::optional<DWORD> valid = ProcessQuery::ValidPid(pid);
    const UniqueHandle process =
        valid ? ProcessQuery::Open(*valid, PROCESS_QUERY_LIMITED_INFORMATION) : UniqueHandle{};
    if (!process || !ProcessQuery::IsOurs(process.get())) {
        return {};
    }
    return ProcessQuery::ProgramName(process.get()).value_or(std::string{});
}

OutOfReach WindowsProcesses::TerminateProcess(const ProcessInfo& target) {
    const std::optional<DWORD> pid = ProcessQuery::EndablePid(target.pid);
    if (!pid) {
        return OutOfReach::None;
    }
    // The handle first, then the check: whatever the check reads, the kill can only reach the
    // process the handle was opened on. Forced and not waited for, as a close task promises.
    const UniqueHandle process =
        ProcessQuery::Open(*pid, PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION);
    if (!process) {
        // Refused rather than gone: the user is told why, if it is still that program.
        return GetLastError() == ERROR_ACCESS_DENIED
                   ? windows::WhyRefused(*pid, ProcessQuery::FileName(target.path))
                   : OutOfReach::None;
    }
    if (ProcessQuery::StillIs(process.get(), target)) {
        ::TerminateProcess(process.get(), 0);
    }
    return OutOfReach::None;
}

namespace {

// The process opened to be looked at, if it is still the one seen and has not ended: a handle
// keeps an ended process's id from being given again, but the process is gone all the same.
UniqueHandle OpenIfStillRunning(const ProcessInfo& target) {
    const std::optional<DWORD> pid = ProcessQuery::EndablePid(target.pid);
    UniqueHandle process =
        pid ? ProcessQuery::Open(*pid, PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE)
            : UniqueHandle{};
    if (!process || WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT ||
        !ProcessQuery::StillIs(process.get(), target)) {
        return UniqueHandle{};
    }
    return process;
}

struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

// Keeps the windows a user would close: visible, top-level and owned by no other window.
BOOL CALLBACK KeepMainWindow(HWND window, LPARAM search) {
    auto& s = *reinterpret_cast<WindowSearch*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s.pid && IsWindowVisible(window) != FALSE &&
        GetWindow(window, GW_OWNER) == nullptr) {
        s.found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> MainWindowsOf(DWORD pid) {
    WindowSearch search{pid, {}};
    EnumWindows(KeepMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

CloseRequest WindowsProcesses::AskToClose(const ProcessInfo& target) {
    // The handle holds the id while the windows are looked for, so they are this process's.
    const UniqueHandle process = OpenIfStillRunning(target);
    if (!process) {
        return {CloseAsk::NotSent, target};
    }
    ProcessInfo identity = target;
    if (identity.startTime == 0) {
        identity.startTime = ProcessQuery::CreationTime(process.get()).value_or(0);
    }
    // What clicking a window's close box sends: the program may ask to save, or refuse.
    bool asked = false;
    for (HWND window : MainWindowsOf(GetProcessId(process.get()))) {
        asked = PostMessageW(window, WM_CLOSE, 0, 0) != FALSE || asked;
    }
    return {asked ? CloseAsk::Asked : CloseAsk::NoWindow, identity};
}

bool WindowsProcesses::StillRuns(const ProcessInfo& target) {
    return static_cast<bool>(OpenIfStillRunning(target));
}

OutOfReach WindowsProcesses::WhyOutOfReach(std::string_view name) {
    return windows::WhyOutOfReach(name);
}

bool WindowsProcesses::SameProgramName(std::string_view a, std::string_view b) const {
    return ProcessQuery::SameName(a, b);
}

ProcessId WindowsProcesses::OwnPid() const {
    return static_cast<ProcessId>(GetCurrentProcessId());
}

std::string WindowsProcesses::DevicePathToDrivePath(const std::string& path) const {
    return ProcessQuery::DevicePathToDrivePath(path);
}

std::string WindowsProcesses::UnknownPath() {
    return std::string(1015, ' ') + "<Unknown>";
}

} // namespace morvane::platform
