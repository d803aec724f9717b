#include "platform/windows/WindowsProcesses.h"

#include "platform/windows/ProcessQuery.h"

#include <windows.h>

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

void WindowsProcesses::TerminateProcess(const ProcessInfo& target) {
    const std::optional<DWORD> pid = ProcessQuery::EndablePid(target.pid);
    if (!pid) {
        return;
    }
    // The handle first, then the check: whatever the check reads, the kill can only reach the
    // process the handle was opened on. Forced and not waited for, as a close task promises.
    const UniqueHandle process =
        ProcessQuery::Open(*pid, PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION);
    if (process && ProcessQuery::StillIs(process.get(), target)) {
        ::TerminateProcess(process.get(), 0);
    }
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
