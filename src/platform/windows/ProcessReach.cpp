#include "platform/windows/ProcessReach.h"

#include "platform/windows/ProcessQuery.h"
#include "platform/windows/WideText.h"

#include <optional>
#include <string>

namespace morvane::platform::windows {

OutOfReach JudgeReach(const ReachFacts& facts) {
    if (facts.listed) {
        return OutOfReach::None;
    }
    if (facts.sameSession == false || !facts.opened) {
        // Not even its name may be asked: another user's (or the system's).
        return OutOfReach::OtherSession;
    }
    if (!facts.ourUser) {
        return OutOfReach::Elevated;
    }
    if (!*facts.ourUser) {
        return OutOfReach::OtherSession; // run as another user on our desktop
    }
    return facts.elevated ? OutOfReach::Elevated : OutOfReach::None;
}

ReachFacts ReadReach(DWORD pid, DWORD ourSession) {
    ReachFacts facts;
    DWORD session = 0;
    if (ProcessIdToSessionId(pid, &session) != FALSE) {
        facts.sameSession = session == ourSession;
    }
    if (const UniqueHandle scanned =
            ProcessQuery::Open(pid, PROCESS_QUERY_INFORMATION | PROCESS_VM_READ)) {
        facts.listed = ProcessQuery::IsOurs(scanned.get());
    }
    const UniqueHandle process = ProcessQuery::Open(pid, PROCESS_QUERY_LIMITED_INFORMATION);
    facts.opened = static_cast<bool>(process);
    HANDLE rawToken = nullptr;
    if (!process || OpenProcessToken(process.get(), TOKEN_QUERY, &rawToken) == FALSE) {
        return facts;
    }
    const UniqueHandle token(rawToken);
    facts.ourUser = ProcessQuery::IsOurs(process.get());
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    facts.elevated = GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation,
                                         &size) != FALSE &&
                     elevation.TokenIsElevated != 0;
    return facts;
}

OutOfReach WhyRefused(DWORD pid, std::string_view name) {
    DWORD ourSession = 0;
    if (ProcessIdToSessionId(GetCurrentProcessId(), &ourSession) == FALSE) {
        return OutOfReach::None;
    }
    // Its program where it can be read (a script's for an interpreter), else the snapshot's name.
    std::optional<std::string> program;
    if (const UniqueHandle process = ProcessQuery::Open(pid, PROCESS_QUERY_LIMITED_INFORMATION)) {
        program = ProcessQuery::ProgramName(process.get());
    } else {
        ProcessQuery::ForEachProcess([&program, pid](DWORD id, std::wstring_view exeFile) {
            if (id == pid) {
                program = Narrow(exeFile);
            }
        });
    }
    if (!program || !ProcessQuery::SameName(*program, name)) {
        return OutOfReach::None;
    }
    return JudgeReach(ReadReach(pid, ourSession));
}

OutOfReach WhyOutOfReach(std::string_view name) {
    DWORD ourSession = 0;
    if (ProcessIdToSessionId(GetCurrentProcessId(), &ourSession) == FALSE) {
        return OutOfReach::None;
    }
    OutOfReach why = OutOfReach::None;
    ProcessQuery::ForEachProcess([&why, name, ourSession](DWORD pid, std::wstring_view exeFile) {
        if (why == OutOfReach::Elevated || !ProcessQuery::SameName(Narrow(exeFile), name)) {
            return;
        }
        const OutOfReach found = JudgeReach(ReadReach(pid, ourSession));
        if (found != OutOfReach::None) {
            why = found;
        }
    });
    return why;
}

} // namespace morvane::platform::windows
