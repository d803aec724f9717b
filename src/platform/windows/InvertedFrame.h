#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace morvane::platform::windows {

/// The frame the window picker draws around a rectangle of the screen: a band of inverted pixels
/// on the screen's drawing context, over every window there. Inverting the same band again
/// restores the pixels exactly.
class InvertedFrame final {
public:
    /// Pixels of the band inside the rectangle's edge.
    static constexpr int kWidth = 6;

    InvertedFrame() = default;
    /// Takes a frame that is still drawn off the screen.
    ~InvertedFrame();
    InvertedFrame(const InvertedFrame&) = delete;
    InvertedFrame& operator=(const InvertedFrame&) = delete;

    /// The band a frame covers: four strips along the inside of the edge that never overlap, or
    /// the whole rectangle when it is too small to have an inside.
    static std::vector<RECT> Band(const RECT& rect);

    /// The rectangle framed now, in screen pixels; nullopt when no frame is drawn.
    [[nodiscard]] std::optional<RECT> Drawn() const { return m_drawn; }
    /// Frames the rectangle, taking any other frame away first.
    void Draw(const RECT& rect);
    /// Takes the frame away by inverting it once more: exact while the pixels below stayed.
    void Erase();
    /// Takes the frame away by having every window under it repaint, and also whatever is now at
    /// `carriedTo`: for a frame whose window moved (taking the inverted pixels along), changed
    /// size or vanished since it was drawn.
    void EraseByRepaint(const std::optional<RECT>& carriedTo = std::nullopt);

private:
    static void Invert(const RECT& rect);
    static void Repaint(const RECT& rect);

    std::optional<RECT> m_drawn;
};

} // namespace morvane::platform::windows
