#include "platform/linux/LinuxEndRequests.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace morvane::platform {

namespace {

int g_pipe[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// Only async-signal-safe work here: one byte down the socket, read by the event loop.
void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(g_pipe[1], &byte, 1);
}

} // namespace

LinuxEndRequests::LinuxEndRequests() {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        return;
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : kSignals) {
        sigaction(sig, &action, nullptr);
    }
}

LinuxEndRequests::~LinuxEndRequests() {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    for (int sig : kSignals) {
        sigaction(sig, &action, nullptr);
    }
    for (int& fd : g_pipe) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }
}

int LinuxEndRequests::WakeDescriptor() const {
    return g_pipe[0];
}

void LinuxEndRequests::Acknowledge() {
    char byte = 0;
    [[maybe_unused]] const ssize_t n = read(g_pipe[0], &byte, 1);
}

} // namespace morvane::platform
