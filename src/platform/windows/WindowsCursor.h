#pragma once

#include "platform/Cursor.h"

namespace morvane::platform {

/// The mouse pointer's position on the Windows desktop, in virtual-screen pixels.
class WindowsCursor final : public Cursor {
public:
    [[nodiscard]] bool IsAvailable() const override;
    std::optional<Point> Position() override;
};

} // namespace morvane::platform
