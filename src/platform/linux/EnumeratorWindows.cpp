#include "Enumerator.h"

// The enumerator's window operations. Until the X11 window services land here, every window
// question gets the neutral answer (0, false, the empty text) and a snapshot holds no windows.

namespace morvane::platform {

void Enumerator::EnumWindowsInto(std::vector<WindowId>& /*winds*/) {}

WindowId Enumerator::DesktopWind() {
    return 0;
}

ProcessId Enumerator::WindProcess(WindowId /*hWnd*/) {
    return 0;
}

ThreadId Enumerator::WindThread(WindowId /*hWnd*/) {
    return 0;
}

WindowId Enumerator::ParentWind(WindowId /*hWnd*/) {
    return 0;
}

bool Enumerator::IsValidWindow(WindowId /*hWnd*/) {
    return false;
}

std::string Enumerator::ClassName(WindowId /*hWnd*/) {
    return {};
}

std::string Enumerator::GetWindText(WindowId /*hWnd*/) {
    return {};
}

std::int32_t Enumerator::GetWindTextLength(WindowId /*hWnd*/) {
    return 0;
}

WindowId Enumerator::Progenitor(WindowId hWnd) {
    return hWnd; // Without parents every window is its own outermost one.
}

bool Enumerator::IsEnabled(WindowId /*hWnd*/) {
    return false;
}

bool Enumerator::IsVisible(WindowId /*hWnd*/) {
    return false;
}

Handle Enumerator::MenuHandle(WindowId /*hWnd*/) {
    return 0;
}

Handle Enumerator::SubMenu(Handle /*hMenu*/, std::int32_t /*position*/) {
    return 0;
}

bool Enumerator::IsOnTop(WindowId /*hWnd*/) {
    return false;
}

std::int64_t Enumerator::StyleVal(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::ExtStyleVal(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetHandleInstance(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetUserData(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetWndProc(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetControlID(WindowId /*hWnd*/) {
    return 0;
}

bool Enumerator::SetParent(WindowId /*hWnd*/, WindowId /*NewParent*/) {
    return false;
}

bool Enumerator::SetVisible(WindowId /*hWnd*/, bool /*Visible*/) {
    return false;
}

bool Enumerator::SetOntop(WindowId /*hWnd*/, bool /*TopMost*/) {
    return false;
}

bool Enumerator::SetEnabled(WindowId /*hWnd*/, bool /*Enabled*/) {
    return false;
}

void Enumerator::ForeGround(WindowId /*hWnd*/) {}

void Enumerator::ActiveWind(WindowId /*hWnd*/) {}

void Enumerator::FocusWind(WindowId /*hWnd*/) {}

void Enumerator::SetWindPos(WindowId /*hWnd*/, std::int16_t /*state*/) {}

void Enumerator::TerminateWind(WindowId /*hWnd*/) {}

std::int32_t Enumerator::WindPos(WindowId /*hWnd*/) {
    return 0;
}

bool Enumerator::Flash(WindowId /*hWnd*/, bool /*Flasher*/) {
    return false;
}

void Enumerator::SetWinSizePos(WindowId /*hWnd*/, std::int32_t /*left*/, std::int32_t /*top*/,
                               std::int32_t /*Width*/, std::int32_t /*Height*/) {}

WindowId Enumerator::GetRelWindow(WindowId /*hWnd*/, std::int32_t /*RelType*/) {
    return 0;
}

void Enumerator::BringToTop(WindowId /*hWnd*/) {}

void Enumerator::SendToBottom(WindowId /*hWnd*/) {}

Handle Enumerator::GetDC(WindowId /*hWnd*/) {
    return 0;
}

void Enumerator::RelDC(WindowId /*hWnd*/, Handle /*hDC*/) {}

void Enumerator::SetWindText(WindowId /*hWnd*/, const std::string& /*Text*/) {}

void Enumerator::ForceRedraw(WindowId /*hWnd*/) {}

Handle Enumerator::GetBigIconH(WindowId /*hWnd*/) {
    return 0;
}

Handle Enumerator::GetSmallIconH(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassExtraBytes(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassExtraWndBytes(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClasshBackgroundBrush(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassHCursor(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassHIcon(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClasshSmallIcon(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassHModule(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassMenuName(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassStyle(WindowId /*hWnd*/) {
    return 0;
}

std::int64_t Enumerator::GetClassWndProc(WindowId /*hWnd*/) {
    return 0;
}

} // namespace morvane::platform
