#include "platform/windows/WindowsProgramIconLookup.h"

#include "platform/windows/WideText.h"

#include <windows.h>

namespace morvane::platform {

namespace {

// A drive path (C:\...) or a network path (\\server\...).
bool IsAbsolute(const std::wstring& path) {
    const auto separator = [](wchar_t c) {
        return c == L'\\' || c == L'/';
    };
    if (path.size() >= 3 && path[1] == L':' && separator(path[2])) {
        return true;
    }
    return path.size() >= 2 && separator(path[0]) && separator(path[1]);
}

} // namespace

std::string WindowsProgramIconLookup::IconFor(const ProgramIdentity& program) {
    const std::wstring path = windows::Widen(program.executablePath);
    // A relative path would be looked up in our own working folder, not the program's.
    if (!IsAbsolute(path)) {
        return {};
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return {};
    }
    return program.executablePath;
}

} // namespace morvane::platform
