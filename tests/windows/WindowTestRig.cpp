#include "WindowTestRig.h"

#include <gtest/gtest.h>

namespace morvane::test {

namespace {

constexpr int kColourSlot = 0;
constexpr int kCloseSlot = sizeof(LONG_PTR);

LRESULT CALLBACK TestProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, kColourSlot, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(hwnd, &client);
        HBRUSH brush =
            CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(hwnd, kColourSlot)));
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    case WM_CLOSE: // counted, not obeyed: the test decides when its windows go
        SetWindowLongPtrW(hwnd, kCloseSlot, GetWindowLongPtrW(hwnd, kCloseSlot) + 1);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HICON MakeIcon() {
    const std::vector<std::uint32_t>& pixels = TestClass::IconPixels();
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = TestClass::kIconSide;
    header.bV5Height = -TestClass::kIconSide;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
    HBITMAP mask = CreateBitmap(TestClass::kIconSide, TestClass::kIconSide, 1, 1, nullptr);
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    return icon;
}

// Wine's desktop process goes a second after the last program with windows, and the next one
// waits up to ten seconds for it to come back: every test here waits for it first, with time to
// spare, so that no deadline of a test is spent on it.
class DesktopReady : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_NE(GetDesktopWindow(), nullptr);
        ASSERT_TRUE(PumpUntil(
            [] {
                SetCursorPos(7, 9);
                POINT at{};
                return GetCursorPos(&at) != FALSE && at.x == 7 && at.y == 9;
            },
            std::chrono::seconds(60)))
            << "the desktop never came up";
    }
};

[[maybe_unused]] ::testing::Environment* const kDesktopReady =
    ::testing::AddGlobalTestEnvironment(new DesktopReady);

} // namespace

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        // Wakes for the next message; the short limit lets conditions outside the queue (the
        // screen) be looked at again.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

const wchar_t* TestClass::Name() {
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = kStyle;
        wc.lpfnWndProc = TestProcedure;
        wc.cbClsExtra = kClassExtra;
        wc.cbWndExtra = kWindowExtra;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hIcon = Icon();
        wc.hIconSm = Icon();
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"MorvaneFenêtreTest";
        return RegisterClassExW(&wc);
    }();
    return atom != 0 ? L"MorvaneFenêtreTest" : nullptr;
}

const std::vector<std::uint32_t>& TestClass::IconPixels() {
    // Opaque stripes of two colours on the left, a clear right half.
    static const std::vector<std::uint32_t> pixels = [] {
        std::vector<std::uint32_t> p(static_cast<std::size_t>(kIconSide) * kIconSide);
        for (int y = 0; y < kIconSide; ++y) {
            for (int x = 0; x < kIconSide; ++x) {
                p[static_cast<std::size_t>(y) * kIconSide + x] =
                    x >= kIconSide / 2 ? 0U : ((y / 4) % 2 == 0 ? 0xFFD02040U : 0xFF2080E0U);
            }
        }
        return p;
    }();
    return pixels;
}

HICON TestClass::Icon() {
    static const HICON icon = MakeIcon();
    return icon;
}

WNDPROC TestClass::Procedure() {
    return TestProcedure;
}

int TestClass::CloseRequests(HWND window) {
    return static_cast<int>(GetWindowLongPtrW(window, kCloseSlot));
}

TestWindow::TestWindow(const std::wstring& title, DWORD style, DWORD exStyle, RECT rect,
                       COLORREF colour, HWND parent, HMENU menuOrId)
    : m_hwnd(CreateWindowExW(exStyle, TestClass::Name(), title.c_str(), style, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                             GetModuleHandleW(nullptr),
                             reinterpret_cast<void*>(static_cast<std::uintptr_t>(colour)))) {}

TestWindow::~TestWindow() {
    if (m_hwnd != nullptr) {
        DestroyWindow(m_hwnd);
    }
}

std::vector<std::uint32_t> CaptureScreen(const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + static_cast<std::size_t>(width) * height);
    for (std::uint32_t& p : pixels) {
        p &= 0x00FFFFFFU;
    }
    SelectObject(memory, previous);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::uint32_t PixelOf(COLORREF colour) {
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

bool ScreenShows(const RECT& rect, COLORREF colour) {
    const std::uint32_t want = PixelOf(colour);
    for (const std::uint32_t p : CaptureScreen(rect)) {
        if (p != want) {
            return false;
        }
    }
    return true;
}

std::wstring OwnPath() {
    std::wstring path(MAX_PATH * 4, L'\0');
    const DWORD size = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(size);
    return path;
}

} // namespace morvane::test
