// A child the close-request tests start: one visible top-level window, and a message loop that
// ends with exit code 8 once the window is closed, as a program does when its close box is
// clicked. Like the process child, it sets the event named after its pid once its window shows.
#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(8);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int main() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MorvaneWindowChild";
    RegisterClassW(&windowClass);
    HWND window =
        CreateWindowExW(0, windowClass.lpszClassName, L"Morvane window child", WS_OVERLAPPEDWINDOW,
                        40, 40, 240, 120, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        return 2;
    }
    ShowWindow(window, SW_SHOWNOACTIVATE);
    const std::wstring ready =
        L"Local\\morvane-child-ready-" + std::to_wstring(GetCurrentProcessId());
    if (HANDLE event = CreateEventW(nullptr, TRUE, FALSE, ready.c_str()); event != nullptr) {
        SetEvent(event); // kept open: the test may open it after we set it
    }
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
