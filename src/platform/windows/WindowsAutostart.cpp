#include "platform/windows/WindowsAutostart.h"

#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"

#include <utility>

namespace morvane::platform {

namespace {

Result OpeningError(LSTATUS code) {
    return Result::Error(static_cast<int>(code),
                         "Error " + std::to_string(code) + " opening key\r\n");
}

Result SettingError(LSTATUS code) {
    return Result::Error(static_cast<int>(code),
                         "Error " + std::to_string(code) + " setting key\r\n");
}

// An empty name would be the key's default value, which is not a registration.
bool IsUsableName(const std::string& name) {
    return !name.empty() && name.find('\0') == std::string::npos;
}

} // namespace

WindowsAutostart::WindowsAutostart(HKEY root, std::wstring keyPath, std::wstring approvedKeyPath)
    : m_root(root), m_keyPath(std::move(keyPath)), m_approvedKeyPath(std::move(approvedKeyPath)) {}

bool WindowsAutostart::IsTurnedOff(const std::wstring& name) const {
    // 12 bytes as the Task Manager writes them: the state, then when it was turned off.
    BYTE data[64]{};
    DWORD bytes = sizeof data;
    if (RegGetValueW(m_root, m_approvedKeyPath.c_str(), name.c_str(), RRF_RT_REG_BINARY, nullptr,
                     data, &bytes) != ERROR_SUCCESS) {
        return false;
    }
    return bytes == 0 || (data[0] != 0x02 && data[0] != 0x06);
}

std::wstring WindowsAutostart::CommandFor(const std::string& name, const std::string& folder) {
    std::wstring path = windows::Widen(folder);
    for (wchar_t& c : path) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    if (!path.empty() && path.back() == L'\\') {
        path.pop_back();
    }
    path += L'\\' + windows::Widen(name) + L".exe";
    return path.find_first_of(L" \t") == std::wstring::npos ? path : L'"' + path + L'"';
}

bool WindowsAutostart::IsAutostartRegistered(const std::string& name) {
    if (!IsUsableName(name)) {
        return false;
    }
    HKEY raw = nullptr;
    if (RegOpenKeyExW(m_root, m_keyPath.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) {
        return false;
    }
    const windows::UniqueKey key(raw);
    const std::wstring valueName = windows::Widen(name);
    return RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS &&
           !IsTurnedOff(valueName);
}

Result WindowsAutostart::SetAutostart(const std::string& name, const std::string& folder,
                                      bool flag) {
    if (!IsUsableName(name)) {
        return OpeningError(ERROR_INVALID_PARAMETER);
    }
    HKEY raw = nullptr;
    const LSTATUS opened =
        RegCreateKeyExW(m_root, m_keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &raw, nullptr);
    if (opened != ERROR_SUCCESS) {
        return OpeningError(opened);
    }
    const windows::UniqueKey key(raw);
    const std::wstring valueName = windows::Widen(name);
    if (!flag) {
        // No value is what was asked for; any other failure leaves it there and must say so.
        const LSTATUS deleted = RegDeleteValueW(key.get(), valueName.c_str());
        if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND) {
            return SettingError(deleted);
        }
        // Left behind, a turned-off mark would hold back a later registration of ours.
        RegDeleteKeyValueW(m_root, m_approvedKeyPath.c_str(), valueName.c_str());
        return {};
    }
    const std::wstring data = CommandFor(name, folder);
    // The byte count takes in the terminating NUL.
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    const LSTATUS set = RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(data.c_str()), bytes);
    if (set != ERROR_SUCCESS) {
        return SettingError(set);
    }
    // Turned on from here after being turned off in the Task Manager: without its mark the
    // entry counts as on there too.
    const LSTATUS cleared =
        IsTurnedOff(valueName)
            ? RegDeleteKeyValueW(m_root, m_approvedKeyPath.c_str(), valueName.c_str())
            : ERROR_SUCCESS;
    return cleared == ERROR_SUCCESS || cleared == ERROR_FILE_NOT_FOUND ? Result()
                                                                       : SettingError(cleared);
}

} // namespace morvane::platform
