#pragma once

#include <string>

namespace morvane::platform {

/// The desktop's own notification service (a pop-up message outside the program's windows).
class Notifications {
public:
    Notifications() = default;
    virtual ~Notifications() = default;
    Notifications(const Notifications&) = delete;
    Notifications& operator=(const Notifications&) = delete;

    /// Whether the desktop offers the service; asked at run time, when a message is to be shown.
    [[nodiscard]] virtual bool IsAvailable() const = 0;
    /// Shows one message; never waits for the desktop. False when it could not be handed over,
    /// so the caller can show it another way.
    virtual bool Show(const std::string& title, const std::string& body) = 0;
};

} // namespace morvane::platform
