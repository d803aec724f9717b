#include "platform/linux/x11/X11Windows.h"

#include "platform/linux/x11/X11ErrorTrap.h"
#include "platform/linux/x11/XPtr.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XRes.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <deque>
#include <unistd.h>

namespace morvane::platform::x11 {

namespace {

// A window tree deeper than this is broken or hostile; walks stop there.
constexpr int kMaxDepth = 256;
// A breadth-first search for the client below a frame looks at no more windows than this.
constexpr std::size_t kMaxSearched = 4096;

struct StringListFree {
    void operator()(char** list) const { XFreeStringList(list); }
};

struct ClientIdsFree {
    long count = 0;
    void operator()(XResClientIdValue* ids) const { XResClientIdsDestroy(count, ids); }
};

struct Property {
    ::Atom type = None;
    int format = 0;
    std::vector<unsigned char> bytes; // format 8
    std::vector<unsigned long> items; // formats 16 and 32
};

std::optional<Property> ReadProperty(Display* display, Window window, ::Atom property, ::Atom type,
                                     long maxItems) {
    if (window == None) {
        return std::nullopt;
    }
    X11ErrorTrap trap(display);
    ::Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* received = nullptr;
    const int rc = XGetWindowProperty(display, window, property, 0, maxItems, False, type,
                                      &actualType, &actualFormat, &count, &after, &received);
    const XPtr<unsigned char> data(received);
    if (rc != Success || actualType == None || (type != AnyPropertyType && actualType != type)) {
        return std::nullopt;
    }
    Property result;
    result.type = actualType;
    result.format = actualFormat;
    if (data != nullptr) {
        if (actualFormat == 8) {
            result.bytes.assign(data.get(), data.get() + count);
        } else if (actualFormat == 16) {
            const auto* values = reinterpret_cast<const unsigned short*>(data.get());
            result.items.assign(values, values + count);
        } else if (actualFormat == 32) {
            // Xlib hands 32-bit items out as longs, sign-extended on 64-bit machines.
            const auto* values = reinterpret_cast<const long*>(data.get());
            result.items.reserve(count);
            for (unsigned long i = 0; i < count; ++i) {
                result.items.push_back(static_cast<unsigned long>(values[i]) & 0xFFFFFFFFUL);
            }
        }
    }
    return result;
}

std::string Latin1ToUtf8(const std::vector<unsigned char>& text) {
    std::string out;
    out.reserve(text.size());
    for (const unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string CutAtNul(std::string text) {
    const auto nul = text.find('\0');
    if (nul != std::string::npos) {
        text.resize(nul);
    }
    return text;
}

bool SameHost(std::string a, std::string b) {
    auto shortName = [](std::string& name) {
        const auto dot = name.find('.');
        if (dot != std::string::npos) {
            name.resize(dot);
        }
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    };
    shortName(a);
    shortName(b);
    return a == b;
}

} // namespace

void X11Windows::DisplayCloser::operator()(_XDisplay* display) const {
    XCloseDisplay(display);
}

std::unique_ptr<X11Windows> X11Windows::Open(const std::string& displayName) {
    Connection display(XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str()));
    if (!display) {
        return nullptr;
    }
    // The constructor is private, so make_unique cannot reach it.
    return std::unique_ptr<X11Windows>(new X11Windows(std::move(display)));
}

X11Windows::X11Windows(Connection display)
    : m_display(std::move(display)), m_screen(DefaultScreen(m_display.get())),
      m_root(RootWindow(m_display.get(), m_screen)) {}

X11Windows::~X11Windows() = default;

XId X11Windows::Atom(const std::string& name) {
    const auto found = m_atoms.find(name);
    if (found != m_atoms.end()) {
        return found->second;
    }
    const ::Atom atom = XInternAtom(Handle(), name.c_str(), False);
    m_atoms.emplace(name, atom);
    return atom;
}

void X11Windows::Sync() {
    XSync(Handle(), False);
}

bool X11Windows::Exists(XId window) {
    if (window == None) {
        return false;
    }
    X11ErrorTrap trap(Handle());
    XWindowAttributes attributes;
    return XGetWindowAttributes(Handle(), window, &attributes) != 0 && !trap.Failed();
}

XId X11Windows::Parent(XId window) {
    if (window == None || window == m_root) {
        return 0;
    }
    X11ErrorTrap trap(Handle());
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    const Status status = XQueryTree(Handle(), window, &root, &parent, &children, &count);
    const XPtr<Window> owned(children);
    return status == 0 ? 0 : parent;
}

std::vector<XId> X11Windows::Children(XId window) {
    std::vector<XId> result;
    if (window == None) {
        return result;
    }
    X11ErrorTrap trap(Handle());
    Window root = None;
    Window parent = None;
    Window* received = nullptr;
    unsigned int count = 0;
    const Status status = XQueryTree(Handle(), window, &root, &parent, &received, &count);
    const XPtr<Window> children(received);
    if (status != 0 && children != nullptr) {
        result.assign(children.get(), children.get() + count);
    }
    return result;
}

XId X11Windows::TopLevelOf(XId window) {
    XId current = window;
    for (int depth = 0; depth < kMaxDepth && current != None && current != m_root; ++depth) {
        const XId parent = Parent(current);
        if (parent == m_root) {
            return current;
        }
        current = parent;
    }
    return 0;
}

bool X11Windows::IsClient(XId window) {
    return ReadProperty(Handle(), window, Atom("WM_STATE"), AnyPropertyType, 0).has_value();
}

XId X11Windows::FirstClientBelow(XId window) {
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

XId X11Windows::ClientOf(XId window) {
    if (window == None || window == m_root) {
        return 0;
    }
    // Up first: the window is the client or lies inside it.
    XId current = window;
    XId top = 0;
    for (int depth = 0; depth < kMaxDepth && current != None && current != m_root; ++depth) {
        if (IsClient(current)) {
            return current;
        }
        top = current;
        current = Parent(current);
    }
    if (current != m_root) {
        return 0; // gone, or not on our screen
    }
    // Then down from the top-level frame: the window is part of the decorations around a client.
    return FirstClientBelow(top);
}

XId X11Windows::ManagedWindowOf(XId window) {
    if (window == None || window == m_root) {
        return 0;
    }
    XId current = window;
    XId top = 0;
    for (int depth = 0; depth < kMaxDepth && current != None && current != m_root; ++depth) {
        if (IsClient(current)) {
            return current == window ? window : 0; // the client, or a control inside it
        }
        top = current;
        current = Parent(current);
    }
    if (current != m_root) {
        return 0;
    }
    if (const XId client = FirstClientBelow(top); client != 0) {
        return client; // a frame or a piece of its decorations
    }
    return top == window ? window : 0;
}

std::optional<Rect> X11Windows::OuterRect(XId window) {
    if (window == None) {
        return std::nullopt;
    }
    X11ErrorTrap trap(Handle());
    XWindowAttributes attributes;
    if (XGetWindowAttributes(Handle(), window, &attributes) == 0) {
        return std::nullopt;
    }
    int x = 0;
    int y = 0;
    Window child = None;
    if (XTranslateCoordinates(Handle(), window, m_root, 0, 0, &x, &y, &child) == 0 ||
        trap.Failed()) {
        return std::nullopt;
    }
    const int border = attributes.border_width;
    return Rect{x - border, y - border, attributes.width + 2 * border,
                attributes.height + 2 * border};
}

std::optional<MapState> X11Windows::MapStateOf(XId window) {
    if (window == None) {
        return std::nullopt;
    }
    X11ErrorTrap trap(Handle());
    XWindowAttributes attributes;
    if (XGetWindowAttributes(Handle(), window, &attributes) == 0 || trap.Failed()) {
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
}

std::vector<XId> X11Windows::Descendants(XId window) {
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

std::optional<std::pair<int, int>> X11Windows::PointerPosition() {
    X11ErrorTrap trap(Handle());
    Window root = None;
    Window child = None;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    unsigned int mask = 0;
    // False only means the pointer is on another screen of the display; the root coordinates
    // are still those of the screen it is on.
    XQueryPointer(Handle(), m_root, &root, &child, &rootX, &rootY, &x, &y, &mask);
    if (trap.Failed()) {
        return std::nullopt;
    }
    return std::pair{rootX, rootY};
}

XId X11Windows::DeepestUnderPointer() {
    X11ErrorTrap trap(Handle());
    Window current = m_root;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        Window root = None;
        Window child = None;
        int rootX = 0;
        int rootY = 0;
        int x = 0;
        int y = 0;
        unsigned int mask = 0;
        if (XQueryPointer(Handle(), current, &root, &child, &rootX, &rootY, &x, &y, &mask) == 0) {
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

std::string X11Windows::Title(XId window) {
    if (const auto name =
            ReadProperty(Handle(), window, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"), 4096);
        name && name->format == 8) {
        return CutAtNul(std::string(name->bytes.begin(), name->bytes.end()));
    }
    const auto name = ReadProperty(Handle(), window, Atom("WM_NAME"), AnyPropertyType, 4096);
    if (!name || name->format != 8) {
        return {};
    }
    if (name->type == Atom("STRING")) {
        return CutAtNul(Latin1ToUtf8(name->bytes));
    }
    if (name->type == Atom("UTF8_STRING")) {
        return CutAtNul(std::string(name->bytes.begin(), name->bytes.end()));
    }
    // COMPOUND_TEXT and the like: Xlib knows how to turn them into UTF-8.
    std::vector<unsigned char> bytes = name->bytes;
    XTextProperty text;
    text.value = bytes.data();
    text.encoding = name->type;
    text.format = 8;
    text.nitems = bytes.size();
    char** received = nullptr;
    int count = 0;
    const int converted = Xutf8TextPropertyToTextList(Handle(), &text, &received, &count);
    const std::unique_ptr<char*, StringListFree> list(received);
    if (converted >= Success && list != nullptr && count > 0 && list.get()[0] != nullptr) {
        return list.get()[0];
    }
    return {};
}

bool X11Windows::SetTitle(XId window, const std::string& utf8) {
    if (window == None) {
        return false;
    }
    const std::string text = CutAtNul(utf8);
    X11ErrorTrap trap(Handle());
    XChangeProperty(Handle(), window, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    char* list[] = {buffer.data()};
    XTextProperty property;
    property.value = nullptr;
    const int converted =
        Xutf8TextListToTextProperty(Handle(), list, 1, XStdICCTextStyle, &property);
    const XPtr<unsigned char> value(property.value);
    if (converted >= Success) {
        XSetWMName(Handle(), window, &property);
    }
    return !trap.Failed();
}

std::pair<std::string, std::string> X11Windows::WmClass(XId window) {
    if (window == None) {
        return {};
    }
    X11ErrorTrap trap(Handle());
    XClassHint hint{nullptr, nullptr};
    const Status status = XGetClassHint(Handle(), window, &hint);
    const XPtr<char> name(hint.res_name);
    const XPtr<char> windowClass(hint.res_class);
    std::pair<std::string, std::string> result;
    if (status != 0) {
        result.first = name != nullptr ? name.get() : "";
        result.second = windowClass != nullptr ? windowClass.get() : "";
    }
    return result;
}

std::vector<unsigned long> X11Windows::Cardinals(XId window, const std::string& property,
                                                 long maxItems) {
    const auto value = ReadProperty(Handle(), window, Atom(property), AnyPropertyType, maxItems);
    if (!value || value->format != 32) {
        return {};
    }
    return value->items;
}

bool X11Windows::HasProperty(XId window, const std::string& property) {
    return ReadProperty(Handle(), window, Atom(property), AnyPropertyType, 0).has_value();
}

long X11Windows::WmState(XId window) {
    const auto state = ReadProperty(Handle(), window, Atom("WM_STATE"), Atom("WM_STATE"), 2);
    if (!state || state->format != 32 || state->items.empty()) {
        return -1;
    }
    return static_cast<long>(state->items.front());
}

bool X11Windows::IsLocalMachine(XId client) {
    const auto machine =
        ReadProperty(Handle(), client, Atom("WM_CLIENT_MACHINE"), AnyPropertyType, 1024);
    if (!machine || machine->format != 8 || machine->bytes.empty()) {
        return true; // nothing says otherwise
    }
    const std::string name = CutAtNul(std::string(machine->bytes.begin(), machine->bytes.end()));
    if (name.empty() || name == "localhost") {
        return true;
    }
    char host[HOST_NAME_MAX + 1] = {};
    if (gethostname(host, sizeof host - 1) != 0) {
        return true;
    }
    return SameHost(name, host);
}

std::int64_t X11Windows::ServerRecordedPid(XId window) {
    if (!m_hasXRes) {
        int eventBase = 0;
        int errorBase = 0;
        int major = 0;
        int minor = 0;
        m_hasXRes = XResQueryExtension(Handle(), &eventBase, &errorBase) != 0 &&
                    XResQueryVersion(Handle(), &major, &minor) != 0 &&
                    (major > 1 || (major == 1 && minor >= 2));
    }
    if (!*m_hasXRes) {
        return 0;
    }
    X11ErrorTrap trap(Handle());
    XResClientIdSpec query{window, XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* received = nullptr;
    const Status status = XResQueryClientIds(Handle(), 1, &query, &count, &received);
    const std::unique_ptr<XResClientIdValue, ClientIdsFree> ids(received, ClientIdsFree{count});
    std::int64_t pid = 0;
    if (status == Success && ids != nullptr) {
        for (long i = 0; i < count && pid <= 0; ++i) {
            if (XResGetClientIdType(&ids.get()[i]) == XRES_CLIENT_ID_PID) {
                pid = XResGetClientPid(&ids.get()[i]);
            }
        }
    }
    return pid > 0 ? pid : 0;
}

std::int64_t X11Windows::ProcessId(XId client) {
    if (client == None || !IsLocalMachine(client)) {
        // A process id from another machine names some unrelated process here.
        return 0;
    }
    // The server knows the real process behind the connection, even for a sandboxed program
    // whose _NET_WM_PID counts in a namespace of its own.
    if (const std::int64_t pid = ServerRecordedPid(client); pid > 0) {
        return pid;
    }
    const auto pid = Cardinals(client, "_NET_WM_PID", 1);
    if (pid.empty() || pid.front() == 0 || pid.front() > static_cast<unsigned long>(INT_MAX)) {
        return 0;
    }
    return static_cast<std::int64_t>(pid.front());
}

XId X11Windows::TransientFor(XId window) {
    if (window == None) {
        return 0;
    }
    X11ErrorTrap trap(Handle());
    Window owner = None;
    if (XGetTransientForHint(Handle(), window, &owner) == 0 || trap.Failed()) {
        return 0;
    }
    return owner;
}

bool X11Windows::WmSupports(const std::string& atom) {
    const auto supported = Cardinals(m_root, "_NET_SUPPORTED", 4096);
    return std::find(supported.begin(), supported.end(), Atom(atom)) != supported.end();
}

bool X11Windows::HasNetWmState(XId client, const std::string& state) {
    const auto states = Cardinals(client, "_NET_WM_STATE", 256);
    return std::find(states.begin(), states.end(), Atom(state)) != states.end();
}

bool X11Windows::SendToRoot(XId window, const std::string& messageType, long d0, long d1, long d2,
                            long d3, long d4) {
    if (window == None) {
        return false;
    }
    X11ErrorTrap trap(Handle());
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.send_event = True;
    event.xclient.display = Handle();
    event.xclient.window = window;
    event.xclient.message_type = Atom(messageType);
    event.xclient.format = 32;
    event.xclient.data.l[0] = d0;
    event.xclient.data.l[1] = d1;
    event.xclient.data.l[2] = d2;
    event.xclient.data.l[3] = d3;
    event.xclient.data.l[4] = d4;
    const Status sent = XSendEvent(Handle(), m_root, False,
                                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    return sent != 0 && !trap.Failed();
}

bool X11Windows::ChangeNetWmState(XId client, StateAction action, const std::string& state,
                                  const std::string& second) {
    if (!Exists(client)) {
        return false;
    }
    // Source 2: the request comes from a pager-like tool, which window managers obey.
    return SendToRoot(client, "_NET_WM_STATE", static_cast<long>(action),
                      static_cast<long>(Atom(state)),
                      second.empty() ? 0L : static_cast<long>(Atom(second)), 2);
}

XId X11Windows::ActiveWindow() {
    const auto active = Cardinals(m_root, "_NET_ACTIVE_WINDOW", 1);
    return active.empty() ? 0 : active.front();
}

bool X11Windows::Activate(XId client) {
    if (!Exists(client)) {
        return false;
    }
    if (WmSupports("_NET_ACTIVE_WINDOW")) {
        return SendToRoot(client, "_NET_ACTIVE_WINDOW", 2, CurrentTime, 0);
    }
    X11ErrorTrap trap(Handle());
    XMapRaised(Handle(), client);
    XSetInputFocus(Handle(), client, RevertToParent, CurrentTime);
    return !trap.Failed();
}

bool X11Windows::Iconify(XId client) {
    if (client == None) {
        return false;
    }
    X11ErrorTrap trap(Handle());
    return XIconifyWindow(Handle(), client, m_screen) != 0 && !trap.Failed();
}

bool X11Windows::Map(XId window) {
    if (window == None) {
        return false;
    }
    X11ErrorTrap trap(Handle());
    XMapWindow(Handle(), window);
    return !trap.Failed();
}

bool X11Windows::Unmap(XId window) {
    if (window == None || window == m_root) {
        return false;
    }
    const bool client = IsClient(window);
    X11ErrorTrap trap(Handle());
    if (client) {
        XWithdrawWindow(Handle(), window, m_screen);
    } else {
        XUnmapWindow(Handle(), window);
    }
    return !trap.Failed();
}

bool X11Windows::AskToClose(XId client) {
    if (client == None) {
        return false;
    }
    X11ErrorTrap trap(Handle());
    ::Atom* received = nullptr;
    int count = 0;
    const ::Atom deleteWindow = Atom("WM_DELETE_WINDOW");
    const Status status = XGetWMProtocols(Handle(), client, &received, &count);
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
    event.xclient.display = Handle();
    event.xclient.window = client;
    event.xclient.message_type = Atom("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(Handle(), client, False, NoEventMask, &event);
    return sent != 0 && !trap.Failed();
}

bool X11Windows::Raise(XId window) {
    if (window == None || window == m_root) {
        return false;
    }
    X11ErrorTrap trap(Handle());
    XRaiseWindow(Handle(), window);
    return !trap.Failed();
}

bool X11Windows::Lower(XId window) {
    if (window == None || window == m_root) {
        return false;
    }
    X11ErrorTrap trap(Handle());
    XLowerWindow(Handle(), window);
    return !trap.Failed();
}

bool X11Windows::MoveResize(XId window, int x, int y, int width, int height) {
    if (window == None || window == m_root) {
        return false;
    }
    X11ErrorTrap trap(Handle());
    XMoveResizeWindow(Handle(), window, x, y, static_cast<unsigned>(std::max(width, 1)),
                      static_cast<unsigned>(std::max(height, 1)));
    return !trap.Failed();
}

bool X11Windows::Repaint(XId window) {
    if (window == None) {
        return false;
    }
    X11ErrorTrap trap(Handle());
    XClearArea(Handle(), window, 0, 0, 0, 0, True);
    return !trap.Failed();
}

std::vector<XId> X11Windows::StackingClients() {
    return Cardinals(m_root, "_NET_CLIENT_LIST_STACKING", 65536);
}

} // namespace morvane::platform::x11
