#pragma once

#include "types/Point.h"

#include <optional>

namespace morvane::platform {

/// The mouse pointer's position on the screen.
class Cursor {
public:
    Cursor() = default;
    virtual ~Cursor() = default;
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    /// Whether the position can be read at all here (false on a desktop that hides it from us).
    [[nodiscard]] virtual bool IsAvailable() const = 0;
    /// The pointer in screen pixels; nullopt when it cannot be read.
    virtual std::optional<Point> Position() = 0;
};

} // namespace morvane::platform
