#pragma once

#include "platform/linux/x11/X11Windows.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

#include <gtest/gtest.h>

namespace morvane::test {

using platform::x11::Rect;
using platform::x11::X11Windows;
using platform::x11::XId;
using namespace std::chrono_literals;

/// Polls the condition until it holds or the deadline passes; true when it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s);

/// A program the test started, with pipes to its input and output. Whatever still runs when
/// the object goes is terminated; nothing else is ever signalled.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    [[nodiscard]] pid_t Pid() const { return m_pid; }
    /// One line of the program's output, without its newline; nullopt at the deadline or end.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout = 5s);
    /// The exit status once the program has ended; nullopt at the deadline.
    std::optional<int> WaitExit(std::chrono::milliseconds timeout = 5s);
    /// True while the program runs.
    bool Running();

private:
    pid_t m_pid = -1;
    int m_input = -1;
    int m_output = -1;
    std::string m_buffered;
    std::optional<int> m_status;
};

/// Moves the pointer with xdotool and waits until the server reports it there.
void MovePointer(X11Windows& windows, int x, int y);

/// The screen's pixels in a rectangle, 0xRRGGBB row by row.
struct Pixels {
    Rect rect;
    std::vector<std::uint32_t> rgb;
    [[nodiscard]] std::uint32_t At(int x, int y) const {
        return rgb[static_cast<std::size_t>((y - rect.y) * rect.width + (x - rect.x))];
    }
    bool operator==(const Pixels&) const = default;
};
Pixels Grab(X11Windows& windows, const Rect& rect);
/// The rectangle grown by `margin` on every side.
Rect Grow(const Rect& rect, int margin);
bool Contains(const Rect& rect, int x, int y);

/// A window of the test-window program, managed by the window manager.
struct TestWindow {
    std::unique_ptr<ChildProcess> process;
    XId window = 0;
    XId child = 0;
};

/// Base for tests that need the X desktop: skipped when there is no display.
class X11Test : public ::testing::Test {
protected:
    void SetUp() override;

    /// Starts the test-window program with these options and waits until the window manager
    /// shows its window.
    TestWindow StartWindow(const std::vector<std::string>& options);
    /// Waits until the window manager has framed and shown the client.
    bool WaitManaged(XId client);
    /// A window of this very process on the fixture's connection, shown by the window manager;
    /// it goes with the connection.
    XId CreateOwnWindow(const Rect& rect);
    /// Fills the root window with one colour, so that uncovered desktop has known pixels.
    void PaintRoot(std::uint32_t rgb);

    static std::string TestWindowPath();

    std::unique_ptr<X11Windows> m_x;
};

} // namespace morvane::test
