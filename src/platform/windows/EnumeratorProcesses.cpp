#include "platform/Enumerator.h"

#include "platform/windows/ProcessQuery.h"

#include "platform/windows/WideText.h"

#include <windows.h>

#include <limits>

// The enumerator's process and thread operations over Toolhelp snapshots, naming a process
// through the one reader the scan and the kill use, so all of them name it alike.

namespace morvane::platform {

using windows::ProcessQuery;
using windows::UniqueHandle;

namespace {

// The whole set of process rights as Windows XP defined it; the later, wider set is refused by
// older systems.
constexpr DWORD kProcessAllAccess = STANDARD_RIGHTS_REQUIRED | SYNCHRONIZE | 0xFFF;

using IsHungThreadFn = BOOL(WINAPI*)(DWORD);

} // namespace

std::string Enumerator::ProcessName(ProcessId ProcessID) {
    const std::optional<DWORD> pid = ProcessQuery::ValidPid(ProcessID);
    if (!pid) {
        return {};
    }
    // The program's name where the process can be read (a script's for an interpreter), else
    // the file name the snapshot reports.
    if (const UniqueHandle process = ProcessQuery::Open(*pid, PROCESS_QUERY_LIMITED_INFORMATION)) {
        if (std::optional<std::string> name = ProcessQuery::ProgramName(process.get())) {
            return std::move(*name);
        }
    }
    std::string name;
    ProcessQuery::ForEachProcess([&name, pid](DWORD id, std::wstring_view exeFile) {
        if (id == *pid && name.empty()) {
            name = FixApi(windows::Narrow(exeFile));
        }
    });
    return name;
}

bool Enumerator::KillProcess(ProcessId ProcessID) {
    const std::optional<DWORD> pid = ProcessQuery::EndablePid(ProcessID);
    const UniqueHandle process = pid ? ProcessQuery::Open(*pid, kProcessAllAccess) : UniqueHandle{};
    // Only the user's own processes, as everywhere else in the program.
    if (!process || !ProcessQuery::IsOurs(process.get())) {
        return false;
    }
    DWORD code = 0;
    if (!GetExitCodeProcess(process.get(), &code)) {
        code = 0;
    }
    return ::TerminateProcess(process.get(), code) != 0;
}

ProcessId Enumerator::ThreadProcess(ThreadId ThreadID) {
    // Answered from a snapshot of its own: the stored one is left as it was.
    if (ThreadID <= 0 || ThreadID > std::numeric_limits<DWORD>::max()) {
        return 0;
    }
    ProcessId owner = 0;
    ProcessQuery::ForEachThread([&owner, ThreadID](DWORD tid, DWORD process) {
        if (tid != ThreadID) {
            return true;
        }
        owner = process;
        return false;
    });
    return owner;
}

bool Enumerator::ThreadHung(ThreadId ThreadID) {
    // user32 exports IsHungThread without declaring it; a system without it has nothing hung.
    static const auto isHung = [] {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 == nullptr ? nullptr
                                 : reinterpret_cast<IsHungThreadFn>(reinterpret_cast<void*>(
                                       GetProcAddress(user32, "IsHungThread")));
    }();
    if (isHung == nullptr || ThreadID <= 0 || ThreadID > std::numeric_limits<DWORD>::max()) {
        return false;
    }
    return isHung(static_cast<DWORD>(ThreadID)) != 0;
}

void Enumerator::EnumProcessesInto(std::vector<ProcessId>& processes) {
    ProcessQuery::ForEachProcess(
        [&processes](DWORD pid, std::wstring_view /*exeFile*/) { processes.push_back(pid); });
}

void Enumerator::EnumThreadsInto(std::vector<ThreadEntry>& threads) {
    ProcessQuery::ForEachThread([&threads](DWORD tid, DWORD owner) {
        threads.push_back(ThreadEntry{tid, owner});
        return true;
    });
}

} // namespace morvane::platform
