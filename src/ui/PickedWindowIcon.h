#pragma once

#include "platform/WindowPicker.h"

#include <QIcon>
#include <QImage>

namespace morvane {

class ProgramIcons;

/// The picture the editor shows for a window picked on the screen.
class PickedWindowIcon {
public:
    /// The side of the pictures the editor shows, in pixels.
    static constexpr int kSide = 32;

    /// The window's own icon; else the icon its program is known by (desktop entry or theme
    /// name); else what the program's path gives; else the generic program picture.
    [[nodiscard]] static QIcon For(const platform::PickedWindow& picked, ProgramIcons& icons);
    /// The icon's pixels as an image; a null image when the pixels do not fill its size.
    [[nodiscard]] static QImage ImageOf(const platform::WindowIcon& icon);
};

} // namespace morvane
