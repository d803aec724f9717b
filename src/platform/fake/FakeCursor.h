#pragma once

#include "platform/Cursor.h"

namespace morvane::platform {

/// A pointer that sits where the test puts it.
class FakeCursor final : public Cursor {
public:
    [[nodiscard]] bool IsAvailable() const override { return available; }
    std::optional<Point> Position() override {
        if (!available) {
            return std::nullopt;
        }
        return position;
    }

    Point position;
    bool available = true;
};

} // namespace morvane::platform
