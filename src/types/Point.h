#pragma once

namespace morvane::platform {

/// A position on the screen, in pixels.
struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

} // namespace morvane::platform
