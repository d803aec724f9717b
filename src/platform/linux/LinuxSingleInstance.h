#pragma once

#include "platform/SingleInstance.h"
#include "platform/linux/Log.h"
#include "platform/linux/UniqueFd.h"

#include <string>

namespace morvane::platform {

/// An advisory lock (flock) on a file, held until the process ends. The kernel drops it when
/// the holder dies, so a crashed instance never blocks the next one.
class LinuxSingleInstance final : public SingleInstance {
public:
    explicit LinuxSingleInstance(std::string lockPath, LogSink log = StderrLog());

    bool TryAcquire() override;

    /// NAME.lock in $XDG_RUNTIME_DIR, or in `dataFolder` when that variable is unset or not
    /// absolute; empty when neither is usable.
    [[nodiscard]] static std::string DefaultLockPath(const std::string& appName,
                                                     const std::string& dataFolder);

private:
    std::string m_lockPath;
    LogSink m_log;
    UniqueFd m_lock; // open while we hold the lock
};

} // namespace morvane::platform
