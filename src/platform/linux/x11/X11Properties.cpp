#include "platform/linux/x11/X11Properties.h"

#include "platform/linux/x11/XPtr.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XRes.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <unistd.h>

namespace morvane::platform::x11 {

namespace {

struct StringListFree {
    void operator()(char** list) const { XFreeStringList(list); }
};

struct ClientIdsFree {
    long count = 0;
    void operator()(XResClientIdValue* ids) const { XResClientIdsDestroy(count, ids); }
};

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

std::optional<X11Properties::Value> X11Properties::Read(XId window, XId property, XId type,
                                                        long maxItems) {
    return m_x.OnWindow(window, std::optional<Value>{}, [&]() -> std::optional<Value> {
        ::Atom actualType = None;
        int actualFormat = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* received = nullptr;
        const int rc = XGetWindowProperty(m_x.Handle(), window, property, 0, maxItems, False, type,
                                          &actualType, &actualFormat, &count, &after, &received);
        const XPtr<unsigned char> data(received);
        if (rc != Success || actualType == None ||
            (type != AnyPropertyType && actualType != type)) {
            return std::nullopt;
        }
        Value result;
        result.type = actualType;
        result.format = actualFormat;
        if (data == nullptr) {
            return result;
        }
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
        return result;
    });
}

std::string X11Properties::Title(XId window) {
    if (const auto name = Read(window, m_x.Atom("_NET_WM_NAME"), m_x.Atom("UTF8_STRING"), 4096);
        name && name->format == 8) {
        return CutAtNul(std::string(name->bytes.begin(), name->bytes.end()));
    }
    const auto name = Read(window, m_x.Atom("WM_NAME"), AnyPropertyType, 4096);
    if (!name || name->format != 8) {
        return {};
    }
    if (name->type == m_x.Atom("STRING")) {
        return CutAtNul(Latin1ToUtf8(name->bytes));
    }
    if (name->type == m_x.Atom("UTF8_STRING")) {
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
    const int converted = Xutf8TextPropertyToTextList(m_x.Handle(), &text, &received, &count);
    const std::unique_ptr<char*, StringListFree> list(received);
    if (converted >= Success && list != nullptr && count > 0 && list.get()[0] != nullptr) {
        return list.get()[0];
    }
    return {};
}

bool X11Properties::SetTitle(XId window, const std::string& utf8) {
    const std::string text = CutAtNul(utf8);
    return m_x.OnWindow(window, false, [&] {
        XChangeProperty(m_x.Handle(), window, m_x.Atom("_NET_WM_NAME"), m_x.Atom("UTF8_STRING"), 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                        static_cast<int>(text.size()));
        std::vector<char> buffer(text.begin(), text.end());
        buffer.push_back('\0');
        char* list[] = {buffer.data()};
        XTextProperty property;
        property.value = nullptr;
        const int converted =
            Xutf8TextListToTextProperty(m_x.Handle(), list, 1, XStdICCTextStyle, &property);
        const XPtr<unsigned char> value(property.value);
        if (converted >= Success) {
            XSetWMName(m_x.Handle(), window, &property);
        }
        return true;
    });
}

std::pair<std::string, std::string> X11Properties::WmClass(XId window) {
    using Class = std::pair<std::string, std::string>;
    return m_x.OnWindow(window, Class{}, [&] {
        XClassHint hint{nullptr, nullptr};
        const Status status = XGetClassHint(m_x.Handle(), window, &hint);
        const XPtr<char> name(hint.res_name);
        const XPtr<char> windowClass(hint.res_class);
        Class result;
        if (status != 0) {
            result.first = name != nullptr ? name.get() : "";
            result.second = windowClass != nullptr ? windowClass.get() : "";
        }
        return result;
    });
}

std::vector<unsigned long> X11Properties::Cardinals(XId window, const std::string& property,
                                                    long maxItems) {
    const auto value = Read(window, m_x.Atom(property), AnyPropertyType, maxItems);
    if (!value || value->format != 32) {
        return {};
    }
    return value->items;
}

bool X11Properties::HasProperty(XId window, const std::string& property) {
    return Read(window, m_x.Atom(property), AnyPropertyType, 0).has_value();
}

long X11Properties::WmState(XId window) {
    const auto state = Read(window, m_x.Atom("WM_STATE"), m_x.Atom("WM_STATE"), 2);
    if (!state || state->format != 32 || state->items.empty()) {
        return -1;
    }
    return static_cast<long>(state->items.front());
}

bool X11Properties::IsLocalMachine(XId client) {
    const auto machine = Read(client, m_x.Atom("WM_CLIENT_MACHINE"), AnyPropertyType, 1024);
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

std::int64_t X11Properties::ServerRecordedPid(XId window) {
    if (!m_hasXRes) {
        int eventBase = 0;
        int errorBase = 0;
        int major = 0;
        int minor = 0;
        m_hasXRes = XResQueryExtension(m_x.Handle(), &eventBase, &errorBase) != 0 &&
                    XResQueryVersion(m_x.Handle(), &major, &minor) != 0 &&
                    (major > 1 || (major == 1 && minor >= 2));
    }
    if (!*m_hasXRes) {
        return 0;
    }
    return m_x.Trapped(std::int64_t{0}, [&] {
        XResClientIdSpec query{window, XRES_CLIENT_ID_PID_MASK};
        long count = 0;
        XResClientIdValue* received = nullptr;
        const Status status = XResQueryClientIds(m_x.Handle(), 1, &query, &count, &received);
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
    });
}

std::int64_t X11Properties::ProcessId(XId client) {
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

XId X11Properties::TransientFor(XId window) {
    return m_x.OnWindow(window, XId{0}, [&]() -> XId {
        Window owner = None;
        return XGetTransientForHint(m_x.Handle(), window, &owner) == 0 ? 0 : owner;
    });
}

} // namespace morvane::platform::x11
