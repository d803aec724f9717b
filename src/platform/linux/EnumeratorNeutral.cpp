#include "platform/Enumerator.h"

// The enumerator's operations that X11 and Linux have nothing for: window classes with extra
// bytes, message procedures and styles, menus, drawing contexts, enabling input, hung message
// queues. Each gives the neutral answer and changes nothing.

namespace morvane::platform {

ThreadId Enumerator::WindThread(WindowId /*hWnd*/) {
    return 0; // X11 windows belong to a connection, not to a thread
}

bool Enumerator::ThreadHung(ThreadId /*ThreadID*/) {
    return false; // No window-message queue to stop answering.
}

bool Enumerator::IsEnabled(WindowId /*hWnd*/) {
    return false;
}

Handle Enumerator::MenuHandle(WindowId /*hWnd*/) {
    return 0;
}

Handle Enumerator::SubMenu(Handle /*hMenu*/, std::int32_t /*position*/) {
    return 0;
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

bool Enumerator::SetEnabled(WindowId /*hWnd*/, bool /*Enabled*/) {
    return false;
}

void Enumerator::FocusWind(WindowId /*hWnd*/) {}

Handle Enumerator::GetDC(WindowId /*hWnd*/) {
    return 0;
}

void Enumerator::RelDC(WindowId /*hWnd*/, Handle /*hDC*/) {}

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
