#include "platform/windows/WindowsIdleSource.h"

#include <utility>

namespace morvane::platform {

WindowsIdleSource::WindowsIdleSource(std::unique_ptr<Cursor> cursor, LastInputCall lastInput)
    : m_pointer(std::move(cursor), {}), m_lastInput(lastInput) {}

std::optional<DWORD> WindowsIdleSource::LastInput() const {
    LASTINPUTINFO info{};
    info.cbSize = sizeof info;
    if (m_lastInput(&info) == FALSE) {
        return std::nullopt;
    }
    return info.dwTime;
}

Activity WindowsIdleSource::Sample() {
    // Read at every sample, so the first one without the pointer has a reading to compare with.
    const std::optional<DWORD> input = LastInput();
    const std::optional<DWORD> seen = std::exchange(m_seenInput, input);
    const Activity pointer = m_pointer.Sample();
    if (pointer != Activity::Unknown) {
        return pointer;
    }
    if (!input) {
        return Activity::Idle;
    }
    // Nothing to compare with after a reset: counted as activity, as the pointer source does.
    return seen == input ? Activity::Idle : Activity::Active;
}

void WindowsIdleSource::Reset() {
    m_pointer.Reset();
    m_seenInput.reset();
}

} // namespace morvane::platform
