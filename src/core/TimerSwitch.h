#pragma once

#include <functional>

namespace morvane {

/// Whether a periodic timer runs. The core decides; the user interface's timer follows.
class TimerSwitch {
public:
    using Listener = std::function<void(bool enabled)>;

    [[nodiscard]] bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) {
        if (m_enabled == enabled) {
            return;
        }
        m_enabled = enabled;
        if (m_listener) {
            m_listener(enabled);
        }
    }
    void SetListener(Listener listener) { m_listener = std::move(listener); }

private:
    bool m_enabled = false;
    Listener m_listener;
};

} // namespace morvane
