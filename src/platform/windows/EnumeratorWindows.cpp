#include "platform/Enumerator.h"

#include "platform/windows/WideText.h"
#include "platform/windows/WindowSystem.h"
#include "platform/windows/WindowText.h"

#include <algorithm>

// The enumerator's window operations on Win32, each the one user32 call that answers it, with
// the wide-character calls wherever a title or a class name crosses. Without a window system, and
// for a handle that names no window, every operation gives the neutral answer (0, false, the
// empty text) and changes nothing: several calls mean something else for a null handle (a posted
// WM_CLOSE would go to our own thread, InvalidateRect would repaint every window, GetWindowDC
// would hand out the whole screen).

namespace morvane::platform {

namespace {

using windows::ToHwnd;
using windows::ToWindowId;
using windows::Widen;

// A window that does not answer within this time has no icon for us: its program may hang.
constexpr UINT kIconTimeoutMs = 500;

// The window `id` names, when there is a window system and the window exists; else nullptr.
// Menus and drawing contexts leave as plain numbers, whatever the pointer size.
Handle ToHandle(const void* handle) {
    return static_cast<Handle>(reinterpret_cast<std::uintptr_t>(handle));
}

HWND Live(WindowSystem* windows, WindowId id) {
    if (windows == nullptr || id == 0) {
        return nullptr;
    }
    HWND hwnd = ToHwnd(id);
    return IsWindow(hwnd) != FALSE ? hwnd : nullptr;
}

BOOL CALLBACK AppendWindow(HWND hwnd, LPARAM list) {
    reinterpret_cast<std::vector<WindowId>*>(list)->push_back(ToWindowId(hwnd));
    return TRUE;
}

// Styles are 32 bits; kept unsigned so the top bit (WS_POPUP) does not turn the value negative.
std::int64_t WindowLong(HWND hwnd, int index) {
    return hwnd != nullptr
               ? static_cast<std::int64_t>(static_cast<DWORD>(GetWindowLongW(hwnd, index)))
               : 0;
}

// Handles and addresses: the whole pointer-sized value.
std::int64_t WindowLongPtr(HWND hwnd, int index) {
    return hwnd != nullptr ? static_cast<std::int64_t>(GetWindowLongPtrW(hwnd, index)) : 0;
}

std::int64_t ClassLong(HWND hwnd, int index) {
    return hwnd != nullptr
               ? static_cast<std::int64_t>(static_cast<DWORD>(GetClassLongW(hwnd, index)))
               : 0;
}

std::int64_t ClassLongPtr(HWND hwnd, int index) {
    return hwnd != nullptr ? static_cast<std::int64_t>(GetClassLongPtrW(hwnd, index)) : 0;
}

Handle IconOf(HWND hwnd, WPARAM which) {
    DWORD_PTR icon = 0;
    if (hwnd == nullptr ||
        SendMessageTimeoutW(hwnd, WM_GETICON, which, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                            kIconTimeoutMs, &icon) == 0) {
        return 0;
    }
    return static_cast<Handle>(icon);
}

} // namespace

void Enumerator::EnumWindowsInto(std::vector<WindowId>& winds) {
    if (m_windowSystem == nullptr) {
        return;
    }
    const std::size_t first = winds.size();
    EnumWindows(AppendWindow, reinterpret_cast<LPARAM>(&winds));
    // Every descendant of each top-level window, in the order the system reports them.
    std::vector<WindowId> descendants;
    for (std::size_t i = first; i < winds.size(); ++i) {
        EnumChildWindows(ToHwnd(winds[i]), AppendWindow, reinterpret_cast<LPARAM>(&descendants));
    }
    winds.insert(winds.end(), descendants.begin(), descendants.end());
}

WindowId Enumerator::DesktopWind() {
    return m_windowSystem != nullptr ? ToWindowId(GetDesktopWindow()) : 0;
}

ProcessId Enumerator::WindProcess(WindowId hWnd) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    DWORD pid = 0;
    if (hwnd == nullptr || GetWindowThreadProcessId(hwnd, &pid) == 0) {
        return 0;
    }
    return pid;
}

ThreadId Enumerator::WindThread(WindowId hWnd) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    return hwnd != nullptr ? GetWindowThreadProcessId(hwnd, nullptr) : 0;
}

WindowId Enumerator::ParentWind(WindowId hWnd) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    return hwnd != nullptr ? ToWindowId(GetParent(hwnd)) : 0;
}

bool Enumerator::IsValidWindow(WindowId hWnd) {
    return Live(m_windowSystem, hWnd) != nullptr;
}

std::string Enumerator::ClassName(WindowId hWnd) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    return hwnd != nullptr ? windows::ClassNameOf(hwnd) : std::string();
}

std::string Enumerator::GetWindText(WindowId hWnd) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    return hwnd != nullptr ? windows::TitleOf(hwnd) : std::string();
}

bool Enumerator::IsEnabled(WindowId hWnd) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    return hwnd != nullptr && IsWindowEnabled(hwnd) != FALSE;
}

bool Enumerator::IsVisible(WindowId hWnd) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    return hwnd != nullptr && IsWindowVisible(hwnd) != FALSE;
}

Handle Enumerator::MenuHandle(WindowId hWnd) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    HMENU menu = hwnd != nullptr ? GetMenu(hwnd) : nullptr;
    return menu != nullptr && IsMenu(menu) != FALSE ? ToHandle(menu) : 0;
}

Handle Enumerator::SubMenu(Handle hMenu, std::int32_t position) {
    auto* menu = reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(hMenu));
    if (m_windowSystem == nullptr || hMenu == 0 || IsMenu(menu) == FALSE) {
        return 0;
    }
    return ToHandle(GetSubMenu(menu, position));
}

bool Enumerator::IsOnTop(WindowId hWnd) {
    const auto exStyle = static_cast<std::int32_t>(ExtStyleVal(hWnd));
    return IsStyle(exStyle, WS_EX_TOPMOST);
}

std::int64_t Enumerator::StyleVal(WindowId hWnd) {
    return WindowLong(Live(m_windowSystem, hWnd), GWL_STYLE);
}

std::int64_t Enumerator::ExtStyleVal(WindowId hWnd) {
    return WindowLong(Live(m_windowSystem, hWnd), GWL_EXSTYLE);
}

std::int64_t Enumerator::GetHandleInstance(WindowId hWnd) {
    return WindowLongPtr(Live(m_windowSystem, hWnd), GWLP_HINSTANCE);
}

std::int64_t Enumerator::GetUserData(WindowId hWnd) {
    return WindowLongPtr(Live(m_windowSystem, hWnd), GWLP_USERDATA);
}

std::int64_t Enumerator::GetWndProc(WindowId hWnd) {
    return WindowLongPtr(Live(m_windowSystem, hWnd), GWLP_WNDPROC);
}

std::int64_t Enumerator::GetControlID(WindowId hWnd) {
    return WindowLongPtr(Live(m_windowSystem, hWnd), GWLP_ID);
}

bool Enumerator::SetParent(WindowId hWnd, WindowId NewParent) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    // 0 as the new parent makes the window a top-level one; any other value must be a window.
    if (hwnd == nullptr || (NewParent != 0 && Live(m_windowSystem, NewParent) == nullptr)) {
        return false;
    }
    return ::SetParent(hwnd, ToHwnd(NewParent)) != nullptr;
}

bool Enumerator::SetVisible(WindowId hWnd, bool Visible) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    return hwnd != nullptr && ShowWindow(hwnd, Visible ? SW_SHOWNA : SW_HIDE) != FALSE;
}

bool Enumerator::SetOntop(WindowId hWnd, bool TopMost) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    return hwnd != nullptr && SetWindowPos(hwnd, TopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0,
                                           0, SWP_NOMOVE | SWP_NOSIZE) != FALSE;
}

bool Enumerator::SetEnabled(WindowId hWnd, bool Enabled) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    return hwnd != nullptr && EnableWindow(hwnd, Enabled ? TRUE : FALSE) != FALSE;
}

void Enumerator::ForeGround(WindowId hWnd) {
    if (HWND hwnd = Live(m_windowSystem, hWnd); hwnd != nullptr) {
        SetForegroundWindow(hwnd);
    }
}

void Enumerator::ActiveWind(WindowId hWnd) {
    if (HWND hwnd = Live(m_windowSystem, hWnd); hwnd != nullptr) {
        SetActiveWindow(hwnd);
    }
}

void Enumerator::FocusWind(WindowId hWnd) {
    if (HWND hwnd = Live(m_windowSystem, hWnd); hwnd != nullptr) {
        SetFocus(hwnd);
    }
}

void Enumerator::SetWindPos(WindowId hWnd, std::int16_t state) {
    static constexpr int kShow[] = {SW_SHOWNORMAL, SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED};
    HWND hwnd = Live(m_windowSystem, hWnd);
    if (hwnd != nullptr && state >= 0 && state <= 2) {
        ShowWindow(hwnd, kShow[state]);
    }
}

void Enumerator::TerminateWind(WindowId hWnd) {
    // Posted, not sent: the window's program closes in its own time, or asks its user first.
    if (HWND hwnd = Live(m_windowSystem, hWnd); hwnd != nullptr) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    }
}

std::int32_t Enumerator::WindPos(WindowId hWnd) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    if (hwnd == nullptr) {
        return 0;
    }
    if (IsZoomed(hwnd) != FALSE) {
        return 1;
    }
    return IsIconic(hwnd) != FALSE ? 2 : 0;
}

bool Enumerator::Flash(WindowId hWnd, bool Flasher) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    return hwnd != nullptr && FlashWindow(hwnd, Flasher ? TRUE : FALSE) != FALSE;
}

void Enumerator::SetWinSizePos(WindowId hWnd, std::int32_t left, std::int32_t top,
                               std::int32_t Width, std::int32_t Height) {
    if (HWND hwnd = Live(m_windowSystem, hWnd); hwnd != nullptr) {
        MoveWindow(hwnd, left, top, Width, Height, TRUE);
    }
}

WindowId Enumerator::GetRelWindow(WindowId hWnd, std::int32_t RelType) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    if (hwnd == nullptr || RelType < 0) {
        return 0;
    }
    return ToWindowId(GetWindow(hwnd, static_cast<UINT>(RelType)));
}

void Enumerator::BringToTop(WindowId hWnd) {
    if (HWND hwnd = Live(m_windowSystem, hWnd); hwnd != nullptr) {
        BringWindowToTop(hwnd);
    }
}

void Enumerator::SendToBottom(WindowId hWnd) {
    if (HWND hwnd = Live(m_windowSystem, hWnd); hwnd != nullptr) {
        SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

Handle Enumerator::GetDC(WindowId hWnd) {
    HWND hwnd = Live(m_windowSystem, hWnd);
    return hwnd != nullptr ? ToHandle(GetWindowDC(hwnd)) : 0;
}

void Enumerator::RelDC(WindowId hWnd, Handle hDC) {
    if (m_windowSystem != nullptr && hDC != 0) {
        ReleaseDC(ToHwnd(hWnd), reinterpret_cast<HDC>(static_cast<std::uintptr_t>(hDC)));
    }
}

void Enumerator::SetWindText(WindowId hWnd, const std::string& Text) {
    if (HWND hwnd = Live(m_windowSystem, hWnd); hwnd != nullptr) {
        SetWindowTextW(hwnd, Widen(Text).c_str());
    }
}

void Enumerator::ForceRedraw(WindowId hWnd) {
    if (HWND hwnd = Live(m_windowSystem, hWnd); hwnd != nullptr) {
        InvalidateRect(hwnd, nullptr, TRUE);
        UpdateWindow(hwnd);
    }
}

Handle Enumerator::GetBigIconH(WindowId hWnd) {
    return IconOf(Live(m_windowSystem, hWnd), ICON_BIG);
}

Handle Enumerator::GetSmallIconH(WindowId hWnd) {
    return IconOf(Live(m_windowSystem, hWnd), ICON_SMALL);
}

std::int64_t Enumerator::GetClassExtraBytes(WindowId hWnd) {
    return ClassLong(Live(m_windowSystem, hWnd), GCL_CBCLSEXTRA);
}

std::int64_t Enumerator::GetClassExtraWndBytes(WindowId hWnd) {
    return ClassLong(Live(m_windowSystem, hWnd), GCL_CBWNDEXTRA);
}

std::int64_t Enumerator::GetClasshBackgroundBrush(WindowId hWnd) {
    return ClassLongPtr(Live(m_windowSystem, hWnd), GCLP_HBRBACKGROUND);
}

std::int64_t Enumerator::GetClassHCursor(WindowId hWnd) {
    return ClassLongPtr(Live(m_windowSystem, hWnd), GCLP_HCURSOR);
}

std::int64_t Enumerator::GetClassHIcon(WindowId hWnd) {
    return ClassLongPtr(Live(m_windowSystem, hWnd), GCLP_HICON);
}

std::int64_t Enumerator::GetClasshSmallIcon(WindowId hWnd) {
    return ClassLongPtr(Live(m_windowSystem, hWnd), GCLP_HICONSM);
}

std::int64_t Enumerator::GetClassHModule(WindowId hWnd) {
    return ClassLongPtr(Live(m_windowSystem, hWnd), GCLP_HMODULE);
}

std::int64_t Enumerator::GetClassMenuName(WindowId hWnd) {
    return ClassLongPtr(Live(m_windowSystem, hWnd), GCLP_MENUNAME);
}

std::int64_t Enumerator::GetClassStyle(WindowId hWnd) {
    return ClassLong(Live(m_windowSystem, hWnd), GCL_STYLE);
}

std::int64_t Enumerator::GetClassWndProc(WindowId hWnd) {
    return ClassLongPtr(Live(m_windowSystem, hWnd), GCLP_WNDPROC);
}

} // namespace morvane::platform
