#pragma once

#include "platform/Notifications.h"
#include "platform/linux/BusConnection.h"
#include "platform/linux/Log.h"

#include <chrono>
#include <optional>
#include <string>

namespace morvane::platform {

/// The desktop's notification service (org.freedesktop.Notifications) on the session bus.
/// Messages go out without waiting for the service; a refusal that comes back is logged.
class LinuxNotifications final : public Notifications {
public:
    /// Attaches to `loop` when given (the loop the program's event loop already runs), else to
    /// one of its own, run whenever a message is shown.
    LinuxNotifications(sd_event* loop, LogSink log, std::string appName = "Morvane");

    /// Whether the service's name has an owner on the bus, asked afresh each time; when it has
    /// none, a question starts it where the bus starts it on demand (not again for a while
    /// after that failed).
    [[nodiscard]] bool IsAvailable() const override;
    bool Show(const std::string& title, const std::string& body) override;
    /// Whether the service lists "sound" among its capabilities, asked afresh each time.
    [[nodiscard]] bool CanPlaySound() const override;
    bool ShowWithSound(const std::string& title, const std::string& body,
                       const std::string& soundName) override;

private:
    bool Send(const std::string& title, const std::string& body, const std::string& soundName);

    mutable BusConnection m_bus;
    LogSink m_log;
    std::string m_appName;
    mutable std::optional<std::chrono::steady_clock::time_point> m_startFailedAt;
};

} // namespace morvane::platform
