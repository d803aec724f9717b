#pragma once

#include "platform/linux/x11/X11Connection.h"
#include "platform/linux/x11/X11Properties.h"
#include "platform/linux/x11/X11WindowTree.h"

#include <string>
#include <vector>

namespace morvane::platform::x11 {

/// What a _NET_WM_STATE request does with the states it names.
enum class StateAction { Remove = 0, Add = 1, Toggle = 2 };

/// Requests about windows, mostly to the window manager (EWMH and ICCCM): activating, iconifying,
/// moving, restacking, changing states, asking a client to close. A request about a window that
/// is gone fails (false). Not thread-safe.
class X11WmRequests final {
public:
    X11WmRequests(X11Connection& connection, X11WindowTree& tree, X11Properties& properties)
        : m_x(connection), m_tree(tree), m_properties(properties) {}

    /// True when the running window manager announces the atom in _NET_SUPPORTED.
    bool WmSupports(const std::string& atom);
    /// True when _NET_WM_STATE of the client holds the state atom.
    bool HasNetWmState(XId client, const std::string& state);
    /// Asks the window manager to change one or two _NET_WM_STATE states of a client.
    bool ChangeNetWmState(XId client, StateAction action, const std::string& state,
                          const std::string& second = {});
    /// The window _NET_ACTIVE_WINDOW names on the root; 0 when none.
    XId ActiveWindow();
    /// Asks the window manager to activate the client (raising and de-iconifying it).
    bool Activate(XId client);
    /// Asks the window manager to iconify the client.
    bool Iconify(XId client);
    /// Maps the window (a client leaves the iconic state this way).
    bool Map(XId window);
    /// Unmaps the window; a client is withdrawn as ICCCM asks.
    bool Unmap(XId window);
    /// Asks the client to close through WM_DELETE_WINDOW; false when it does not take part in
    /// that protocol (it is then left alone: this is never a forced close).
    bool AskToClose(XId client);
    bool Raise(XId window);
    bool Lower(XId window);
    /// Moves and resizes the window (sizes below 1 become 1).
    bool MoveResize(XId window, int x, int y, int width, int height);
    /// Clears the window and makes it repaint itself.
    bool Repaint(XId window);
    /// _NET_CLIENT_LIST_STACKING, bottom of the stack first.
    std::vector<XId> StackingClients();

private:
    bool SendToRoot(XId window, const std::string& messageType, long d0, long d1 = 0, long d2 = 0,
                    long d3 = 0, long d4 = 0);

    X11Connection& m_x;
    X11WindowTree& m_tree;
    X11Properties& m_properties;
};

} // namespace morvane::platform::x11
