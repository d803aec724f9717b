#pragma once

#include "platform/linux/x11/X11Connection.h"
#include "platform/linux/x11/X11Properties.h"

#include <optional>
#include <utility>
#include <vector>

namespace morvane::platform::x11 {

/// A rectangle in root-window pixels.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

/// Where a window stands in its life as the window manager sees it.
enum class MapState { Unmapped, Unviewable, Viewable };

/// The window tree of one screen: parents, children, the top-level frames and clients the window
/// manager keeps, where windows lie and which one is under the pointer. A window that is gone
/// has no parent, children or place (0, empty, nullopt). Not thread-safe.
class X11WindowTree final {
public:
    X11WindowTree(X11Connection& connection, X11Properties& properties)
        : m_x(connection), m_properties(properties) {}

    /// True while the window exists.
    bool Exists(XId window);
    /// The window's parent in the X tree; 0 for the root and for a window that is gone.
    XId Parent(XId window);
    /// The window's children, bottom of the stack first.
    std::vector<XId> Children(XId window);
    /// The child of the root that holds the window (the window manager's frame for a managed
    /// window); the window itself when it is a child of the root; 0 for the root and for 0.
    XId TopLevelOf(XId window);
    /// True when the window carries WM_STATE, the mark of a window-manager client.
    bool IsClient(XId window);
    /// The client window that the window belongs to: the window or the nearest ancestor with
    /// WM_STATE, else the first window with WM_STATE below its top-level frame; 0 when none.
    XId ClientOf(XId window);
    /// The window that window-manager requests about this window go to: the client for the
    /// client itself, its frame and its decorations; the window itself for a top-level window
    /// nobody manages; 0 for a window inside a program's window, the root and a window that is
    /// gone.
    XId ManagedWindowOf(XId window);
    /// The window's outer rectangle (border included) in root coordinates.
    std::optional<Rect> OuterRect(XId window);
    /// Mapped, mapped under an unmapped ancestor, or unmapped; nullopt when it is gone.
    std::optional<MapState> MapStateOf(XId window);
    /// Every descendant of the window, depth first, each child before its own children, the
    /// top of each stack first.
    std::vector<XId> Descendants(XId window);

    /// The pointer's coordinates on the root of the screen it is on, another screen of the
    /// display included; nullopt when the server did not answer.
    std::optional<std::pair<int, int>> PointerPosition();
    /// The deepest window under the pointer; the root over a bare desktop; 0 when the pointer is
    /// on another screen.
    XId DeepestUnderPointer();

private:
    /// The walk up from a window towards the root: the first client met on the way, else the
    /// top-level window under the root; `onScreen` is false when the root was never reached (the
    /// window went, or lies on another screen).
    struct Ascent {
        XId client = 0;
        XId top = 0;
        bool onScreen = false;
    };
    Ascent Climb(XId window);
    XId FirstClientBelow(XId window);

    X11Connection& m_x;
    X11Properties& m_properties;
};

} // namespace morvane::platform::x11
