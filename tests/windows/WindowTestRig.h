#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace morvane::test {

/// Runs this thread's window messages until `done` holds; false when `limit` passes first.
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(10));

/// The class every test window belongs to: a name with letters beyond ASCII, extra bytes for the
/// class and each window, a known icon, and a procedure that paints a window in the colour it
/// was made with and counts the WM_CLOSE requests it receives (without closing).
struct TestClass {
    static const wchar_t* Name();
    static constexpr int kClassExtra = 8;
    static constexpr int kWindowExtra = 16;
    static constexpr UINT kStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    static constexpr int kIconSide = 32;
    /// Registers the class once; its icon's pixels, 0xAARRGGBB.
    static const std::vector<std::uint32_t>& IconPixels();
    static HICON Icon();
    static WNDPROC Procedure();
    /// WM_CLOSE requests the window has received.
    static int CloseRequests(HWND window);
};

/// A window of the test class, destroyed with its children when the object goes.
class TestWindow {
public:
    TestWindow(const std::wstring& title, DWORD style, DWORD exStyle, RECT rect, COLORREF colour,
               HWND parent = nullptr, HMENU menuOrId = nullptr);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    [[nodiscard]] HWND Get() const { return m_hwnd; }
    [[nodiscard]] std::uint64_t Id() const { return reinterpret_cast<std::uintptr_t>(m_hwnd); }

private:
    HWND m_hwnd;
};

/// The screen's pixels in `rect`, 0x00RRGGBB row by row.
std::vector<std::uint32_t> CaptureScreen(const RECT& rect);

/// Whether every pixel of `rect` on the screen shows `colour`.
bool ScreenShows(const RECT& rect, COLORREF colour);

/// `colour` as a captured pixel.
std::uint32_t PixelOf(COLORREF colour);

/// The full path of this test program.
std::wstring OwnPath();

} // namespace morvane::test
