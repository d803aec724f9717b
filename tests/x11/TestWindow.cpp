// A small X11 program for the window tests: one top-level window (and optionally a child
// window inside it) with the title, class, icon and placement the test asks for. It prints
// "<window> <child>" once mapped and lives until its input closes, the test kills it, or it is
// asked to close through WM_DELETE_WINDOW (exit status 3).

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Geometry {
    int x = 0;
    int y = 0;
    unsigned width = 200;
    unsigned height = 150;
};

Geometry ParseGeometry(const char* text) {
    Geometry g;
    std::sscanf(text, "%ux%u+%d+%d", &g.width, &g.height, &g.x, &g.y);
    return g;
}

std::vector<unsigned> ParseSizes(const std::string& text) {
    std::vector<unsigned> sizes;
    std::size_t at = 0;
    while (at < text.size()) {
        sizes.push_back(static_cast<unsigned>(std::strtoul(text.c_str() + at, nullptr, 10)));
        const auto comma = text.find(',', at);
        if (comma == std::string::npos) {
            break;
        }
        at = comma + 1;
    }
    return sizes;
}

} // namespace

int main(int argc, char** argv) {
    std::string title = "Morvane test window";
    std::string latin1Title;
    std::string instance = "morvanetest";
    std::string windowClass = "MorvaneTest";
    std::string machine;
    std::string icons;
    bool setPid = true;
    bool takesDelete = true;
    Geometry geometry{100, 100, 300, 200};
    Geometry childGeometry;
    bool child = false;
    unsigned long background = 0x336699;
    unsigned long childBackground = 0xCC8800;

    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (option == "--title") {
            title = value;
            ++i;
        } else if (option == "--latin1-title") {
            latin1Title = value;
            ++i;
        } else if (option == "--class") {
            const std::string both = value;
            instance = both.substr(0, both.find(','));
            windowClass = both.substr(both.find(',') + 1);
            ++i;
        } else if (option == "--geometry") {
            geometry = ParseGeometry(value);
            ++i;
        } else if (option == "--child") {
            childGeometry = ParseGeometry(value);
            child = true;
            ++i;
        } else if (option == "--icons") {
            icons = value;
            ++i;
        } else if (option == "--machine") {
            machine = value;
            ++i;
        } else if (option == "--background") {
            background = std::strtoul(value, nullptr, 16);
            ++i;
        } else if (option == "--no-pid") {
            setPid = false;
        } else if (option == "--no-delete") {
            takesDelete = false;
        }
    }

    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return 2;
    }
    const int screen = DefaultScreen(display);
    XSetWindowAttributes attributes{};
    attributes.background_pixel = background;
    attributes.event_mask = StructureNotifyMask;
    const Window window =
        XCreateWindow(display, RootWindow(display, screen), geometry.x, geometry.y, geometry.width,
                      geometry.height, 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWBackPixel | CWEventMask, &attributes);

    XSizeHints* hints = XAllocSizeHints();
    hints->flags = USPosition | USSize;
    hints->x = geometry.x;
    hints->y = geometry.y;
    hints->width = static_cast<int>(geometry.width);
    hints->height = static_cast<int>(geometry.height);
    XClassHint* classHint = XAllocClassHint();
    classHint->res_name = instance.data();
    classHint->res_class = windowClass.data();
    XWMHints* wmHints = XAllocWMHints();
    wmHints->flags = InputHint | StateHint;
    wmHints->input = True;
    wmHints->initial_state = NormalState;
    XSetWMProperties(display, window, nullptr, nullptr, argv, argc, hints, wmHints, classHint);
    XFree(hints);
    XFree(classHint);
    XFree(wmHints);

    if (!latin1Title.empty()) {
        XStoreName(display, window, latin1Title.c_str());
    } else {
        Xutf8SetWMProperties(display, window, title.c_str(), nullptr, nullptr, 0, nullptr, nullptr,
                             nullptr);
        const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
        const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
        XChangeProperty(display, window, netName, utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()),
                        static_cast<int>(title.size()));
    }
    // XSetWMProperties names this machine; a test may claim another one.
    if (!machine.empty()) {
        XChangeProperty(display, window, XA_WM_CLIENT_MACHINE, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(machine.data()),
                        static_cast<int>(machine.size()));
    }
    if (setPid) {
        const long pid = getpid();
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    }
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (takesDelete) {
        XSetWMProtocols(display, window, &deleteWindow, 1);
    }
    if (!icons.empty()) {
        // Each icon is filled with a colour that tells its size: 0xFF0000SS.
        std::vector<long> data;
        for (const unsigned size : ParseSizes(icons)) {
            data.push_back(size);
            data.push_back(size);
            data.insert(data.end(), static_cast<std::size_t>(size) * size,
                        static_cast<long>(0xFF000000UL | size));
        }
        XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<const unsigned char*>(data.data()),
                        static_cast<int>(data.size()));
    }

    Window childWindow = None;
    if (child) {
        XSetWindowAttributes childAttributes{};
        childAttributes.background_pixel = childBackground;
        childWindow = XCreateWindow(display, window, childGeometry.x, childGeometry.y,
                                    childGeometry.width, childGeometry.height, 0, CopyFromParent,
                                    InputOutput, CopyFromParent, CWBackPixel, &childAttributes);
        XMapWindow(display, childWindow);
    }
    XMapWindow(display, window);
    XSync(display, False);
    std::printf("%lu %lu\n", window, childWindow);
    std::fflush(stdout);

    pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ClientMessage &&
                static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
                XCloseDisplay(display);
                return 3;
            }
        }
        if (poll(fds, 2, -1) < 0) {
            break;
        }
        if ((fds[1].revents & (POLLIN | POLLHUP)) != 0) {
            char buffer[64];
            if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
                break;
            }
        }
        if ((fds[0].revents & (POLLERR | POLLHUP)) != 0) {
            break;
        }
    }
    XCloseDisplay(display);
    return 0;
}
