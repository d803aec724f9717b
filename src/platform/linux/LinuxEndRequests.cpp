#include "platform/linux/LinuxEndRequests.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace morvane::platform {

namespace {

// The handler has only this to reach the socket by; the instance owns it.
int g_signalFd = -1;
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// Only async-signal-safe work here: one byte down the socket, read by the event loop.
void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(g_signalFd, &byte, 1);
}

} // namespace

LinuxEndRequests::LinuxEndRequests() {
    int ends[2] = {-1, -1};
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        return;
    }
    m_wake.Reset(ends[0]);
    m_signal.Reset(ends[1]);
    g_signalFd = m_signal.Get();
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
    g_signalFd = -1;
}

int LinuxEndRequests::WakeDescriptor() const {
    return m_wake.Get();
}

void LinuxEndRequests::Acknowledge() {
    char byte = 0;
    [[maybe_unused]] const ssize_t n = read(m_wake.Get(), &byte, 1);
}

} // namespace morvane::platform
