#pragma once

#include "platform/SingleInstance.h"
#include "platform/windows/WinHandle.h"

#include <functional>
#include <string>

namespace morvane::platform {

/// A lock file in the data folder, opened for this process alone (no sharing) until it ends.
/// The lock lives beside the files it protects, so two instances on one data folder see each
/// other whatever session or environment they run in. The system closes the file when its
/// holder dies, so a crashed instance never blocks the next one.
class WindowsSingleInstance final : public SingleInstance {
public:
    explicit WindowsSingleInstance(std::wstring lockPath,
                                   std::function<void(const std::string&)> log = {});

    bool TryAcquire() override;
    [[nodiscard]] std::string WhyUnchecked() const override { return m_unchecked; }

    /// NAME.lock in `dataFolder` (UTF-8); empty when there is no data folder.
    [[nodiscard]] static std::wstring DefaultLockPath(const std::string& appName,
                                                      const std::string& dataFolder);

private:
    /// Lets the program through unchecked, saying why.
    bool Unchecked(const std::string& why);

    std::wstring m_path;
    std::function<void(const std::string&)> m_log;
    windows::UniqueHandle m_lock; // open while we hold the lock
    std::string m_unchecked;
};

} // namespace morvane::platform
