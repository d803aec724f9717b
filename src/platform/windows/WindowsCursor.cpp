#include "platform/windows/WindowsCursor.h"

#include <windows.h>

namespace morvane::platform {

bool WindowsCursor::IsAvailable() const {
    return true;
}

std::optional<Point> WindowsCursor::Position() {
    // Fails on a desktop we may not read, such as the secure desktop while it is shown: no
    // position then, rather than a stale one that would count as the pointer resting.
    POINT point{};
    if (GetCursorPos(&point) == FALSE) {
        return std::nullopt;
    }
    return Point{point.x, point.y};
}

} // namespace morvane::platform
