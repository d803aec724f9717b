#include "X11TestSupport.h"

#include "platform/linux/x11/X11ErrorTrap.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace morvane::test {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        poll(nullptr, 0, 10); // a short pause between looks, not a wait for an outcome
    }
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
    int input[2];
    int output[2];
    if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
        m_pid = pid;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    m_input = input[1];
    m_output = output[0];
}

ChildProcess::~ChildProcess() {
    if (m_input >= 0) {
        close(m_input);
    }
    if (m_output >= 0) {
        close(m_output);
    }
    if (m_pid > 0 && m_pid != getpid() && Running()) {
        kill(m_pid, SIGTERM);
        if (!WaitExit(3s)) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const auto newline = m_buffered.find('\n');
        if (newline != std::string::npos) {
            std::string line = m_buffered.substr(0, newline);
            m_buffered.erase(0, newline + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (m_output < 0 || left.count() <= 0) {
            return std::nullopt;
        }
        pollfd fd{m_output, POLLIN, 0};
        if (poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        char buffer[256];
        const ssize_t got = read(m_output, buffer, sizeof buffer);
        if (got <= 0) {
            return std::nullopt;
        }
        m_buffered.append(buffer, static_cast<std::size_t>(got));
    }
}

bool ChildProcess::Running() {
    if (m_pid <= 0 || m_status) {
        return false;
    }
    int status = 0;
    const pid_t done = waitpid(m_pid, &status, WNOHANG);
    if (done == m_pid) {
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    return done == 0;
}

std::optional<int> ChildProcess::WaitExit(std::chrono::milliseconds timeout) {
    WaitUntil([this] { return !Running(); }, timeout);
    return m_status;
}

void MovePointer(X11Windows& windows, int x, int y) {
    ChildProcess xdotool({"xdotool", "mousemove", std::to_string(x), std::to_string(y)});
    ASSERT_EQ(xdotool.WaitExit(), 0) << "xdotool failed";
    ASSERT_TRUE(WaitUntil([&] {
        return windows.PointerPosition() == std::pair{x, y};
    })) << "the pointer did not reach "
        << x << "," << y;
}

Pixels Grab(X11Windows& windows, const Rect& rect) {
    Pixels pixels{rect, {}};
    platform::x11::X11ErrorTrap trap(windows.Handle());
    XImage* image = XGetImage(windows.Handle(), windows.Root(), rect.x, rect.y,
                              static_cast<unsigned>(rect.width), static_cast<unsigned>(rect.height),
                              AllPlanes, ZPixmap);
    if (image == nullptr) {
        return pixels;
    }
    pixels.rgb.reserve(static_cast<std::size_t>(rect.width) *
                       static_cast<std::size_t>(rect.height));
    for (int y = 0; y < rect.height; ++y) {
        for (int x = 0; x < rect.width; ++x) {
            pixels.rgb.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFF));
        }
    }
    XDestroyImage(image);
    return pixels;
}

Rect Grow(const Rect& rect, int margin) {
    return {rect.x - margin, rect.y - margin, rect.width + 2 * margin, rect.height + 2 * margin};
}

bool Contains(const Rect& rect, int x, int y) {
    return x >= rect.x && y >= rect.y && x < rect.x + rect.width && y < rect.y + rect.height;
}

void X11Test::SetUp() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        GTEST_SKIP() << "no X display; run through scripts/with-desktop.sh";
    }
    m_x = X11Windows::Open();
    ASSERT_NE(m_x, nullptr) << "cannot open " << display;
}

std::string X11Test::TestWindowPath() {
    return MORVANE_TEST_WINDOW;
}

TestWindow X11Test::StartWindow(const std::vector<std::string>& options) {
    std::vector<std::string> argv{TestWindowPath()};
    argv.insert(argv.end(), options.begin(), options.end());
    TestWindow result;
    result.process = std::make_unique<ChildProcess>(argv);
    const auto line = result.process->ReadLine();
    EXPECT_TRUE(line.has_value()) << "the test window did not start";
    if (line) {
        std::sscanf(line->c_str(), "%lu %lu", &result.window, &result.child);
        EXPECT_TRUE(WaitManaged(result.window)) << "the window manager did not show the window";
    }
    return result;
}

bool X11Test::WaitManaged(XId client) {
    return WaitUntil([&] {
        return m_x->WmState(client) == 1 &&
               m_x->MapStateOf(client) == platform::x11::MapState::Viewable &&
               m_x->TopLevelOf(client) != client && m_x->HasProperty(client, "_NET_FRAME_EXTENTS");
    });
}

XId X11Test::CreateOwnWindow(const Rect& rect) {
    Display* display = m_x->Handle();
    const Window window =
        XCreateSimpleWindow(display, m_x->Root(), rect.x, rect.y, static_cast<unsigned>(rect.width),
                            static_cast<unsigned>(rect.height), 0, 0, 0x88AA44);
    XSizeHints hints{};
    hints.flags = USPosition | USSize;
    hints.x = rect.x;
    hints.y = rect.y;
    hints.width = rect.width;
    hints.height = rect.height;
    XSetWMNormalHints(display, window, &hints);
    XStoreName(display, window, "Own window");
    XMapWindow(display, window);
    m_x->Sync();
    return WaitManaged(window) ? window : 0;
}

void X11Test::PaintRoot(std::uint32_t rgb) {
    XSetWindowBackground(m_x->Handle(), m_x->Root(), rgb);
    XClearWindow(m_x->Handle(), m_x->Root());
    m_x->Sync();
}

} // namespace morvane::test
