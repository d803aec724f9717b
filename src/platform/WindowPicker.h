#pragma once

#include "platform/Processes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace morvane::platform {

using WindowId = std::uint64_t;

/// A window's icon as plain pixels.
struct WindowIcon {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb; ///< Row by row, 0xAARRGGBB, not premultiplied.
    [[nodiscard]] bool IsEmpty() const { return argb.empty(); }
    bool operator==(const WindowIcon&) const = default;
};

/// What the picker reads about the window under the pointer.
struct PickedWindow {
    WindowId topLevel = 0;      ///< The program's top-level window that holds the picked one.
    WindowId deepest = 0;       ///< The window directly under the pointer (may be a child control).
    ProcessId pid = 0;          ///< The owning process; 0 when it cannot be known.
    std::string programName;    ///< Executable file name, without folder; empty when unknown.
    std::string executablePath; ///< Full path of the executable; empty when unreadable.
    std::string title;          ///< The top-level window's title.
    std::string className;      ///< The top-level window's class.
    WindowIcon icon;            ///< The icon on the window; empty when it has none.
    /// A theme icon name or an icon file path for the program, from its desktop entry, else the
    /// program name; empty when the program is unknown.
    std::string iconName;
};

/// Reads the window under the mouse pointer and outlines it while the user drags the target
/// picture over the screen.
class WindowPicker {
public:
    WindowPicker() = default;
    virtual ~WindowPicker() = default;
    WindowPicker(const WindowPicker&) = delete;
    WindowPicker& operator=(const WindowPicker&) = delete;

    /// Whether windows can be picked on this desktop at all.
    [[nodiscard]] virtual bool IsAvailable() const = 0;
    /// Why picking does not work here, for the picker's tooltip; empty when it works.
    [[nodiscard]] virtual std::string UnavailableReason() const = 0;
    /// The window under the pointer; nullopt over the bare desktop or when picking is unavailable.
    virtual std::optional<PickedWindow> WindowUnderPointer() = 0;
    /// Outlines the window (from `PickedWindow::deepest`); moves the outline from the previous
    /// window; does nothing while the window is already outlined.
    virtual void DrawFrame(WindowId window) = 0;
    /// Takes the outline off the screen; nothing of it remains afterwards.
    virtual void EraseFrame() = 0;
};

} // namespace morvane::platform
