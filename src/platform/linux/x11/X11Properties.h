#pragma once

#include "platform/linux/x11/X11Connection.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace morvane::platform::x11 {

/// Reading and writing the properties of windows: names, classes, process ids, lists of numbers.
/// A window that is gone has none (0, -1 or empty text). Not thread-safe.
class X11Properties final {
public:
    explicit X11Properties(X11Connection& connection) : m_x(connection) {}

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

private:
    /// One property as the server holds it.
    struct Value {
        XId type = 0;
        int format = 0;
        std::vector<unsigned char> bytes; // format 8
        std::vector<unsigned long> items; // formats 16 and 32
    };
    /// Up to `maxItems` items of the property when its type is `type` (0 for any type); nullopt
    /// when the window has no such property or is gone.
    std::optional<Value> Read(XId window, XId property, XId type, long maxItems);
    bool IsLocalMachine(XId client);
    std::int64_t ServerRecordedPid(XId window);

    X11Connection& m_x;
    std::optional<bool> m_hasXRes;
};

} // namespace morvane::platform::x11
