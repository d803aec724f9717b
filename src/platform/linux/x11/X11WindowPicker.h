#pragma once

#include "platform/ProgramIconLookup.h"
#include "platform/WindowPicker.h"
#include "platform/linux/ProcFs.h"
#include "platform/linux/SessionProbe.h"
#include "platform/linux/x11/NetWmIcon.h"
#include "platform/linux/x11/X11PickFrame.h"
#include "platform/linux/x11/X11Windows.h"

#include <memory>
#include <optional>
#include <string>

namespace morvane::platform::x11 {

/// The window picker on an X11 display. On a Wayland session it is unavailable, whatever X
/// display XWayland offers.
class X11WindowPicker final : public WindowPicker {
public:
    /// Opens its own connection to DISPLAY; the frame style suits the session unless given.
    explicit X11WindowPicker(std::optional<FrameStyle> style = std::nullopt,
                             const SessionProbe& session = SessionProbe());
    /// Tests hand in the connection, the /proc reader, the icon lookup and the session.
    X11WindowPicker(std::unique_ptr<X11Windows> windows, std::optional<FrameStyle> style,
                    ProcFs proc, std::unique_ptr<ProgramIconLookup> icons,
                    const SessionProbe& session = SessionProbe());
    /// Takes a frame that is still drawn off the screen.
    ~X11WindowPicker() override;

    [[nodiscard]] bool IsAvailable() const override;
    [[nodiscard]] std::string UnavailableReason() const override;
    std::optional<PickedWindow> WindowUnderPointer() override;
    void DrawFrame(WindowId window) override;
    void EraseFrame() override;

    /// The icon size the editor shows.
    static constexpr int kIconSize = 32;

    /// The rectangle the frame outlines for a window: its own for a window inside a program's
    /// window, the whole decorated top-level (title bar and borders too) otherwise.
    std::optional<Rect> FrameRectFor(WindowId window);
    /// How the frame reaches the screen; nullopt while picking is unavailable.
    [[nodiscard]] std::optional<FrameStyle> Style() const;

private:
    /// Why picking cannot work here: the session is Wayland, or its X display cannot be opened.
    static std::string UnavailableReasonFor(const SessionProbe& session);
    XId FrameTargetOf(WindowId window);
    WindowIcon IconOf(XId client);

    std::unique_ptr<X11Windows> m_windows;
    std::unique_ptr<X11PickFrame> m_frame;
    ProcFs m_proc;
    std::unique_ptr<ProgramIconLookup> m_icons;
    std::string m_reason;
    WindowId m_framedWindow = 0; // the window outlined now; 0 when none
    XId m_framedTarget = 0;      // the window whose rectangle was outlined
    XId m_iconWindow = 0;        // the client the cached icon belongs to
    WindowIcon m_icon;
};

} // namespace morvane::platform::x11
