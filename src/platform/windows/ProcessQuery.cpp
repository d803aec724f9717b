#include "platform/windows/ProcessQuery.h"

#include "platform/common/Interpreters.h"
#include "platform/windows/WideText.h"

#include <psapi.h>
#include <shellapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <array>
#include <limits>
#include <memory>

namespace morvane::platform::windows {

namespace {

// What NtQueryInformationProcess answers for a process's command line (Windows 8.1 and later):
// a UNICODE_STRING followed by the text it points to.
constexpr PROCESSINFOCLASS kProcessCommandLineInformation = static_cast<PROCESSINFOCLASS>(60);

using NtQueryInformationProcessFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG,
                                                     PULONG);

// ntdll's call is not in the import libraries on every toolchain, so it is looked up once.
NtQueryInformationProcessFn NtQuery() {
    static const auto query = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll == nullptr
                   ? nullptr
                   : reinterpret_cast<NtQueryInformationProcessFn>(reinterpret_cast<void*>(
                         GetProcAddress(ntdll, "NtQueryInformationProcess")));
    }();
    return query;
}

struct LocalFreer {
    void operator()(LPWSTR* words) const noexcept { LocalFree(words); }
};

// The start of RTL_USER_PROCESS_PARAMETERS, the same on every Windows since NT: sixteen bytes,
// five pointer-sized fields (console handle and flags, the three standard handles), the working
// folder (CURDIR), the DLL path, the image path and the command line.
struct ParametersHead {
    BYTE reserved1[16];
    PVOID reserved2[5];
    UNICODE_STRING currentDirectory;
    HANDLE currentDirectoryHandle;
    UNICODE_STRING dllPath;
    UNICODE_STRING imagePathName;
    UNICODE_STRING commandLine;
};

// A handle that may read the memory of the process `process` is open on. While `process` stays
// open its id cannot pass to another process, so both name the same one.
UniqueHandle Reader(HANDLE process) {
    const DWORD pid = GetProcessId(process);
    return pid == 0 ? UniqueHandle{}
                    : Own(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
}

// The process's start-up parameters, read from its memory; nullopt when they cannot be (it
// needs a target of our own word size).
std::optional<ParametersHead> ReadParameters(HANDLE reader) {
    const NtQueryInformationProcessFn query = NtQuery();
    PROCESS_BASIC_INFORMATION basic{};
    ULONG size = 0;
    if (query == nullptr ||
        query(reader, ProcessBasicInformation, &basic, sizeof basic, &size) != 0 ||
        basic.PebBaseAddress == nullptr) {
        return std::nullopt;
    }
    PEB peb{};
    ParametersHead head{};
    SIZE_T read = 0;
    if (!ReadProcessMemory(reader, basic.PebBaseAddress, &peb, sizeof peb, &read) ||
        peb.ProcessParameters == nullptr ||
        !ReadProcessMemory(reader, peb.ProcessParameters, &head, sizeof head, &read)) {
        return std::nullopt;
    }
    return head;
}

std::optional<std::wstring> ReadText(HANDLE reader, const UNICODE_STRING& text) {
    if (text.Buffer == nullptr || text.Length == 0) {
        return std::nullopt;
    }
    std::wstring copy(text.Length / sizeof(wchar_t), L'\0');
    SIZE_T read = 0;
    if (!ReadProcessMemory(reader, text.Buffer, copy.data(), text.Length, &read) ||
        read != text.Length) {
        return std::nullopt;
    }
    return copy;
}

std::vector<std::string> SplitCommandLine(const std::wstring& line) {
    std::vector<std::string> words;
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreer> argv(CommandLineToArgvW(line.c_str(), &count));
    for (int i = 0; argv && i < count; ++i) {
        words.push_back(Narrow(argv.get()[i]));
    }
    return words;
}

// Our own token's user SID, read once: it does not change while we run.
const std::vector<BYTE>& OwnUser() {
    static const std::vector<BYTE> user = [] {
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
            return std::vector<BYTE>{};
        }
        const UniqueHandle owned(token);
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        std::vector<BYTE> buffer(size);
        if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
            return std::vector<BYTE>{};
        }
        return buffer;
    }();
    return user;
}

PSID SidOf(const std::vector<BYTE>& tokenUser) {
    return reinterpret_cast<const TOKEN_USER*>(tokenUser.data())->User.Sid;
}

std::wstring_view WideFileName(std::wstring_view path) {
    return path.substr(path.find_last_of(L"\\/") + 1);
}

// "Python.EXE" -> "python": how the shared interpreter rule knows its programs.
std::string InterpreterName(std::wstring_view image) {
    std::wstring_view name = WideFileName(image);
    constexpr std::wstring_view kExe = L".exe";
    if (name.size() > kExe.size() &&
        CompareStringOrdinal(name.data() + name.size() - kExe.size(), kExe.size(), kExe.data(),
                             kExe.size(), TRUE) == CSTR_EQUAL) {
        name.remove_suffix(kExe.size());
    }
    std::string ascii;
    for (const wchar_t c : name) {
        if (c > 0x7F) {
            return {}; // no interpreter we know has such a name
        }
        ascii.push_back(static_cast<char>(c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c));
    }
    return ascii;
}

bool IsRelative(std::wstring_view path) {
    const bool driveRooted =
        path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    const bool uncOrRooted = !path.empty() && (path[0] == L'\\' || path[0] == L'/');
    return !driveRooted && !uncOrRooted;
}

// The full form of an absolute path: "." and ".." resolved, separators made backslashes.
std::wstring FullPath(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) {
        return path;
    }
    std::wstring full(size, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(written < size ? written : 0);
    return full.empty() ? path : full;
}

} // namespace

std::optional<DWORD> ProcessQuery::ValidPid(ProcessId pid) {
    if (pid <= 0 || pid > std::numeric_limits<DWORD>::max()) {
        return std::nullopt;
    }
    return static_cast<DWORD>(pid);
}

std::optional<DWORD> ProcessQuery::EndablePid(ProcessId pid) {
    const std::optional<DWORD> valid = ValidPid(pid);
    if (!valid || *valid == GetCurrentProcessId()) {
        return std::nullopt;
    }
    return valid;
}

UniqueHandle ProcessQuery::Open(DWORD pid, DWORD access) {
    return Own(OpenProcess(access, FALSE, pid));
}

bool ProcessQuery::IsOurs(HANDLE process) {
    const std::vector<BYTE>& own = OwnUser();
    HANDLE token = nullptr;
    if (own.empty() || !OpenProcessToken(process, TOKEN_QUERY, &token)) {
        return false;
    }
    const UniqueHandle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    return size != 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size) &&
           EqualSid(SidOf(user), SidOf(own));
}

std::optional<std::uint64_t> ProcessQuery::CreationTime(HANDLE process) {
    FILETIME created{};
    FILETIME exited{};
    FILETIME kernel{};
    FILETIME user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        return std::nullopt;
    }
    return (std::uint64_t{created.dwHighDateTime} << 32U) | created.dwLowDateTime;
}

std::optional<std::wstring> ProcessQuery::ImagePath(HANDLE process) {
    // Long enough for any path the system hands out, "\\?\" forms included.
    std::wstring buffer(32768, L'\0');
    DWORD length = static_cast<DWORD>(buffer.size());
    if (QueryFullProcessImageNameW(process, 0, buffer.data(), &length) && length > 0) {
        buffer.resize(length);
        return buffer;
    }
    HMODULE first = nullptr;
    DWORD needed = 0;
    if (EnumProcessModules(process, &first, sizeof first, &needed)) {
        length =
            GetModuleFileNameExW(process, first, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length > 0) {
            buffer.resize(length);
            return buffer;
        }
    }
    length = GetProcessImageFileNameW(process, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length > 0) {
        buffer.resize(length);
        return buffer;
    }
    return std::nullopt;
}

std::vector<std::string> ProcessQuery::CommandLine(HANDLE process) {
    // Windows 8.1 and later answer with the query rights alone.
    if (const NtQueryInformationProcessFn query = NtQuery()) {
        ULONG size = 0;
        query(process, kProcessCommandLineInformation, nullptr, 0, &size);
        // UNICODE_STRING's pointer wants its alignment.
        std::vector<std::uint64_t> buffer((size + sizeof(std::uint64_t) - 1) /
                                          sizeof(std::uint64_t));
        if (size >= sizeof(UNICODE_STRING) &&
            query(process, kProcessCommandLineInformation, buffer.data(), size, &size) == 0) {
            const auto* text = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
            return text->Buffer == nullptr ? std::vector<std::string>{}
                                           : SplitCommandLine(std::wstring(
                                                 text->Buffer, text->Length / sizeof(wchar_t)));
        }
    }
    // Earlier systems (and Wine) keep it where the process's start-up parameters are.
    const UniqueHandle reader = Reader(process);
    const std::optional<ParametersHead> head = reader ? ReadParameters(reader.get()) : std::nullopt;
    const std::optional<std::wstring> line =
        head ? ReadText(reader.get(), head->commandLine) : std::nullopt;
    return line ? SplitCommandLine(*line) : std::vector<std::string>{};
}

std::optional<std::wstring> ProcessQuery::WorkingFolder(HANDLE process) {
    const UniqueHandle reader = Reader(process);
    const std::optional<ParametersHead> head = reader ? ReadParameters(reader.get()) : std::nullopt;
    std::optional<std::wstring> folder =
        head ? ReadText(reader.get(), head->currentDirectory) : std::nullopt;
    if (!folder || IsRelative(*folder)) {
        return std::nullopt;
    }
    return folder;
}

std::optional<std::string> ProcessQuery::ProgramPath(HANDLE process) {
    std::optional<std::wstring> image = ImagePath(process);
    if (!image) {
        return std::nullopt;
    }
    const std::string interpreter = InterpreterName(*image);
    if (!Interpreters::Knows(interpreter)) {
        return Narrow(*image);
    }
    // Windows keeps no short name that a script could give its process.
    const std::optional<std::string> script =
        Interpreters::ScriptOf(interpreter, {}, CommandLine(process));
    if (!script || FileName(*script).empty()) {
        return Narrow(*image); // interactive, or code on the command line: the interpreter itself
    }
    std::wstring path = Widen(*script);
    if (IsRelative(path)) {
        // Without its folder a relative script still has its name, which is what decisions
        // compare; the path is then shown as the command line gave it.
        const std::optional<std::wstring> folder = WorkingFolder(process);
        if (!folder) {
            return *script;
        }
        path = *folder + (folder->ends_with(L'\\') ? L"" : L"\\") + path;
    }
    return Narrow(FullPath(path));
}

std::optional<std::string> ProcessQuery::ProgramName(HANDLE process) {
    const std::optional<std::string> path = ProgramPath(process);
    if (!path) {
        return std::nullopt;
    }
    return std::string(FileName(*path));
}

bool ProcessQuery::SameName(std::string_view a, std::string_view b) {
    const std::wstring wideA = Widen(a);
    const std::wstring wideB = Widen(b);
    return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

bool ProcessQuery::StillIs(HANDLE process, const ProcessInfo& seen) {
    const std::optional<std::string> name = ProgramName(process);
    if (!IsOurs(process) || !name || !SameName(*name, FileName(seen.path))) {
        return false;
    }
    return seen.startTime == 0 || CreationTime(process) == seen.startTime;
}

void ProcessQuery::ForEachProcess(const std::function<void(DWORD, std::wstring_view)>& visit) {
    const UniqueHandle snapshot = Own(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        visit(entry.th32ProcessID, entry.szExeFile);
    }
}

void ProcessQuery::ForEachThread(const std::function<bool(DWORD, DWORD)>& visit) {
    const UniqueHandle snapshot = Own(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) {
        return;
    }
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        if (!visit(entry.th32ThreadID, entry.th32OwnerProcessID)) {
            return;
        }
    }
}

std::string ProcessQuery::DevicePathToDrivePath(const std::string& path) {
    const std::wstring wide = Widen(path);
    std::array<wchar_t, 1000> device{};
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        const wchar_t drive[] = {letter, L':', L'\0'};
        if (QueryDosDeviceW(drive, device.data(), static_cast<DWORD>(device.size())) == 0) {
            continue;
        }
        // The first name the drive maps to, up to its NUL.
        const std::wstring_view name(device.data());
        // A whole folder name: \Device\HarddiskVolume1 does not begin ...Volume10\x.
        const bool wholeName =
            wide.size() == name.size() || (wide.size() > name.size() && wide[name.size()] == L'\\');
        if (!name.empty() && wholeName &&
            CompareStringOrdinal(wide.data(), static_cast<int>(name.size()), name.data(),
                                 static_cast<int>(name.size()), TRUE) == CSTR_EQUAL) {
            return Narrow(std::wstring(drive) + wide.substr(name.size()));
        }
    }
    return path;
}

std::string_view ProcessQuery::FileName(std::string_view path) {
    return path.substr(path.find_last_of("\\/") + 1);
}

} // namespace morvane::platform::windows
