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
    /// Whether a message can play a sound of the desktop's sound theme; asked at run time.
    [[nodiscard]] virtual bool CanPlaySound() const { return false; }
    /// Shows one message that plays `soundName` ("dialog-warning") from the desktop's sound
    /// theme where the service can; otherwise as Show.
    virtual bool ShowWithSound(const std::string& title, const std::string& body,
                               const std::string& soundName) {
        (void)soundName;
        return Show(title, body);
    }
};

} // namespace morvane::platform
