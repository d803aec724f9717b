// A child the process tests start: it runs until its standard input closes, then exits with 7.
// Any other ending (a kill) gives another exit code, so a test sees whether it was ended by us.
// It ignores its arguments, so a copy can pose as an interpreter running a script. Once running
// it sets the event named after its pid, so a test looks at it only when it is fully started.
#include <windows.h>

#include <string>

int main() {
    const std::wstring ready =
        L"Local\\morvane-child-ready-" + std::to_wstring(GetCurrentProcessId());
    if (HANDLE event = CreateEventW(nullptr, TRUE, FALSE, ready.c_str()); event != nullptr) {
        SetEvent(event); // kept open: the test may open it after we set it
    }
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[64];
    DWORD read = 0;
    while (input != nullptr && input != INVALID_HANDLE_VALUE &&
           ReadFile(input, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    }
    return 7;
}
