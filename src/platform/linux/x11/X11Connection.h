#pragma once

#include "platform/linux/x11/X11ErrorTrap.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

struct _XDisplay;

namespace morvane::platform::x11 {

/// An X resource id (window, atom) as Xlib spells it.
using XId = unsigned long;

/// One connection to an X display: the screen, its root, the atoms interned on it, and the guard
/// every request about a window goes through. Not thread-safe.
class X11Connection final {
public:
    /// Opens the display named `displayName` (DISPLAY when empty); nullptr when it cannot.
    static std::unique_ptr<X11Connection> Open(const std::string& displayName = {});
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    [[nodiscard]] _XDisplay* Handle() const { return m_display.get(); }
    [[nodiscard]] int ScreenNumber() const { return m_screen; }
    [[nodiscard]] XId Root() const { return m_root; }
    /// The atom of `name`, interned once per connection.
    XId Atom(const std::string& name);
    /// Sends everything queued and waits until the server has handled it.
    void Sync();

    /// Runs `call` with this connection's X errors trapped and returns its answer, or `failure`
    /// when a request inside it failed (mostly a window that vanished between two calls). The
    /// error goes no further: Xlib's default handler would print it and end the program.
    template <typename Result, typename Call> Result Trapped(Result failure, Call&& call) {
        X11ErrorTrap trap(Handle());
        Result answer = std::forward<Call>(call)();
        return trap.Failed() ? std::move(failure) : std::move(answer);
    }
    /// Trapped, for a call about one window: window 0 is `failure` without asking the server.
    template <typename Result, typename Call>
    Result OnWindow(XId window, Result failure, Call&& call) {
        if (window == 0) {
            return failure;
        }
        return Trapped(std::move(failure), std::forward<Call>(call));
    }
    /// OnWindow, for a request the root must never get (moving, unmapping, restacking it).
    template <typename Result, typename Call>
    Result OnChildWindow(XId window, Result failure, Call&& call) {
        if (window == m_root) {
            return failure;
        }
        return OnWindow(window, std::move(failure), std::forward<Call>(call));
    }

private:
    struct DisplayCloser {
        void operator()(_XDisplay* display) const;
    };
    using DisplayPtr = std::unique_ptr<_XDisplay, DisplayCloser>;

    explicit X11Connection(DisplayPtr display);

    DisplayPtr m_display;
    int m_screen;
    XId m_root;
    std::unordered_map<std::string, XId> m_atoms;
};

} // namespace morvane::platform::x11
