#include "platform/windows/WindowsUserFolders.h"

#include "platform/windows/WideText.h"

#include <windows.h>

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <memory>
#include <string>

namespace morvane::platform {

std::filesystem::path WindowsUserFolders::FromEnvironment(const std::string& name) const {
    const std::wstring wideName = windows::Widen(name);
    // The size asked for first counts the terminating NUL; a value that grew in between is
    // asked for again.
    std::wstring value;
    DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    while (size > 0) {
        value.assign(size, L'\0');
        const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
        if (length < size) {
            value.resize(length);
            return value;
        }
        size = length;
    }
    return {};
}

std::filesystem::path WindowsUserFolders::RoamingAppData() const {
    PWSTR raw = nullptr;
    const HRESULT result =
        SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &raw);
    // Freed whatever the result: the call may hand back a buffer even when it fails.
    const std::unique_ptr<wchar_t, decltype(&CoTaskMemFree)> owned(raw, &CoTaskMemFree);
    if (FAILED(result) || raw == nullptr) {
        return {};
    }
    return std::filesystem::path(std::wstring(raw));
}

} // namespace morvane::platform
