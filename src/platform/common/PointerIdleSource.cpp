#include "platform/common/PointerIdleSource.h"

#include <utility>

namespace morvane::platform {

PointerIdleSource::PointerIdleSource(std::unique_ptr<Cursor> cursor, std::string unavailableReason)
    : m_cursor(std::move(cursor)), m_reason(std::move(unavailableReason)) {}

bool PointerIdleSource::IsAvailable() const {
    return m_cursor != nullptr && m_cursor->IsAvailable();
}

std::string PointerIdleSource::UnavailableReason() const {
    return IsAvailable() ? std::string() : m_reason;
}

Activity PointerIdleSource::Sample() {
    const std::optional<Point> position = m_cursor != nullptr ? m_cursor->Position() : std::nullopt;
    if (!position) {
        return Activity::Unknown;
    }
    if (*position == m_last) {
        return Activity::Idle;
    }
    m_last = *position;
    return Activity::Active;
}

void PointerIdleSource::Reset() {
    m_last = Point{};
}

} // namespace morvane::platform
