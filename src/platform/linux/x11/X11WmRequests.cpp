#include "platform/linux/x11/X11WmRequests.h"

#include "platform/linux/x11/XPtr.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>

namespace morvane::platform::x11 {

bool X11WmRequests::WmSupports(const std::string& atom) {
    const auto supported = m_properties.Cardinals(m_x.Root(), "_NET_SUPPORTED", 4096);
    return std::find(supported.begin(), supported.end(), m_x.Atom(atom)) != supported.end();
}

bool X11WmRequests::HasNetWmState(XId client, const std::string& state) {
    const auto states = m_properties.Cardinals(client, "_NET_WM_STATE", 256);
    return std::find(states.begin(), states.end(), m_x.Atom(state)) != states.end();
}

bool X11WmRequests::SendToRoot(XId window, const std::string& messageType, long d0, long d1,
                               long d2, long d3, long d4) {
    return m_x.OnWindow(window, false, [&] {
        XEvent event;
        std::memset(&event, 0, sizeof event);
        event.xclient.type = ClientMessage;
        event.xclient.send_event = True;
        event.xclient.display = m_x.Handle();
        event.xclient.window = window;
        event.xclient.message_type = m_x.Atom(messageType);
        event.xclient.format = 32;
        event.xclient.data.l[0] = d0;
        event.xclient.data.l[1] = d1;
        event.xclient.data.l[2] = d2;
        event.xclient.data.l[3] = d3;
        event.xclient.data.l[4] = d4;
        return XSendEvent(m_x.Handle(), m_x.Root(), False,
                          SubstructureRedirectMask | SubstructureNotifyMask, &event) != 0;
    });
}

bool X11WmRequests::ChangeNetWmState(XId client, StateAction action, const std::string& state,
                                     const std::string& second) {
    if (!m_tree.Exists(client)) {
        return false;
    }
    // Source 2: the request comes from a pager-like tool, which window managers obey.
    return SendToRoot(client, "_NET_WM_STATE", static_cast<long>(action),
                      static_cast<long>(m_x.Atom(state)),
                      second.empty() ? 0L : static_cast<long>(m_x.Atom(second)), 2);
}

XId X11WmRequests::ActiveWindow() {
    const auto active = m_properties.Cardinals(m_x.Root(), "_NET_ACTIVE_WINDOW", 1);
    return active.empty() ? 0 : active.front();
}

bool X11WmRequests::Activate(XId client) {
    if (!m_tree.Exists(client)) {
        return false;
    }
    if (WmSupports("_NET_ACTIVE_WINDOW")) {
        return SendToRoot(client, "_NET_ACTIVE_WINDOW", 2, CurrentTime, 0);
    }
    return m_x.Trapped(false, [&] {
        XMapRaised(m_x.Handle(), client);
        XSetInputFocus(m_x.Handle(), client, RevertToParent, CurrentTime);
        return true;
    });
}

bool X11WmRequests::Iconify(XId client) {
    return m_x.OnWindow(client, false, [&] {
        return XIconifyWindow(m_x.Handle(), client, m_x.ScreenNumber()) != 0;
    });
}

bool X11WmRequests::Map(XId window) {
    return m_x.OnWindow(window, false, [&] {
        XMapWindow(m_x.Handle(), window);
        return true;
    });
}

bool X11WmRequests::Unmap(XId window) {
    return m_x.OnChildWindow(window, false, [&] {
        if (m_tree.IsClient(window)) {
            XWithdrawWindow(m_x.Handle(), window, m_x.ScreenNumber());
        } else {
            XUnmapWindow(m_x.Handle(), window);
        }
        return true;
    });
}

bool X11WmRequests::AskToClose(XId client) {
    return m_x.OnWindow(client, false, [&] {
        ::Atom* received = nullptr;
        int count = 0;
        const ::Atom deleteWindow = m_x.Atom("WM_DELETE_WINDOW");
        const Status status = XGetWMProtocols(m_x.Handle(), client, &received, &count);
        const XPtr<::Atom> protocols(received);
        const bool takesPart = status != 0 && protocols != nullptr &&
                               std::find(protocols.get(), protocols.get() + count, deleteWindow) !=
                                   protocols.get() + count;
        if (!takesPart) {
            return false;
        }
        XEvent event;
        std::memset(&event, 0, sizeof event);
        event.xclient.type = ClientMessage;
        event.xclient.send_event = True;
        event.xclient.display = m_x.Handle();
        event.xclient.window = client;
        event.xclient.message_type = m_x.Atom("WM_PROTOCOLS");
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(deleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        return XSendEvent(m_x.Handle(), client, False, NoEventMask, &event) != 0;
    });
}

bool X11WmRequests::Raise(XId window) {
    return m_x.OnChildWindow(window, false, [&] {
        XRaiseWindow(m_x.Handle(), window);
        return true;
    });
}

bool X11WmRequests::Lower(XId window) {
    return m_x.OnChildWindow(window, false, [&] {
        XLowerWindow(m_x.Handle(), window);
        return true;
    });
}

bool X11WmRequests::MoveResize(XId window, int x, int y, int width, int height) {
    return m_x.OnChildWindow(window, false, [&] {
        XMoveResizeWindow(m_x.Handle(), window, x, y, static_cast<unsigned>(std::max(width, 1)),
                          static_cast<unsigned>(std::max(height, 1)));
        return true;
    });
}

bool X11WmRequests::Repaint(XId window) {
    return m_x.OnWindow(window, false, [&] {
        XClearArea(m_x.Handle(), window, 0, 0, 0, 0, True);
        return true;
    });
}

std::vector<XId> X11WmRequests::StackingClients() {
    return m_properties.Cardinals(m_x.Root(), "_NET_CLIENT_LIST_STACKING", 65536);
}

} // namespace morvane::platform::x11
