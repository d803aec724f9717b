#pragma once

#include <X11/Xlib.h>

#include <memory>

namespace morvane::platform::x11 {

/// Gives memory that Xlib allocated for an answer back with XFree.
struct XFreeDeleter {
    void operator()(void* memory) const { XFree(memory); }
};

/// Memory Xlib allocated for an answer (property data, a window list, a class name), freed with
/// XFree when it goes.
template <typename T> using XPtr = std::unique_ptr<T, XFreeDeleter>;

} // namespace morvane::platform::x11
