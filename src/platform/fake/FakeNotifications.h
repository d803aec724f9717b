#pragma once

#include "platform/Notifications.h"

#include <string>
#include <utility>
#include <vector>

namespace morvane::platform {

/// Records the messages it is asked to show, and the sounds they play; `available` and
/// `sounds` play a desktop with or without the service and its sound theme.
class FakeNotifications final : public Notifications {
public:
    [[nodiscard]] bool IsAvailable() const override { return available; }
    bool Show(const std::string& title, const std::string& body) override {
        if (!available) {
            return false;
        }
        shown.emplace_back(title, body);
        return true;
    }
    [[nodiscard]] bool CanPlaySound() const override { return available && sounds; }
    bool ShowWithSound(const std::string& title, const std::string& body,
                       const std::string& soundName) override {
        played.push_back(soundName);
        return Show(title, body);
    }

    bool available = true;
    bool sounds = false;
    std::vector<std::string> played;
    std::vector<std::pair<std::string, std::string>> shown;
};

} // namespace morvane::platform
