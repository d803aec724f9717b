#include "platform/linux/x11/X11WindowTree.h"

#include "platform/linux/x11/XPtr.h"

#include <X11/Xlib.h>

#include <deque>

namespace morvane::platform::x11 {

namespace {

// A window tree deeper than this is broken or hostile; walks stop there.
constexpr int kMaxDepth = 256;
// A breadth-first search for the client below a frame looks at no more windows than this.
constexpr std::size_t kMaxSearched = 4096;

} // namespace

bool X11WindowTree::Exists(XId window) {
    return m_x.OnWindow(window, false, [&] {
        XWindowAttributes attributes;
        return XGetWindowAttributes(m_x.Handle(), window, &attributes) != 0;
    });
}

XId X11WindowTree::Parent(XId window) {
    return m_x.OnChildWindow(window, XId{0}, [&]() -> XId {
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned int count = 0;
        const Status status = XQueryTree(m_x.Handle(), window, &root, &parent, &children, &count);
        const XPtr<Window> owned(children);
        return status == 0 ? 0 : parent;
    });
}

std::vector<XId> X11WindowTree::Children(XId window) {
    return m_x.OnWindow(window, std::vector<XId>{}, [&] {
        std::vector<XId> result;
        Window root = None;
        Window parent = None;
        Window* received = nullptr;
        unsigned int count = 0;
        const Status status = XQueryTree(m_x.Handle(), window, &root, &parent, &received, &count);
        const XPtr<Window> children(received);
        if (status != 0 && children != nullptr) {
            result.assign(children.get(), children.get() + count);
        }
        return result;
    });
}

XId X11WindowTree::TopLevelOf(XId window) {
    XId current = window;
    for (int depth = 0; depth < kMaxDepth && current != None && current != m_x.Root(); ++depth) {
        const XId parent = Parent(current);
        if (parent == m_x.Root()) {
            return current;
        }
        current = parent;
    }
    return 0;
}

bool X11WindowTree::IsClient(XId window) {
    return m_properties.HasProperty(window, "WM_STATE");
}

XId X11WindowTree::FirstClientBelow(XId window) {
    std::deque<XId> queue;
    for (const XId child : Children(window)) {
        queue.push_back(child);
    }
    for (std::size_t searched = 0; !queue.empty() && searched < kMaxSearched; ++searched) {
        const XId candidate = queue.front();
        queue.pop_front();
        if (IsClient(candidate)) {
            return candidate;
        }
        for (const XId child : Children(candidate)) {
            queue.push_back(child);
        }
    }
    return 0;
}

X11WindowTree::Ascent X11WindowTree::Climb(XId window) {
    Ascent ascent;
    XId current = window;
    for (int depth = 0; depth < kMaxDepth && current != None && current != m_x.Root(); ++depth) {
        if (IsClient(current)) {
            ascent.client = current;
            return ascent;
        }
        ascent.top = current;
        current = Parent(current);
    }
    ascent.onScreen = current == m_x.Root();
    return ascent;
}

XId X11WindowTree::ClientOf(XId window) {
    if (window == None || window == m_x.Root()) {
        return 0;
    }
    // Up first: the window is the client or lies inside it.
    const Ascent ascent = Climb(window);
    if (ascent.client != 0 || !ascent.onScreen) {
        return ascent.client; // 0: gone, or not on our screen
    }
    // Then down from the top-level frame: the window is part of the decorations around a client.
    return FirstClientBelow(ascent.top);
}

XId X11WindowTree::ManagedWindowOf(XId window) {
    if (window == None || window == m_x.Root()) {
        return 0;
    }
    const Ascent ascent = Climb(window);
    if (ascent.client != 0) {
        return ascent.client == window ? window : 0; // the client, or a control inside it
    }
    if (!ascent.onScreen) {
        return 0;
    }
    if (const XId client = FirstClientBelow(ascent.top); client != 0) {
        return client; // a frame or a piece of its decorations
    }
    return ascent.top == window ? window : 0;
}

std::optional<Rect> X11WindowTree::OuterRect(XId window) {
    return m_x.OnWindow(window, std::optional<Rect>{}, [&]() -> std::optional<Rect> {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(m_x.Handle(), window, &attributes) == 0) {
            return std::nullopt;
        }
        int x = 0;
        int y = 0;
        Window child = None;
        if (XTranslateCoordinates(m_x.Handle(), window, m_x.Root(), 0, 0, &x, &y, &child) == 0) {
            return std::nullopt;
        }
        const int border = attributes.border_width;
        return Rect{x - border, y - border, attributes.width + 2 * border,
                    attributes.height + 2 * border};
    });
}

std::optional<MapState> X11WindowTree::MapStateOf(XId window) {
    return m_x.OnWindow(window, std::optional<MapState>{}, [&]() -> std::optional<MapState> {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(m_x.Handle(), window, &attributes) == 0) {
            return std::nullopt;
        }
        switch (attributes.map_state) {
        case IsViewable:
            return MapState::Viewable;
        case IsUnviewable:
            return MapState::Unviewable;
        default:
            return MapState::Unmapped;
        }
    });
}

std::vector<XId> X11WindowTree::Descendants(XId window) {
    std::vector<XId> result;
    // Each stack entry holds children still to visit, top of the stack last so it pops first.
    std::vector<std::vector<XId>> pending;
    pending.push_back(Children(window));
    while (!pending.empty() && result.size() < kMaxSearched * 16) {
        auto& level = pending.back();
        if (level.empty()) {
            pending.pop_back();
            continue;
        }
        const XId next = level.back();
        level.pop_back();
        result.push_back(next);
        if (pending.size() < kMaxDepth) {
            pending.push_back(Children(next));
        }
    }
    return result;
}

std::optional<std::pair<int, int>> X11WindowTree::PointerPosition() {
    using Position = std::optional<std::pair<int, int>>;
    return m_x.Trapped(Position{}, [&]() -> Position {
        Window root = None;
        Window child = None;
        int rootX = 0;
        int rootY = 0;
        int x = 0;
        int y = 0;
        unsigned int mask = 0;
        // False only means the pointer is on another screen of the display; the root
        // coordinates are still those of the screen it is on.
        XQueryPointer(m_x.Handle(), m_x.Root(), &root, &child, &rootX, &rootY, &x, &y, &mask);
        return std::pair{rootX, rootY};
    });
}

XId X11WindowTree::DeepestUnderPointer() {
    // Trapped without a verdict: a window that vanishes under the walk ends it one level up.
    X11ErrorTrap trap(m_x.Handle());
    Window current = m_x.Root();
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        Window root = None;
        Window child = None;
        int rootX = 0;
        int rootY = 0;
        int x = 0;
        int y = 0;
        unsigned int mask = 0;
        if (XQueryPointer(m_x.Handle(), current, &root, &child, &rootX, &rootY, &x, &y, &mask) ==
            0) {
            // On the root this means another screen; deeper down, the window just vanished.
            return depth == 0 ? 0 : current;
        }
        if (child == None) {
            return current;
        }
        current = child;
    }
    return current;
}

} // namespace morvane::platform::x11
