#pragma once

#include "platform/SingleInstance.h"
#include "platform/linux/Log.h"
#include "platform/linux/UniqueFd.h"

#include <string>

namespace morvane::platform {

/// An advisory lock (flock) on a file in the data folder, held until the process ends. The lock
/// lives beside the files it protects, so two instances on one data folder always see each
/// other, whatever their environment. The kernel drops it when the holder dies, so a crashed
/// instance never blocks the next one.
class LinuxSingleInstance final : public SingleInstance {
public:
    explicit LinuxSingleInstance(std::string lockPath, LogSink log = StderrLog());

    bool TryAcquire() override;
    [[nodiscard]] std::string WhyUnchecked() const override { return m_unchecked; }

    /// NAME.lock in `dataFolder`; empty when that is not an absolute path.
    [[nodiscard]] static std::string DefaultLockPath(const std::string& appName,
                                                     const std::string& dataFolder);

private:
    /// Lets the program through unchecked, saying why.
    bool Unchecked(std::string why);

    std::string m_lockPath;
    LogSink m_log;
    UniqueFd m_lock; // open while we hold the lock
    std::string m_unchecked;
};

} // namespace morvane::platform
