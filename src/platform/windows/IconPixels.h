#pragma once

#include "platform/WindowPicker.h"

#include <windows.h>

namespace morvane::platform::windows {

/// The icon's pixels at its own size, 0xAARRGGBB and not premultiplied: its alpha channel where
/// it has one, else its mask. Empty for a monochrome icon or one that cannot be read.
[[nodiscard]] WindowIcon IconPixels(HICON icon);

} // namespace morvane::platform::windows
