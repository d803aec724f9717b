#pragma once

#include <memory>

namespace morvane::platform::wayland {

/// Calls a Wayland object's destructor request when its owner goes.
template <auto Destroy> struct WaylandDestroy {
    template <typename T> void operator()(T* object) const { Destroy(object); }
};

/// Owns one Wayland object from the line that creates it. `Destroy` is its protocol's
/// destructor request (`release` where the protocol names it so); the scanner's headers define
/// these per file, so owners of protocol objects live in .cpp files only.
template <typename T, auto Destroy> using WaylandPtr = std::unique_ptr<T, WaylandDestroy<Destroy>>;

} // namespace morvane::platform::wayland
