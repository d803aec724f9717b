#pragma once

#include <string>

namespace morvane::platform {

/// What a sample found since the one before it.
enum class Activity {
    Active,  ///< The user did something: the pointer moved, or (on Wayland) any input came.
    Idle,    ///< Nothing happened.
    Unknown, ///< This sample could not tell (an answer is late, the session went away).
};

/// Where the program learns whether the user is at the machine, for the tasks that wait for a
/// period without activity. Which source a session offers is found out at run time.
class IdleSource {
public:
    IdleSource() = default;
    virtual ~IdleSource() = default;
    IdleSource(const IdleSource&) = delete;
    IdleSource& operator=(const IdleSource&) = delete;

    /// Whether activity can be seen in this session at all.
    [[nodiscard]] virtual bool IsAvailable() const = 0;
    /// Why it cannot, in words for the user (a tooltip, a row); empty when it can.
    [[nodiscard]] virtual std::string UnavailableReason() const = 0;
    /// Whether any input counts as activity (keys included), not only the pointer's moves: the
    /// trigger is then named for input rather than for the mouse.
    [[nodiscard]] virtual bool SeesAnyInput() const { return false; }
    /// Whether the user was active since the previous sample (or since `Reset`).
    virtual Activity Sample() = 0;
    /// Forgets what was seen: the pointer source then counts the next sample as movement unless
    /// the pointer rests at (0, 0), as at start-up.
    virtual void Reset() = 0;
};

} // namespace morvane::platform
