#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

struct _XDisplay;

namespace morvane::platform::x11 {

/// An X resource id (window, atom) as Xlib spells it.
using XId = unsigned long;

/// A rectangle in root-window pixels.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

/// What a _NET_WM_STATE request does with the states it names.
enum class StateAction { Remove = 0, Add = 1, Toggle = 2 };

/// Where a window stands in its life as the window manager sees it.
enum class MapState { Unmapped, Unviewable, Viewable };

/// The thin layer over libX11 that the picker and the window operations share: window tree,
/// properties, window-manager requests. Every call traps X errors, so a window that vanished
/// between two calls only makes that call fail (0, false, empty text). Not thread-safe.
class X11Windows final {
public:
    /// Opens the display named `displayName` (DISPLAY when empty); nullptr when it cannot.
    static std::unique_ptr<X11Windows> Open(const std::string& displayName = {});
    ~X11Windows();
    X11Windows(const X11Windows&) = delete;
    X11Windows& operator=(const X11Windows&) = delete;

    /// The Xlib connection, for the drawing code of this layer.
    [[nodiscard]] _XDisplay* Handle() const { return m_display.get(); }
    [[nodiscard]] int ScreenNumber() const { return m_screen; }
    [[nodiscard]] XId Root() const { return m_root; }
    /// The atom of `name`, interned once per connection.
    XId Atom(const std::string& name);
    /// Sends everything queued and waits until the server has handled it.
    void Sync();

    // The window tree.
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

    // The pointer.
    /// The pointer's coordinates on the root of the screen it is on, another screen of the
    /// display included; nullopt when the server did not answer.
    std::optional<std::pair<int, int>> PointerPosition();
    /// The deepest window under the pointer; the root over a bare desktop; 0 when the pointer is
    /// on another screen.
    XId DeepestUnderPointer();

    // Properties.
    /// _NET_WM_NAME as UTF-8, else WM_NAME converted to UTF-8; empty when it has neither.
    std::string Title(XId window);
    /// Sets _NET_WM_NAME and WM_NAME.
    bool SetTitle(XId window, const std::string& utf8);
    /// WM_CLASS as (instance, class); empty texts when it has none.
    std::pair<std::string, std::string> WmClass(XId window);
    /// The 32-bit items of a CARDINAL, WINDOW or ATOM property; empty when absent.
    std::vector<unsigned long> Cardinals(XId window, const std::string& property,
                                         long maxItems = 1024);
    /// True when the window has the property at all.
    bool HasProperty(XId window, const std::string& property);
    /// WM_STATE's state (0 withdrawn, 1 normal, 3 iconic); -1 when it has none.
    long WmState(XId window);
    /// The process id of the program on this machine that owns the client window: the server's
    /// own record when it keeps one, else _NET_WM_PID; 0 for a program on another machine
    /// (WM_CLIENT_MACHINE names another host) or when nothing says.
    std::int64_t ProcessId(XId client);
    /// WM_TRANSIENT_FOR; 0 when it has none.
    XId TransientFor(XId window);

    // Window-manager requests (EWMH and ICCCM).
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
    struct DisplayCloser {
        void operator()(_XDisplay* display) const;
    };
    using Connection = std::unique_ptr<_XDisplay, DisplayCloser>;

    explicit X11Windows(Connection display);
    XId FirstClientBelow(XId window);
    bool SendToRoot(XId window, const std::string& messageType, long d0, long d1 = 0, long d2 = 0,
                    long d3 = 0, long d4 = 0);
    bool IsLocalMachine(XId client);
    std::int64_t ServerRecordedPid(XId window);

    Connection m_display;
    int m_screen;
    XId m_root;
    std::unordered_map<std::string, XId> m_atoms;
    std::optional<bool> m_hasXRes;
};

} // namespace morvane::platform::x11
