#pragma once

#include "platform/Cursor.h"
#include "platform/IdleSource.h"

#include <memory>
#include <string>

namespace morvane::platform {

/// Activity as the pointer shows it, where the pointer can be read (X11, and Windows): any
/// movement since the last sample is activity, keys are not.
class PointerIdleSource final : public IdleSource {
public:
    /// `unavailableReason` is what the user is told while `cursor` cannot be read.
    PointerIdleSource(std::unique_ptr<Cursor> cursor, std::string unavailableReason);

    [[nodiscard]] bool IsAvailable() const override;
    [[nodiscard]] std::string UnavailableReason() const override;
    Activity Sample() override;
    void Reset() override;

private:
    std::unique_ptr<Cursor> m_cursor;
    std::string m_reason;
    // Starts at (0, 0), so the first sample counts as movement unless the pointer rests there.
    Point m_last;
};

} // namespace morvane::platform
