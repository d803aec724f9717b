#pragma once

#include "platform/Notifications.h"

#include <string>
#include <utility>
#include <vector>

namespace morvane::platform {

/// Records the messages it is asked to show; `available` plays a desktop with or without the
/// service.
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

    bool available = true;
    std::vector<std::pair<std::string, std::string>> shown;
};

} // namespace morvane::platform
