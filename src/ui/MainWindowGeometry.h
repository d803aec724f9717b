#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

namespace morvane {

/// Where the main window's controls sit, at 96 dpi in device-independent pixels, and the rule
/// that moves some of them when the client area changes size.
class MainWindowGeometry {
public:
    /// The client area the window opens with.
    static constexpr QSize kClient{912, 504};
    /// The row of command buttons.
    static constexpr int kButtonTop = 8;
    static constexpr int kButtonHeight = 61;
    static constexpr QRect kTaskCaption{16, 76, 105, 16};
    static constexpr QRect kList{12, 94, 889, 382};
    /// The list's column widths, icon column first; the last column takes what is left.
    static constexpr std::array<int, 7> kColumnWidths = {38, 96, 170, 52, 136, 84, 180};
    static constexpr QRect kWeb{14, 484, 220, 16};
    /// The how-to picture's top left corner; the picture has a size of its own.
    static constexpr QPoint kDoor{6, 74};

    /// The gaps the resize rule keeps: the list is this much narrower than the client area, the
    /// web link sits this far above the client's bottom, and the list stops this far above it.
    static constexpr int kListWidthGap = 19;
    static constexpr int kWebBottomGap = 20;
    static constexpr int kListToWebGap = 13;

    /// What the resize rule moves.
    struct Movable {
        QRect list;
        QPoint exit;
        QPoint web;
    };

    /// The rule for a client area of `client`: the list takes the width, Exit keeps its right
    /// edge on the list's, the web link keeps to the bottom and the list fills the height above
    /// it. Each step stands alone; one whose result would be negative leaves its control as it was.
    [[nodiscard]] static Movable Resized(QSize client, const Movable& now, int exitWidth);
};

} // namespace morvane
