#include "platform/Enumerator.h"

#include "platform/linux/EnumeratorDisplay.h"

#include <algorithm>

// The enumerator's window operations on X11: the window tree, the properties and the states it
// reads. A "top-level window" is what the user sees as one window: the client window a window
// manager frames (the frame and its decorations stand for it), or a child of the root that
// nobody manages. Without a display every operation gives the neutral answer (0, false, the
// empty text). The X11 calls trap their errors: a window that vanished in between only makes
// the call fail. The requests to the window manager are in EnumeratorWindowManager.cpp, the
// operations X11 has nothing for in EnumeratorNeutral.cpp.

namespace morvane::platform {

namespace {

using enumerator::DisplayOf;
using enumerator::Managed;
using x11::X11Windows;
using x11::XId;

// GetRelWindow's relations.
constexpr std::int32_t kFirst = 0;
constexpr std::int32_t kLast = 1;
constexpr std::int32_t kNext = 2;
constexpr std::int32_t kPrevious = 3;
constexpr std::int32_t kOwner = 4;
constexpr std::int32_t kChild = 5;

} // namespace

void Enumerator::EnumWindowsInto(std::vector<WindowId>& winds) {
    X11Windows* x = DisplayOf(m_windowSystem);
    if (x == nullptr) {
        return;
    }
    // Children of the root, top of the stack first, then every descendant of each in turn.
    std::vector<XId> tops = x->Children(x->Root());
    std::reverse(tops.begin(), tops.end());
    winds.insert(winds.end(), tops.begin(), tops.end());
    for (const XId top : tops) {
        const std::vector<XId> below = x->Descendants(top);
        winds.insert(winds.end(), below.begin(), below.end());
    }
}

WindowId Enumerator::DesktopWind() {
    X11Windows* x = DisplayOf(m_windowSystem);
    return x != nullptr ? x->Root() : 0;
}

ProcessId Enumerator::WindProcess(WindowId hWnd) {
    X11Windows* x = DisplayOf(m_windowSystem);
    if (x == nullptr || hWnd == 0 || hWnd == x->Root()) {
        return 0;
    }
    // A frame or its decorations belong to the program inside, not to the window manager.
    const XId client = x->ClientOf(static_cast<XId>(hWnd));
    return x->ProcessId(client != 0 ? client : static_cast<XId>(hWnd));
}

WindowId Enumerator::ParentWind(WindowId hWnd) {
    X11Windows* x = DisplayOf(m_windowSystem);
    if (x == nullptr || hWnd == 0 || x->IsClient(static_cast<XId>(hWnd))) {
        return 0;
    }
    const XId parent = x->Parent(static_cast<XId>(hWnd));
    return parent == x->Root() ? 0 : parent;
}

bool Enumerator::IsValidWindow(WindowId hWnd) {
    X11Windows* x = DisplayOf(m_windowSystem);
    return x != nullptr && x->Exists(static_cast<XId>(hWnd));
}

std::string Enumerator::ClassName(WindowId hWnd) {
    X11Windows* x = DisplayOf(m_windowSystem);
    return x != nullptr ? x->WmClass(static_cast<XId>(hWnd)).second : std::string();
}

std::string Enumerator::GetWindText(WindowId hWnd) {
    X11Windows* x = DisplayOf(m_windowSystem);
    return x != nullptr ? x->Title(static_cast<XId>(hWnd)) : std::string();
}

bool Enumerator::IsVisible(WindowId hWnd) {
    X11Windows* x = DisplayOf(m_windowSystem);
    if (x == nullptr) {
        return false;
    }
    const XId window = static_cast<XId>(hWnd);
    const auto state = x->MapStateOf(window);
    if (!state || *state == x11::MapState::Viewable) {
        return state.has_value();
    }
    // A minimised window is unmapped by the window manager, yet it is still shown: as an icon.
    const XId client = x->ClientOf(window);
    return client != 0 && x->WmState(client) == 3 &&
           (client == window || *state == x11::MapState::Unviewable);
}

bool Enumerator::IsOnTop(WindowId hWnd) {
    X11Windows* x = DisplayOf(m_windowSystem);
    if (x == nullptr) {
        return false;
    }
    const XId managed = Managed(*x, hWnd);
    return managed != 0 && x->HasNetWmState(managed, "_NET_WM_STATE_ABOVE");
}

std::int32_t Enumerator::WindPos(WindowId hWnd) {
    X11Windows* x = DisplayOf(m_windowSystem);
    if (x == nullptr) {
        return 0;
    }
    const XId managed = Managed(*x, hWnd);
    if (managed == 0) {
        return 0;
    }
    // A window minimised from maximised keeps its maximised marks, yet it shows as an icon.
    if (x->WmState(managed) == 3 || x->HasNetWmState(managed, "_NET_WM_STATE_HIDDEN")) {
        return 2;
    }
    if (x->HasNetWmState(managed, "_NET_WM_STATE_MAXIMIZED_VERT") &&
        x->HasNetWmState(managed, "_NET_WM_STATE_MAXIMIZED_HORZ")) {
        return 1;
    }
    return 0;
}

WindowId Enumerator::GetRelWindow(WindowId hWnd, std::int32_t RelType) {
    X11Windows* x = DisplayOf(m_windowSystem);
    if (x == nullptr || !x->Exists(static_cast<XId>(hWnd))) {
        return 0;
    }
    const XId window = static_cast<XId>(hWnd);
    const XId managed = Managed(*x, hWnd);
    if (RelType == kOwner) {
        return x->TransientFor(managed != 0 ? managed : window);
    }
    if (RelType == kChild) {
        const std::vector<XId> children = x->Children(window);
        return children.empty() ? 0 : children.back(); // the top of the stack
    }
    if (RelType < kFirst || RelType > kPrevious) {
        return 0;
    }
    // Managed windows are stacked by the window manager; its stacking list is their order.
    XId self = window;
    std::vector<XId> stack;
    if (managed != 0 && x->IsClient(managed)) {
        stack = x->StackingClients();
        self = managed;
    }
    if (std::find(stack.begin(), stack.end(), self) == stack.end()) {
        stack = x->Children(x->Parent(window));
        self = window;
    }
    const auto at = std::find(stack.begin(), stack.end(), self);
    if (at == stack.end()) {
        return 0;
    }
    switch (RelType) {
    case kFirst:
        return stack.back();
    case kLast:
        return stack.front();
    case kNext: // the next one down
        return at == stack.begin() ? 0 : *(at - 1);
    default: // the previous one, further up
        return at + 1 == stack.end() ? 0 : *(at + 1);
    }
}

void Enumerator::SetWindText(WindowId hWnd, const std::string& Text) {
    if (X11Windows* x = DisplayOf(m_windowSystem); x != nullptr) {
        x->SetTitle(static_cast<XId>(hWnd), Text);
    }
}

void Enumerator::ForceRedraw(WindowId hWnd) {
    if (X11Windows* x = DisplayOf(m_windowSystem); x != nullptr) {
        x->Repaint(static_cast<XId>(hWnd));
    }
}

Handle Enumerator::GetBigIconH(WindowId hWnd) {
    // The icon lives in a property of the window; its handle is the window that carries it.
    X11Windows* x = DisplayOf(m_windowSystem);
    if (x == nullptr) {
        return 0;
    }
    const XId managed = Managed(*x, hWnd);
    const XId holder = managed != 0 ? managed : static_cast<XId>(hWnd);
    return x->HasProperty(holder, "_NET_WM_ICON") ? holder : 0;
}

Handle Enumerator::GetSmallIconH(WindowId hWnd) {
    return GetBigIconH(hWnd);
}

} // namespace morvane::platform
