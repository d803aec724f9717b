#pragma once

#include "platform/linux/x11/X11Windows.h"

#include <memory>
#include <string>
#include <utility>

namespace morvane::platform {

/// The window system the Linux enumerator works on: one connection to an X11 display.
class WindowSystem final {
public:
    /// Opens the display named `displayName` (DISPLAY when empty); nullptr when it cannot.
    static std::unique_ptr<WindowSystem> Open(const std::string& displayName = {}) {
        std::unique_ptr<x11::X11Windows> display = x11::X11Windows::Open(displayName);
        return display ? std::make_unique<WindowSystem>(std::move(display)) : nullptr;
    }
    explicit WindowSystem(std::unique_ptr<x11::X11Windows> display)
        : m_display(std::move(display)) {}

    [[nodiscard]] x11::X11Windows& Display() const { return *m_display; }

private:
    std::unique_ptr<x11::X11Windows> m_display;
};

} // namespace morvane::platform
