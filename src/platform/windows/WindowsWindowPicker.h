#pragma once

#include "platform/ProgramIconLookup.h"
#include "platform/WindowPicker.h"
#include "platform/windows/InvertedFrame.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace morvane::platform {

/// The window picker on the Windows desktop: the window under the pointer, its program, and an
/// inverted frame around it on the screen.
class WindowsWindowPicker final : public WindowPicker {
public:
    /// Names program icons by their executables.
    WindowsWindowPicker();
    /// Tests hand in the icon lookup.
    explicit WindowsWindowPicker(std::unique_ptr<ProgramIconLookup> icons);
    /// Takes a frame that is still drawn off the screen.
    ~WindowsWindowPicker() override;

    [[nodiscard]] bool IsAvailable() const override;
    [[nodiscard]] std::string UnavailableReason() const override;
    std::optional<PickedWindow> WindowUnderPointer() override;
    void DrawFrame(WindowId window) override;
    void EraseFrame() override;

    /// The screen rectangle the frame outlines for a window: what shows of it, its title bar and
    /// borders included; nullopt when the window is gone.
    static std::optional<RECT> FrameRectFor(WindowId window);

private:
    WindowIcon IconOf(HWND topLevel, const std::string& executablePath);

    windows::InvertedFrame m_frame;
    std::unique_ptr<ProgramIconLookup> m_icons;
    WindowId m_framedWindow = 0; // the window outlined now; 0 when none
    HWND m_iconWindow = nullptr; // the window the cached icon belongs to
    WindowIcon m_icon;
};

} // namespace morvane::platform
