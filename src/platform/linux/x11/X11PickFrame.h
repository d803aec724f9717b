#pragma once

#include "platform/linux/SessionProbe.h"
#include "platform/linux/x11/OwnedWindow.h"
#include "platform/linux/x11/X11Windows.h"

#include <optional>
#include <vector>

namespace morvane::platform::x11 {

/// How the frame around the window under the pointer reaches the screen.
enum class FrameStyle {
    /// Inverts a band of pixels on the root window, through every window on it; a second
    /// identical inversion restores them exactly. Invisible under a compositing manager.
    Invert,
    /// Four thin override-redirect windows that let the pointer through; they show on
    /// composited desktops too, and the windows below repaint when they go.
    Overlay,
};

/// The frame the window picker draws around a rectangle of the screen.
class X11PickFrame final {
public:
    /// Pixels of the band inside the rectangle's edge.
    static constexpr int kWidth = 6;

    X11PickFrame(X11Windows& windows, FrameStyle style);
    /// Takes a frame that is still drawn off the screen.
    ~X11PickFrame();
    X11PickFrame(const X11PickFrame&) = delete;
    X11PickFrame& operator=(const X11PickFrame&) = delete;

    /// Inversion where nothing composites the screen, the overlay where something does.
    static FrameStyle PreferredStyle(X11Windows& windows, const SessionProbe& session);
    /// The band a frame covers: four strips along the inside of the edge that never overlap,
    /// or the whole rectangle when it is too small to have an inside.
    static std::vector<Rect> Band(const Rect& rect);

    [[nodiscard]] FrameStyle Style() const { return m_style; }
    /// The rectangle framed now; nullopt when no frame is drawn.
    [[nodiscard]] std::optional<Rect> Drawn() const { return m_drawn; }
    /// Frames the rectangle, taking any other frame away first.
    void Draw(const Rect& rect);
    /// Takes the frame away by drawing it once more: exact while the pixels below stayed.
    void Erase();
    /// Takes the frame away by having everything under it repaint itself, and also whatever is
    /// now at `carriedTo`: for a frame whose window moved (taking the inverted pixels along),
    /// changed size or vanished since it was drawn.
    void EraseByRepaint(const std::optional<Rect>& carriedTo = std::nullopt);

private:
    void Invert(const Rect& rect);
    void ShowOverlay(const Rect& rect);
    void HideOverlay();
    void RepaintArea(const Rect& rect);

    X11Windows& m_windows;
    FrameStyle m_style;
    std::optional<Rect> m_drawn;
    OwnedWindow m_overlay[4];
};

} // namespace morvane::platform::x11
