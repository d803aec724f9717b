#pragma once

#include "platform/linux/x11/X11Windows.h"

#include <utility>

namespace morvane::platform::x11 {

/// A window this program created on a connection, destroyed when the object goes (errors
/// trapped: the server may have destroyed it already). Empty (0) when it holds none.
class OwnedWindow final {
public:
    OwnedWindow() = default;
    OwnedWindow(_XDisplay* display, XId window) : m_display(display), m_window(window) {}
    ~OwnedWindow() { Reset(); }
    OwnedWindow(OwnedWindow&& other) noexcept
        : m_display(other.m_display), m_window(std::exchange(other.m_window, 0)) {}
    OwnedWindow& operator=(OwnedWindow&& other) noexcept {
        if (this != &other) {
            Reset();
            m_display = other.m_display;
            m_window = std::exchange(other.m_window, 0);
        }
        return *this;
    }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    [[nodiscard]] XId Get() const { return m_window; }
    /// Destroys the window now, if there is one.
    void Reset();

private:
    _XDisplay* m_display = nullptr;
    XId m_window = 0;
};

} // namespace morvane::platform::x11
