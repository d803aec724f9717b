// Starts a program and reports how long it took until a window with the given title was mapped
// on the X display, and the program's resident memory a while later.
//   morvane_bench_wait_for_window TITLE SETTLE_SECONDS PROGRAM [ARGS...]
// Prints "map_ms=<ms> rss_kb=<kB>", or "map_ms=timeout".

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Whether `window` or a window below it carries `title`.
bool HasTitle(Display* display, Window window, const std::string& title, int depth = 0) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) {
        const bool match = title == name;
        XFree(name);
        if (match) {
            return true;
        }
    }
    if (depth > 2) {
        return false;
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) {
        return false;
    }
    bool found = false;
    for (unsigned int i = 0; i < count && !found; ++i) {
        found = HasTitle(display, children[i], title, depth + 1);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

long ResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

int IgnoreErrors(Display*, XErrorEvent*) {
    return 0; // Windows may vanish while we look at them.
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TITLE SETTLE_SECONDS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    const int settle = std::atoi(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSetErrorHandler(IgnoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }

    long mapMs = -1;
    const int fd = ConnectionNumber(display);
    while (mapMs < 0 && Clock::now() - start < std::chrono::seconds(20)) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && HasTitle(display, event.xmap.window, title)) {
                mapMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start)
                            .count();
                break;
            }
        }
        if (mapMs >= 0) {
            break;
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        timeval tv{0, 20000};
        select(fd + 1, &fds, nullptr, nullptr, &tv);
    }
    if (mapMs < 0) {
        std::printf("map_ms=timeout\n");
    } else {
        std::this_thread::sleep_for(std::chrono::seconds(settle));
        std::printf("map_ms=%ld rss_kb=%ld\n", mapMs, ResidentKb(child));
    }
    std::fflush(stdout);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return mapMs < 0 ? 1 : 0;
}
