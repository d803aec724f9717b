#pragma once

#include "platform/WindowPicker.h"

#include <optional>
#include <string>
#include <vector>

namespace morvane::platform {

/// A picker over a scene the test sets up. It records the outline requests and keeps the
/// outline's state the way a real screen would show it.
class FakeWindowPicker final : public WindowPicker {
public:
    [[nodiscard]] bool IsAvailable() const override { return reason.empty(); }
    [[nodiscard]] std::string UnavailableReason() const override { return reason; }
    std::optional<PickedWindow> WindowUnderPointer() override {
        ++reads;
        if (!IsAvailable()) {
            return std::nullopt;
        }
        return underPointer;
    }
    void DrawFrame(WindowId window) override {
        if (framed == window) {
            return;
        }
        framed = window;
        drawn.push_back(window);
    }
    void EraseFrame() override {
        if (framed) {
            erased.push_back(*framed);
        }
        framed.reset();
    }

    /// Empty: available; otherwise the tooltip text.
    std::string reason;
    std::optional<PickedWindow> underPointer;
    std::optional<WindowId> framed; ///< The window outlined now.
    std::vector<WindowId> drawn;
    std::vector<WindowId> erased;
    int reads = 0;
};

} // namespace morvane::platform
