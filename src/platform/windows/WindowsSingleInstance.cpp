#include "platform/windows/WindowsSingleInstance.h"

#include "platform/windows/WideText.h"

#include <sddl.h>

#include <memory>
#include <utility>
#include <vector>

namespace morvane::platform {

namespace {

std::wstring UserSid() {
    HANDLE rawToken = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken) == FALSE) {
        return {};
    }
    const windows::UniqueHandle token(rawToken);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0) {
        return {};
    }
    std::vector<unsigned char> buffer(size);
    if (GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size) == FALSE) {
        return {};
    }
    const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
    wchar_t* text = nullptr;
    if (ConvertSidToStringSidW(user->User.Sid, &text) == FALSE) {
        return {};
    }
    const std::unique_ptr<wchar_t, decltype(&LocalFree)> owned(text, &LocalFree);
    return text;
}

} // namespace

WindowsSingleInstance::WindowsSingleInstance(std::wstring mutexName,
                                             std::function<void(const std::string&)> log)
    : m_name(std::move(mutexName)), m_log(std::move(log)) {}

std::wstring WindowsSingleInstance::DefaultMutexName(const std::string& appName) {
    const std::wstring sid = UserSid();
    return L"Local\\" + windows::Widen(appName) + (sid.empty() ? L"" : L"-" + sid);
}

bool WindowsSingleInstance::TryAcquire() {
    if (m_mutex) {
        return true;
    }
    windows::UniqueHandle mutex(CreateMutexW(nullptr, FALSE, m_name.c_str()));
    const DWORD error = GetLastError();
    if (mutex && error == ERROR_ALREADY_EXISTS) {
        return false;
    }
    if (!mutex) {
        // The name exists but is not ours to open: another instance made it.
        if (error == ERROR_ACCESS_DENIED) {
            return false;
        }
        if (m_log) {
            m_log("cannot set up the single-instance lock: " + windows::SystemMessage(error));
        }
        return true;
    }
    m_mutex = std::move(mutex);
    return true;
}

} // namespace morvane::platform
