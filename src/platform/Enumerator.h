#pragma once

#include "platform/Processes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace morvane::platform {

using WindowId = std::uint64_t;
using ThreadId = std::int64_t;
/// Any other handle the window system hands out (menus, drawing contexts, icons).
using Handle = std::uint64_t;

/// The platform's window system, defined by the back end (on Linux a connection to an X11
/// display). The enumerator works on one without owning it.
class WindowSystem;

/// One thread of a thread snapshot.
struct ThreadEntry {
    ThreadId ThreadID = 0;
    ProcessId OwnerProcessID = 0;
    bool operator==(const ThreadEntry&) const = default;
};

/// Answers questions about processes, threads and windows, and can hold one snapshot of all of
/// them. Made for one use and dropped. Every list keeps a placeholder at index 0; real entries
/// are 1 to N in the order the system reported them, and N is the list's count. A failed system
/// call answers 0, false or the empty text; nothing is ever thrown or shown.
///
/// The back end is chosen by the build: the text and snapshot-keeping operations are shared, the
/// process, thread and window operations come from the platform's own files.
class Enumerator {
public:
    /// Works on the windows of `windows`, which must outlive it; with nullptr every window
    /// operation gives the neutral answer (0, false, the empty text).
    explicit Enumerator(WindowSystem* windows);
    ~Enumerator();
    Enumerator(const Enumerator&) = delete;
    Enumerator& operator=(const Enumerator&) = delete;

    /// 1 makes every list query take a fresh snapshot; any other value reuses a stored one.
    [[nodiscard]] std::int32_t NewEnum() const { return m_newEnum; }
    /// Sets what a list query does when a snapshot is already stored (see `NewEnum`).
    void SetNewEnum(std::int32_t EnumNew) { m_newEnum = EnumNew; }

    /// The process that owns a window; 0 for an invalid window.
    ProcessId WindProcess(WindowId hWnd);
    /// The thread that created a window; 0 for an invalid window.
    ThreadId WindThread(WindowId hWnd);
    /// The executable's file name of a process, without folder; empty when it is not running.
    std::string ProcessName(ProcessId ProcessID);
    /// The parent (or owner) of a window; 0 when it has none.
    WindowId ParentWind(WindowId hWnd);
    /// The desktop (root) window; 0 where there is no window system.
    WindowId DesktopWind();
    /// The value's 32 bits as eight upper-case hexadecimal digits.
    [[nodiscard]] static std::string Format8(std::int32_t Value);
    /// Copies the stored process ids, placeholder included; takes a snapshot first if needed.
    void ReturnProcessEnum(std::vector<ProcessId>& Process);
    /// Copies the ids of the stored threads, placeholder included; takes a snapshot first if
    /// needed.
    void ReturnThreadEnum(std::vector<ThreadId>& Threads);
    /// Copies the stored windows, placeholder included; takes a snapshot first if needed.
    void ReturnWindEnum(std::vector<WindowId>& Winds);
    /// Whether the handle names an existing window.
    bool IsValidWindow(WindowId hWnd);
    /// Drops the stored snapshot: every list back to its placeholder.
    void DestroyEnums();
    /// Whether a snapshot is stored.
    [[nodiscard]] bool EnumsReady() const { return m_enumsReady; }
    /// Takes a new snapshot of windows (top-level, then all descendants, then the desktop once),
    /// processes and threads.
    void EnumAll();
    /// Ends a process forcibly; true when the request was delivered. Never our own or pid <= 0.
    bool KillProcess(ProcessId ProcessID);
    /// The count of the stored window list; never takes a snapshot.
    [[nodiscard]] std::int32_t NumOfWinds() const;
    /// The count of the stored process list; never takes a snapshot.
    [[nodiscard]] std::int32_t NumOfProcesses() const;
    /// The count of the stored thread list; never takes a snapshot.
    [[nodiscard]] std::int32_t NumOfThreads() const;
    /// The text before its first NUL character; the whole text when there is none.
    [[nodiscard]] static std::string FixApi(const std::string& APIString);
    /// The window's class name.
    std::string ClassName(WindowId hWnd);
    /// The window's title.
    std::string GetWindText(WindowId hWnd);
    /// The length of the window's title in characters.
    std::int32_t GetWindTextLength(WindowId hWnd);
    /// The outermost window reached by following parents: the window itself when it has none.
    WindowId Progenitor(WindowId hWnd);
    /// Whether the window accepts input.
    bool IsEnabled(WindowId hWnd);
    /// Whether the window is shown.
    bool IsVisible(WindowId hWnd);
    /// The process that owns a thread; 0 when the thread does not exist.
    ProcessId ThreadProcess(ThreadId ThreadID);
    /// Whether the thread has stopped answering its window messages.
    bool ThreadHung(ThreadId ThreadID);
    /// The window's menu; 0 when it has none.
    Handle MenuHandle(WindowId hWnd);
    /// The submenu at a position of a menu; 0 when `hMenu` is not a menu.
    Handle SubMenu(Handle hMenu, std::int32_t position);
    /// Whether the window stays above all others.
    bool IsOnTop(WindowId hWnd);
    /// Whether every bit of `StyleCheck` is set in `StyleLong`.
    [[nodiscard]] static bool IsStyle(std::int32_t StyleLong, std::int32_t StyleCheck);
    /// The window's style bits; 0 for an invalid window.
    std::int64_t StyleVal(WindowId hWnd);
    /// The window's extended style bits; 0 for an invalid window.
    std::int64_t ExtStyleVal(WindowId hWnd);
    /// The module instance that owns the window; 0 for an invalid window.
    std::int64_t GetHandleInstance(WindowId hWnd);
    /// The window's user data value; 0 for an invalid window.
    std::int64_t GetUserData(WindowId hWnd);
    /// The window's message procedure; 0 for an invalid window.
    std::int64_t GetWndProc(WindowId hWnd);
    /// The window's control identifier; 0 for an invalid window.
    std::int64_t GetControlID(WindowId hWnd);
    /// Moves the window under a new parent; true when it had a previous parent.
    bool SetParent(WindowId hWnd, WindowId NewParent);
    /// Shows (without activating) or hides the window; true when it was visible before.
    bool SetVisible(WindowId hWnd, bool Visible);
    /// Puts the window above all others or takes it back into the normal order.
    bool SetOntop(WindowId hWnd, bool TopMost);
    /// Enables or disables input to the window; true when it was disabled before.
    bool SetEnabled(WindowId hWnd, bool Enabled);
    /// Brings the window to the foreground.
    void ForeGround(WindowId hWnd);
    /// Activates the window.
    void ActiveWind(WindowId hWnd);
    /// Gives the window the keyboard focus.
    void FocusWind(WindowId hWnd);
    /// Shows the window normal (0), maximised (1) or minimised (2); other states do nothing.
    void SetWindPos(WindowId hWnd, std::int16_t state);
    /// Asks the window to close; it is not forced.
    void TerminateWind(WindowId hWnd);
    /// 1 when the window is maximised, else 2 when minimised, else 0.
    std::int32_t WindPos(WindowId hWnd);
    /// Flashes the window's caption once, or restores it; the system's answer.
    bool Flash(WindowId hWnd, bool Flasher);
    /// Moves and sizes the window and repaints it.
    void SetWinSizePos(WindowId hWnd, std::int32_t left, std::int32_t top, std::int32_t Width,
                       std::int32_t Height);
    /// A window related to this one (next, previous, owner, first child...).
    WindowId GetRelWindow(WindowId hWnd, std::int32_t RelType);
    /// Raises the window to the top of the stacking order.
    void BringToTop(WindowId hWnd);
    /// Sends the window to the bottom of the stacking order.
    void SendToBottom(WindowId hWnd);
    /// A drawing context for the whole window, frame included.
    Handle GetDC(WindowId hWnd);
    /// Gives back a drawing context obtained by `GetDC`.
    void RelDC(WindowId hWnd, Handle hDC);
    /// Sets the window's title.
    void SetWindText(WindowId hWnd, const std::string& Text);
    /// Repaints the whole window now.
    void ForceRedraw(WindowId hWnd);
    /// The window's large icon; 0 when it has none.
    Handle GetBigIconH(WindowId hWnd);
    /// The window's small icon; 0 when it has none.
    Handle GetSmallIconH(WindowId hWnd);
    /// Extra bytes the window's class reserves.
    std::int64_t GetClassExtraBytes(WindowId hWnd);
    /// Extra bytes each window of the class reserves.
    std::int64_t GetClassExtraWndBytes(WindowId hWnd);
    /// The class's background brush.
    std::int64_t GetClasshBackgroundBrush(WindowId hWnd);
    /// The class's cursor.
    std::int64_t GetClassHCursor(WindowId hWnd);
    /// The class's icon.
    std::int64_t GetClassHIcon(WindowId hWnd);
    /// The class's small icon.
    std::int64_t GetClasshSmallIcon(WindowId hWnd);
    /// The module that registered the class.
    std::int64_t GetClassHModule(WindowId hWnd);
    /// The class's menu name resource.
    std::int64_t GetClassMenuName(WindowId hWnd);
    /// The class's style bits.
    std::int64_t GetClassStyle(WindowId hWnd);
    /// The class's message procedure.
    std::int64_t GetClassWndProc(WindowId hWnd);

private:
    /// Takes a snapshot first when `NewEnum` asks for it or none is stored.
    void EnsureSnapshot();
    /// Appends every top-level window, then every descendant of those, in the system's order.
    void EnumWindowsInto(std::vector<WindowId>& winds);
    /// Appends the id of every process, in the system's order.
    void EnumProcessesInto(std::vector<ProcessId>& processes);
    /// Appends every thread of every process, in the system's order.
    void EnumThreadsInto(std::vector<ThreadEntry>& threads);

    WindowSystem* m_windowSystem;
    std::vector<WindowId> m_winds;
    std::vector<ThreadEntry> m_threads;
    std::vector<ProcessId> m_processes;
    bool m_enumsReady = false;
    std::int32_t m_newEnum = 0;
};

} // namespace morvane::platform
