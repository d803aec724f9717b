#pragma once

#include "platform/SingleInstance.h"
#include "platform/windows/WinHandle.h"

#include <functional>
#include <string>

namespace morvane::platform {

/// A named mutex in the session's own namespace, its name carrying the user's SID: a second
/// copy in the same session sees the first. The system drops the name with the last handle, so
/// a crashed instance never blocks the next one.
class WindowsSingleInstance final : public SingleInstance {
public:
    explicit WindowsSingleInstance(std::wstring mutexName,
                                   std::function<void(const std::string&)> log = {});

    bool TryAcquire() override;

    /// "Local\NAME-SID" for the user running us; "Local\NAME" when the SID cannot be read.
    [[nodiscard]] static std::wstring DefaultMutexName(const std::string& appName);

private:
    std::wstring m_name;
    std::function<void(const std::string&)> m_log;
    windows::UniqueHandle m_mutex; // open while we hold the name
};

} // namespace morvane::platform
