#include "platform/Enumerator.h"

#include "platform/linux/x11/X11Windows.h"

#include <algorithm>

// The enumerator's window operations on X11. A "top-level window" is what the user sees as one
// window: the client window a window manager frames (the frame and its decorations stand for
// it), or a child of the root that nobody manages. Window-manager requests go through EWMH, so
// they work the same under any compliant window manager. Without a display every operation
// gives the neutral answer (0, false, the empty text). The X11 calls trap their errors: a
// window that vanished in between only makes the call fail.

namespace morvane::platform {

namespace {

using x11::StateAction;
using x11::X11Windows;
using x11::XId;

// GetRelWindow's relations.
constexpr std::int32_t kFirst = 0;
constexpr std::int32_t kLast = 1;
constexpr std::int32_t kNext = 2;
constexpr std::int32_t kPrevious = 3;
constexpr std::int32_t kOwner = 4;
constexpr std::int32_t kChild = 5;

// The frame of a window has no parent of ours to follow, however deep the window sits.
constexpr int kMaxDepth = 256;

X11Windows* Display() {
    return X11Windows::Shared();
}

// The managed window the request is about; 0 when it is a control inside a program's window.
XId Managed(X11Windows& x, WindowId hWnd) {
    return x.ManagedWindowOf(static_cast<XId>(hWnd));
}

std::int32_t CountCharacters(const std::string& utf8) {
    return static_cast<std::int32_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

void Enumerator::EnumWindowsInto(std::vector<WindowId>& winds) {
    X11Windows* x = Display();
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
    X11Windows* x = Display();
    return x != nullptr ? x->Root() : 0;
}

ProcessId Enumerator::WindProcess(WindowId hWnd) {
    X11Windows* x = Display();
    if (x == nullptr || hWnd == 0 || hWnd == x->Root()) {
        return 0;
    }
    // A frame or its decorations belong to the program inside, not to the window manager.
    const XId client = x->ClientOf(static_cast<XId>(hWnd));
    return x->ProcessId(client != 0 ? client : static_cast<XId>(hWnd));
}

ThreadId Enumerator::WindThread(WindowId /*hWnd*/) {
    return 0; // X11 windows belong to a connection, not to a thread
}

WindowId Enumerator::ParentWind(WindowId hWnd) {
    X11Windows* x = Display();
    if (x == nullptr || hWnd == 0 || x->IsClient(static_cast<XId>(hWnd))) {
        return 0;
    }
    const XId parent = x->Parent(static_cast<XId>(hWnd));
    return parent == x->Root() ? 0 : parent;
}

bool Enumerator::IsValidWindow(WindowId hWnd) {
    X11Windows* x = Display();
    return x != nullptr && x->Exists(static_cast<XId>(hWnd));
}

std::string Enumerator::ClassName(WindowId hWnd) {
    X11Windows* x = Display();
    return x != nullptr ? x->WmClass(static_cast<XId>(hWnd)).second : std::string();
}

std::string Enumerator::GetWindText(WindowId hWnd) {
    X11Windows* x = Display();
    return x != nullptr ? x->Title(static_cast<XId>(hWnd)) : std::string();
}

std::int32_t Enumerator::GetWindTextLength(WindowId hWnd) {
    return CountCharacters(GetWindText(hWnd));
}

WindowId Enumerator::Progenitor(WindowId hWnd) {
    WindowId current = hWnd;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        const WindowId parent = ParentWind(current);
        if (parent == 0) {
            return current;
        }
        current = parent;
    }
    return current;
}

bool Enumerator::IsEnabled(WindowId /*hWnd*/) {
    return false;
}

bool Enumerator::IsVisible(WindowId hWnd) {
    X11Windows* x = Display();
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

Handle Enumerator::MenuHandle(WindowId /*hWnd*/) {
    return 0;
}

Handle Enumerator::SubMenu(Handle /*hMenu*/, std::int32_t /*position*/) {
    return 0;
}

bool Enumerator::IsOnTop(WindowId hWnd) {
    X11Windows* x = Display();
    if (x == nullptr) {
        return false;
    }
    const XId managed = Managed(*x, hWnd);
    return managed != 0 && x->HasNetWmState(managed, "_NET_WM_STATE_ABOVE");
}

std::int64_t Enumerator::StyleVal(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::ExtStyleVal(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetHandleInstance(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetUserData(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetWndProc(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetControlID(WindowId /*hWnd*/) {
    return 0;
}

bool Enumerator::SetParent(WindowId /*hWnd*/, WindowId /*NewParent*/) {
    return false;
}

bool Enumerator::SetVisible(WindowId hWnd, bool Visible) {
    X11Windows* x = Display();
    if (x == nullptr || !x->Exists(static_cast<XId>(hWnd))) {
        return false;
    }
    const bool before = IsVisible(hWnd);
    // A frame stands for its client: hiding the frame behind the manager's back would strand it.
    const XId managed = Managed(*x, hWnd);
    const XId target = managed != 0 ? managed : static_cast<XId>(hWnd);
    if (Visible) {
        x->Map(target);
    } else {
        x->Unmap(target);
    }
    return before;
}

bool Enumerator::SetOntop(WindowId hWnd, bool TopMost) {
    X11Windows* x = Display();
    if (x == nullptr) {
        return false;
    }
    const XId managed = Managed(*x, hWnd);
    return managed != 0 &&
           x->ChangeNetWmState(managed, TopMost ? StateAction::Add : StateAction::Remove,
                               "_NET_WM_STATE_ABOVE");
}

bool Enumerator::SetEnabled(WindowId /*hWnd*/, bool /*Enabled*/) {
    return false;
}

void Enumerator::ForeGround(WindowId hWnd) {
    if (X11Windows* x = Display(); x != nullptr) {
        x->Activate(Managed(*x, hWnd));
    }
}

void Enumerator::ActiveWind(WindowId hWnd) {
    ForeGround(hWnd);
}

void Enumerator::FocusWind(WindowId /*hWnd*/) {}

void Enumerator::SetWindPos(WindowId hWnd, std::int16_t state) {
    X11Windows* x = Display();
    if (x == nullptr || state < 0 || state > 2) {
        return;
    }
    const XId managed = Managed(*x, hWnd);
    if (managed == 0) {
        return;
    }
    if (state == 2) {
        x->Iconify(managed);
        return;
    }
    if (x->WmState(managed) == 3) {
        x->Map(managed); // ICCCM: mapping an iconic window brings it back
    }
    x->ChangeNetWmState(managed, state == 1 ? StateAction::Add : StateAction::Remove,
                        "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ");
    x->Activate(managed);
}

void Enumerator::TerminateWind(WindowId hWnd) {
    if (X11Windows* x = Display(); x != nullptr) {
        x->AskToClose(Managed(*x, hWnd));
    }
}

std::int32_t Enumerator::WindPos(WindowId hWnd) {
    X11Windows* x = Display();
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

bool Enumerator::Flash(WindowId hWnd, bool Flasher) {
    X11Windows* x = Display();
    if (x == nullptr) {
        return false;
    }
    const XId managed = Managed(*x, hWnd);
    if (managed == 0) {
        return false;
    }
    const bool wasActive = x->ActiveWindow() == managed;
    x->ChangeNetWmState(managed, Flasher ? StateAction::Add : StateAction::Remove,
                        "_NET_WM_STATE_DEMANDS_ATTENTION");
    return wasActive;
}

void Enumerator::SetWinSizePos(WindowId hWnd, std::int32_t left, std::int32_t top,
                               std::int32_t Width, std::int32_t Height) {
    X11Windows* x = Display();
    if (x == nullptr) {
        return;
    }
    // A control moves within its parent; a framed window is moved by its window manager.
    const XId managed = Managed(*x, hWnd);
    x->MoveResize(managed != 0 ? managed : static_cast<XId>(hWnd), left, top, Width, Height);
}

WindowId Enumerator::GetRelWindow(WindowId hWnd, std::int32_t RelType) {
    X11Windows* x = Display();
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

void Enumerator::BringToTop(WindowId hWnd) {
    if (X11Windows* x = Display(); x != nullptr) {
        const XId managed = Managed(*x, hWnd);
        x->Raise(managed != 0 ? managed : static_cast<XId>(hWnd));
    }
}

void Enumerator::SendToBottom(WindowId hWnd) {
    if (X11Windows* x = Display(); x != nullptr) {
        const XId managed = Managed(*x, hWnd);
        x->Lower(managed != 0 ? managed : static_cast<XId>(hWnd));
    }
}

Handle Enumerator::GetDC(WindowId /*hWnd*/) {
    return 0;
}

void Enumerator::RelDC(WindowId /*hWnd*/, Handle /*hDC*/) {}

void Enumerator::SetWindText(WindowId hWnd, const std::string& Text) {
    if (X11Windows* x = Display(); x != nullptr) {
        x->SetTitle(static_cast<XId>(hWnd), Text);
    }
}

void Enumerator::ForceRedraw(WindowId hWnd) {
    if (X11Windows* x = Display(); x != nullptr) {
        x->Repaint(static_cast<XId>(hWnd));
    }
}

Handle Enumerator::GetBigIconH(WindowId hWnd) {
    // The icon lives in a property of the window; its handle is the window that carries it.
    X11Windows* x = Display();
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

std::int64_t Enumerator::GetClassExtraBytes(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassExtraWndBytes(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClasshBackgroundBrush(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassHCursor(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassHIcon(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClasshSmallIcon(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassHModule(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassMenuName(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassStyle(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassWndProc(WindowId /*hWnd*/) {
    return 0;
}

} // namespace morvane::platform
