#include "platform/windows/WindowsEndRequests.h"

namespace morvane::platform {

namespace {

constexpr const wchar_t* kClassName = L"MorvaneSessionEnd";

} // namespace

WindowsEndRequests::WindowsEndRequests() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &WindowsEndRequests::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    // A second instance of this object finds the class registered: that is fine.
    RegisterClassExW(&windowClass);
    // Top-level and never shown: message-only windows do not hear the session's end.
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, windowClass.hInstance, nullptr);
    if (m_window != nullptr) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
}

WindowsEndRequests::~WindowsEndRequests() {
    if (m_window != nullptr) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

void WindowsEndRequests::SetSessionEndHandler(std::function<void()> handler) {
    m_handler = std::move(handler);
}

LRESULT CALLBACK WindowsEndRequests::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    auto* self = reinterpret_cast<WindowsEndRequests*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE; // nothing to ask the user: the files are kept without asking
    case WM_ENDSESSION:
        // wParam FALSE: another program refused and the session goes on.
        if (wParam != FALSE && self != nullptr && self->m_handler) {
            self->m_handler();
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace morvane::platform
