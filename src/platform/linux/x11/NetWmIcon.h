#pragma once

#include "platform/WindowPicker.h"

#include <vector>

namespace morvane::platform::x11 {

/// Reads the _NET_WM_ICON property: a run of images, each its width, its height and then
/// width x height ARGB pixels, one per 32-bit item.
class NetWmIcon final {
public:
    /// Sides beyond this are taken as a broken property rather than allocated.
    static constexpr unsigned long kMaxSide = 1024;

    /// The image of the property best shown at `preferredSize`: the smallest one at least that
    /// large, else the largest. The run is read up to its first malformed image; empty when it
    /// holds none.
    static WindowIcon Choose(const std::vector<unsigned long>& items, int preferredSize);
};

} // namespace morvane::platform::x11
