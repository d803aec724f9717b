#pragma once

#include "platform/EndRequests.h"

#include <windows.h>

#include <functional>

namespace morvane::platform {

/// Windows announces the session's end to every top-level window (WM_QUERYENDSESSION, then
/// WM_ENDSESSION) and ends the program as soon as WM_ENDSESSION is answered. A hidden window of
/// our own hears it on the GUI thread, whose event loop dispatches its messages, and runs the
/// handler before answering, so the files are kept.
class WindowsEndRequests final : public EndRequests {
public:
    WindowsEndRequests();
    ~WindowsEndRequests() override;
    WindowsEndRequests(const WindowsEndRequests&) = delete;
    WindowsEndRequests& operator=(const WindowsEndRequests&) = delete;

    [[nodiscard]] int WakeDescriptor() const override { return -1; }
    void Acknowledge() override {}
    void SetSessionEndHandler(std::function<void()> handler) override;

    /// The hidden window that hears the session's end; nullptr when it could not be made.
    [[nodiscard]] HWND Window() const { return m_window; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> m_handler;
    HWND m_window = nullptr;
};

} // namespace morvane::platform
