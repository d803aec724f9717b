// A child the process tests start: it runs until its standard input closes, then exits with 7.
// Any other ending (a kill) gives another exit code, so a test sees whether it was ended by us.
// It ignores its arguments, so a copy can pose as an interpreter running a script.
#include <windows.h>

int main() {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[64];
    DWORD read = 0;
    while (input != nullptr && input != INVALID_HANDLE_VALUE &&
           ReadFile(input, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    }
    return 7;
}
