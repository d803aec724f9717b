#include "platform/Enumerator.h"

#include "platform/linux/EnumeratorDisplay.h"

// The enumerator's requests to the window manager: showing and hiding, activating, the window's
// state, a polite close, moving and sizing, the stacking order. They go through EWMH and ICCCM,
// so they work the same under any compliant window manager; a request about a frame or its
// decorations is about the client inside. Without a display nothing is asked.

namespace morvane::platform {

namespace {

using enumerator::DisplayOf;
using enumerator::Managed;
using x11::StateAction;
using x11::X11Windows;
using x11::XId;

} // namespace

bool Enumerator::SetVisible(WindowId hWnd, bool Visible) {
    X11Windows* x = DisplayOf(m_windowSystem);
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
    X11Windows* x = DisplayOf(m_windowSystem);
    if (x == nullptr) {
        return false;
    }
    const XId managed = Managed(*x, hWnd);
    return managed != 0 &&
           x->ChangeNetWmState(managed, TopMost ? StateAction::Add : StateAction::Remove,
                               "_NET_WM_STATE_ABOVE");
}

void Enumerator::ForeGround(WindowId hWnd) {
    if (X11Windows* x = DisplayOf(m_windowSystem); x != nullptr) {
        x->Activate(Managed(*x, hWnd));
    }
}

void Enumerator::ActiveWind(WindowId hWnd) {
    ForeGround(hWnd);
}

void Enumerator::SetWindPos(WindowId hWnd, std::int16_t state) {
    X11Windows* x = DisplayOf(m_windowSystem);
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
    if (X11Windows* x = DisplayOf(m_windowSystem); x != nullptr) {
        x->AskToClose(Managed(*x, hWnd));
    }
}

bool Enumerator::Flash(WindowId hWnd, bool Flasher) {
    X11Windows* x = DisplayOf(m_windowSystem);
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
    X11Windows* x = DisplayOf(m_windowSystem);
    if (x == nullptr) {
        return;
    }
    // A control moves within its parent; a framed window is moved by its window manager.
    const XId managed = Managed(*x, hWnd);
    x->MoveResize(managed != 0 ? managed : static_cast<XId>(hWnd), left, top, Width, Height);
}

void Enumerator::BringToTop(WindowId hWnd) {
    if (X11Windows* x = DisplayOf(m_windowSystem); x != nullptr) {
        const XId managed = Managed(*x, hWnd);
        x->Raise(managed != 0 ? managed : static_cast<XId>(hWnd));
    }
}

void Enumerator::SendToBottom(WindowId hWnd) {
    if (X11Windows* x = DisplayOf(m_windowSystem); x != nullptr) {
        const XId managed = Managed(*x, hWnd);
        x->Lower(managed != 0 ? managed : static_cast<XId>(hWnd));
    }
}

} // namespace morvane::platform
