// A second program for the single-instance tests: takes the lock of the data folder named by
// its argument, as the program does, says "held" and keeps it until its input closes; exits
// with 3 at once when another holds it.
#include "platform/linux/LinuxSingleInstance.h"

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    morvane::platform::LinuxSingleInstance instance(
        morvane::platform::LinuxSingleInstance::DefaultLockPath("morvane", argv[1]));
    if (!instance.TryAcquire()) {
        return 3;
    }
    std::puts("held");
    std::fflush(stdout);
    char c = 0;
    while (read(STDIN_FILENO, &c, 1) > 0) {
    }
    return 0;
}
