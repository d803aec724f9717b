#include "platform/linux/x11/X11WindowPicker.h"

#include "platform/linux/LinuxProgramIconLookup.h"

namespace morvane::platform::x11 {

// On Wayland XWayland's display is not even opened: it only knows its own windows.
X11WindowPicker::X11WindowPicker(std::optional<FrameStyle> style, const SessionProbe& session)
    : X11WindowPicker(session.Type() == SessionType::Wayland ? nullptr : X11Windows::Open(), style,
                      ProcFs(), std::make_unique<LinuxProgramIconLookup>(), session) {}

X11WindowPicker::X11WindowPicker(std::unique_ptr<X11Windows> windows,
                                 std::optional<FrameStyle> style, ProcFs proc,
                                 std::unique_ptr<ProgramIconLookup> icons,
                                 const SessionProbe& session)
    : m_windows(std::move(windows)), m_proc(std::move(proc)), m_icons(std::move(icons)) {
    // Under XWayland the X server keeps the last pointer position it saw over one of its own
    // windows: over a native Wayland window the picker would return a stale X11 window, and a
    // close task made from it would end the wrong program.
    if (session.Type() == SessionType::Wayland) {
        m_windows.reset();
    }
    if (!m_windows) {
        m_reason = UnavailableReasonFor(session);
        return;
    }
    m_frame = std::make_unique<X11PickFrame>(
        *m_windows, style ? *style : X11PickFrame::PreferredStyle(*m_windows, session));
}

X11WindowPicker::~X11WindowPicker() {
    EraseFrame();
}

std::string X11WindowPicker::UnavailableReasonFor(const SessionProbe& session) {
    if (session.Type() == SessionType::Wayland) {
        return "Picking a window with the mouse does not work on a Wayland desktop: it cannot "
               "tell which program a window belongs to. Choose the program from the list of "
               "running programs instead.";
    }
    const std::string& display = session.X11Display();
    if (display.empty()) {
        return "Picking a window needs an X11 display, and none is set. Choose the program from "
               "the list of running programs instead.";
    }
    return "Picking a window needs the X11 display \"" + display +
           "\", which cannot be opened. Choose the program from the list of running programs "
           "instead.";
}

bool X11WindowPicker::IsAvailable() const {
    return m_windows != nullptr;
}

std::string X11WindowPicker::UnavailableReason() const {
    return m_reason;
}

std::optional<FrameStyle> X11WindowPicker::Style() const {
    if (!m_frame) {
        return std::nullopt;
    }
    return m_frame->Style();
}

std::optional<PickedWindow> X11WindowPicker::WindowUnderPointer() {
    if (!m_windows) {
        return std::nullopt;
    }
    const XId deepest = m_windows->DeepestUnderPointer();
    if (deepest == 0 || deepest == m_windows->Root()) {
        return std::nullopt; // another screen, or the bare desktop: no program is there
    }
    // Over decorations the frame is under the pointer; the program's window is inside it.
    XId top = m_windows->ClientOf(deepest);
    if (top == 0) {
        top = m_windows->TopLevelOf(deepest); // unmanaged: a menu, a tooltip, a dock
    }
    if (top == 0) {
        return std::nullopt; // gone while we looked
    }
    PickedWindow picked;
    picked.deepest = deepest;
    picked.topLevel = top;
    const std::int64_t pid = m_windows->ProcessId(top);
    if (const std::optional<pid_t> valid = ProcFs::ValidPid(pid); valid && m_proc.Exists(*valid)) {
        picked.pid = pid;
        picked.programName = m_proc.ExeName(*valid);
        picked.executablePath = m_proc.ProgramPath(*valid).value_or(std::string{});
    }
    picked.title = m_windows->Title(top);
    const auto [instance, windowClass] = m_windows->WmClass(top);
    picked.className = windowClass;
    picked.icon = IconOf(top);
    // Named even when the window has pixels: some window managers put their own default icon
    // on windows without one, and the program's own picture is the better choice then.
    ProgramIdentity program;
    program.executablePath = picked.executablePath;
    program.programName = picked.programName;
    program.windowInstance = instance;
    program.windowClass = windowClass;
    picked.iconName = m_icons->IconFor(program);
    if (picked.iconName.empty()) {
        picked.iconName = picked.programName; // the theme may know the program by name
    }
    return picked;
}

WindowIcon X11WindowPicker::IconOf(XId client) {
    // The timer asks every 50 ms; the pixels are fetched again only for another window.
    if (client != m_iconWindow) {
        m_iconWindow = client;
        const long maxItems = 2 + static_cast<long>(NetWmIcon::kMaxSide * NetWmIcon::kMaxSide);
        m_icon = NetWmIcon::Choose(m_windows->Cardinals(client, "_NET_WM_ICON", maxItems * 2),
                                   kIconSize);
    }
    return m_icon;
}

XId X11WindowPicker::FrameTargetOf(WindowId window) {
    if (!m_windows || window == 0 || window == m_windows->Root()) {
        return 0;
    }
    const XId client = m_windows->ClientOf(window);
    if (client != 0 && client != window) {
        for (XId up = m_windows->Parent(window); up != 0 && up != m_windows->Root();
             up = m_windows->Parent(up)) {
            if (up == client) {
                return window; // a control inside a program's window
            }
        }
    }
    return m_windows->TopLevelOf(window);
}

std::optional<Rect> X11WindowPicker::FrameRectFor(WindowId window) {
    const XId target = FrameTargetOf(window);
    if (target == 0) {
        return std::nullopt;
    }
    return m_windows->OuterRect(target);
}

void X11WindowPicker::DrawFrame(WindowId window) {
    if (!m_frame) {
        return;
    }
    if (window == m_framedWindow && m_frame->Drawn()) {
        return; // already outlined
    }
    EraseFrame();
    m_framedWindow = window;
    m_framedTarget = FrameTargetOf(window);
    if (const auto rect = m_windows->OuterRect(m_framedTarget)) {
        m_frame->Draw(*rect);
    }
}

void X11WindowPicker::EraseFrame() {
    if (!m_frame || !m_frame->Drawn()) {
        m_framedWindow = 0;
        return;
    }
    // Inverting again restores the pixels only where they stayed put; a window that moved,
    // changed size or vanished since takes the frame's pixels along or leaves them behind.
    const auto now = m_windows->OuterRect(m_framedTarget);
    if (now == m_frame->Drawn()) {
        m_frame->Erase();
    } else {
        m_frame->EraseByRepaint(now);
    }
    m_framedWindow = 0;
    m_framedTarget = 0;
}

} // namespace morvane::platform::x11
