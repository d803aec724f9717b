#include "platform/windows/WindowsSingleInstance.h"

#include "platform/windows/WideText.h"

#include <filesystem>
#include <system_error>
#include <utility>

namespace morvane::platform {

WindowsSingleInstance::WindowsSingleInstance(std::wstring lockPath,
                                             std::function<void(const std::string&)> log)
    : m_path(std::move(lockPath)), m_log(std::move(log)) {}

std::wstring WindowsSingleInstance::DefaultLockPath(const std::string& appName,
                                                    const std::string& dataFolder) {
    if (dataFolder.empty()) {
        return {};
    }
    return windows::Widen(dataFolder) + L"\\" + windows::Widen(appName) + L".lock";
}

bool WindowsSingleInstance::Unchecked(const std::string& why) {
    if (m_log) {
        m_log("single instance: " + why + "; not checked");
    }
    m_unchecked = why;
    return true;
}

bool WindowsSingleInstance::TryAcquire() {
    if (m_lock) {
        return true;
    }
    m_unchecked.clear();
    // Not knowing whether another instance runs is no reason to refuse the user the program.
    if (m_path.empty()) {
        return Unchecked("no data folder for the instance lock");
    }
    // On the first start the data folder is not there yet.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ignored);
    // No sharing: while we hold it, every other open fails with a sharing violation. The handle
    // is not inherited, so programs we start never keep the lock after we end.
    windows::UniqueHandle lock =
        windows::Own(CreateFileW(m_path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!lock) {
        const DWORD error = GetLastError();
        if (error == ERROR_SHARING_VIOLATION) {
            return false;
        }
        return Unchecked("cannot open " + windows::Narrow(m_path) + ": " +
                         windows::SystemMessage(error));
    }
    m_lock = std::move(lock);
    return true;
}

} // namespace morvane::platform
