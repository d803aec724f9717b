#include "platform/windows/WindowsLauncher.h"

#include "platform/windows/WideText.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

namespace morvane::platform {

namespace {

constexpr std::string_view kBlanks = " \t";

Result CannotStart(int code, const std::string& what, const std::string& why) {
    return Result::Error(code, "cannot start " + what + ": " + why);
}

} // namespace

std::optional<WindowsLauncher::Parts> WindowsLauncher::Split(std::string_view line) {
    const std::size_t start = line.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) {
        return Parts{};
    }
    line.remove_prefix(start);
    Parts parts;
    std::size_t end = 0;
    if (line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        parts.program = std::string(line.substr(1, close - 1));
        end = close + 1;
    } else {
        end = std::min(line.find_first_of(kBlanks), line.size());
        parts.program = std::string(line.substr(0, end));
    }
    const std::size_t rest = line.find_first_not_of(kBlanks, end);
    if (rest != std::string_view::npos) {
        parts.parameters = std::string(line.substr(rest));
    }
    return parts;
}

std::string WindowsLauncher::ProgramOf(const std::string& commandLine) const {
    if (const std::optional<Parts> parts = Split(commandLine)) {
        return parts->program;
    }
    // The task is still named after what was typed; Launch refuses the line itself.
    return commandLine.substr(commandLine.find('"') + 1);
}

std::string WindowsLauncher::QuotedProgram(const std::string& path) const {
    // A Windows path cannot hold a double quote, so wrapping it is enough.
    if (!path.empty() && path.find_first_of(kBlanks) == std::string::npos) {
        return path;
    }
    return "\"" + path + "\"";
}

std::string WindowsLauncher::ReasonFor(long long code) {
    switch (code) {
    case 0:
    case SE_ERR_OOM:
        return "the system is out of memory or resources";
    case ERROR_FILE_NOT_FOUND:
        return "the file was not found";
    case ERROR_PATH_NOT_FOUND:
        return "the folder was not found";
    case ERROR_BAD_FORMAT:
        return "the file is not a program Windows can run";
    case SE_ERR_ACCESSDENIED:
        return "access is denied";
    case SE_ERR_SHARE:
        return "the file is in use";
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC:
        return "no program is set to open this kind of file";
    case SE_ERR_DDEBUSY:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDETIMEOUT:
        return "the program that opens this kind of file did not answer";
    case SE_ERR_DLLNOTFOUND:
        return "a library the program needs was not found";
    default:
        return "error " + std::to_string(code);
    }
}

Result WindowsLauncher::Launch(const std::string& commandLine) {
    const std::optional<Parts> parts = Split(commandLine);
    if (!parts) {
        return CannotStart(ERROR_INVALID_PARAMETER, "\"" + commandLine + "\"",
                           "a quote is not closed");
    }
    if (parts->program.empty()) {
        return CannotStart(ERROR_INVALID_PARAMETER, "an empty command line", "there is no program");
    }
    const std::wstring program = windows::Widen(parts->program);
    const std::wstring parameters = windows::Widen(parts->parameters);
    // ShellExecuteW asks for no user interface of its own when it fails; the reason comes back
    // in its result, a number below 32.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", program.c_str(),
                      parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOWNORMAL));
    if (result <= 32) {
        return CannotStart(static_cast<int>(result), parts->program, ReasonFor(result));
    }
    return {};
}

} // namespace morvane::platform
