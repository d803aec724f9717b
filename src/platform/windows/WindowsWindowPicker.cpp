#include "platform/windows/WindowsWindowPicker.h"

#include "platform/windows/GdiHandle.h"
#include "platform/windows/IconPixels.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"
#include "platform/windows/WindowSystem.h"
#include "platform/windows/WindowText.h"
#include "platform/windows/WindowsProgramIconLookup.h"

#include <dwmapi.h>
#include <shellapi.h>
#include <tlhelp32.h>

namespace morvane::platform {

namespace {

using windows::Narrow;
using windows::ToHwnd;
using windows::ToWindowId;

// Long paths included.
constexpr DWORD kPathCapacity = 32768;
// A window that does not answer within this time shows no icon of its own: it may hang.
constexpr UINT kIconTimeoutMs = 200;

// The bare desktop and the shell's desktop behind the icons stand for no program the user
// could mean; picking them would name the shell as the program to close.
bool IsDesktop(HWND topLevel) {
    if (topLevel == GetDesktopWindow()) {
        return true;
    }
    HWND shell = GetShellWindow();
    if (shell == nullptr) {
        return false;
    }
    if (topLevel == shell) {
        return true;
    }
    DWORD shellPid = 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(shell, &shellPid);
    GetWindowThreadProcessId(topLevel, &pid);
    // The wallpaper's layer behind the desktop icons.
    return pid == shellPid && windows::ClassNameOf(topLevel) == "WorkerW";
}

std::string ImagePathOf(DWORD pid) {
    // Limited access is granted for processes of other users and elevated ones too.
    const windows::UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) {
        return {};
    }
    std::wstring path(kPathCapacity, L'\0');
    DWORD size = kPathCapacity;
    if (QueryFullProcessImageNameW(process.get(), 0, path.data(), &size) == FALSE) {
        return {};
    }
    path.resize(size);
    return Narrow(path);
}

// The name the process snapshot gives, for a process whose path cannot be read.
std::string SnapshotNameOf(DWORD pid) {
    const windows::UniqueHandle snapshot =
        windows::Own(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return {};
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more != FALSE;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == pid) {
            return Narrow(entry.szExeFile);
        }
    }
    return {};
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The window's own icon: the one it was given, else its class's; not ours to destroy.
HICON WindowIconOf(HWND hwnd) {
    for (const WPARAM which : {WPARAM{ICON_BIG}, WPARAM{ICON_SMALL2}}) {
        DWORD_PTR icon = 0;
        if (SendMessageTimeoutW(hwnd, WM_GETICON, which, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                kIconTimeoutMs, &icon) != 0 &&
            icon != 0) {
            return reinterpret_cast<HICON>(icon);
        }
    }
    if (const ULONG_PTR icon = GetClassLongPtrW(hwnd, GCLP_HICON); icon != 0) {
        return reinterpret_cast<HICON>(icon);
    }
    return reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICONSM));
}

} // namespace

WindowsWindowPicker::WindowsWindowPicker()
    : WindowsWindowPicker(std::make_unique<WindowsProgramIconLookup>()) {}

WindowsWindowPicker::WindowsWindowPicker(std::unique_ptr<ProgramIconLookup> icons)
    : m_icons(std::move(icons)) {}

WindowsWindowPicker::~WindowsWindowPicker() {
    EraseFrame();
}

bool WindowsWindowPicker::IsAvailable() const {
    return true;
}

std::string WindowsWindowPicker::UnavailableReason() const {
    return {};
}

std::optional<PickedWindow> WindowsWindowPicker::WindowUnderPointer() {
    POINT point{};
    if (GetCursorPos(&point) == FALSE) {
        return std::nullopt;
    }
    HWND deepest = WindowFromPoint(point);
    HWND top = deepest != nullptr ? GetAncestor(deepest, GA_ROOT) : nullptr;
    if (top == nullptr || IsDesktop(top)) {
        return std::nullopt;
    }
    PickedWindow picked;
    picked.deepest = ToWindowId(deepest);
    picked.topLevel = ToWindowId(top);
    // Everything named is of the top-level window's program, so the process shown and the
    // process a close task ends are the same one even over a control another program embeds.
    DWORD pid = 0;
    if (GetWindowThreadProcessId(top, &pid) != 0 && pid != 0) {
        picked.pid = static_cast<ProcessId>(pid);
        picked.executablePath = ImagePathOf(pid);
        picked.programName =
            picked.executablePath.empty() ? SnapshotNameOf(pid) : FileNameOf(picked.executablePath);
    }
    picked.title = windows::TitleOf(top);
    picked.className = windows::ClassNameOf(top);
    picked.icon = IconOf(top, picked.executablePath);
    ProgramIdentity program;
    program.executablePath = picked.executablePath;
    program.programName = picked.programName;
    program.windowClass = picked.className;
    picked.iconName = m_icons ? m_icons->IconFor(program) : std::string();
    if (picked.iconName.empty()) {
        picked.iconName = picked.programName;
    }
    return picked;
}

WindowIcon WindowsWindowPicker::IconOf(HWND topLevel, const std::string& executablePath) {
    // The timer asks every 50 ms; the pixels are read again only for another window.
    if (topLevel == m_iconWindow) {
        return m_icon;
    }
    m_iconWindow = topLevel;
    m_icon = windows::IconPixels(WindowIconOf(topLevel));
    if (m_icon.IsEmpty() && !executablePath.empty()) {
        // A window without an icon of its own: its program's first icon.
        HICON large = nullptr;
        if (ExtractIconExW(windows::Widen(executablePath).c_str(), 0, &large, nullptr, 1) > 0) {
            const windows::UniqueIcon extracted(large);
            m_icon = windows::IconPixels(extracted.get());
        }
    }
    return m_icon;
}

std::optional<RECT> WindowsWindowPicker::FrameRectFor(WindowId window) {
    HWND hwnd = ToHwnd(window);
    if (window == 0 || IsWindow(hwnd) == FALSE) {
        return std::nullopt;
    }
    RECT rect{};
    // A top-level window's rectangle takes in resize borders that the desktop compositor draws
    // invisible: a frame there would fall beside the window. What shows is what it outlines.
    // The program is DPI aware (Qt makes it so): these bounds and the screen's drawing context
    // both count physical pixels.
    if (GetAncestor(hwnd, GA_ROOT) == hwnd &&
        SUCCEEDED(DwmGetWindowAttribute(hwnd, DWMWA_EXTENDED_FRAME_BOUNDS, &rect, sizeof rect)) &&
        rect.right > rect.left && rect.bottom > rect.top) {
        return rect;
    }
    if (GetWindowRect(hwnd, &rect) == FALSE) {
        return std::nullopt;
    }
    return rect;
}

void WindowsWindowPicker::DrawFrame(WindowId window) {
    if (window == m_framedWindow && m_frame.Drawn()) {
        return; // already outlined
    }
    EraseFrame();
    m_framedWindow = window;
    if (const auto rect = FrameRectFor(window)) {
        m_frame.Draw(*rect);
    }
}

void WindowsWindowPicker::EraseFrame() {
    const auto drawn = m_frame.Drawn();
    if (drawn) {
        // Inverting again restores the pixels only where they stayed put; a window that moved,
        // changed size or vanished since takes the frame's pixels along or leaves them behind.
        const auto now = FrameRectFor(m_framedWindow);
        if (now && EqualRect(&*now, &*drawn) != FALSE) {
            m_frame.Erase();
        } else {
            m_frame.EraseByRepaint(now);
        }
    }
    m_framedWindow = 0;
}

} // namespace morvane::platform
