#include "platform/linux/LinuxEndRequests.h"

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>

using morvane::platform::LinuxEndRequests;

namespace {

bool Readable(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, timeoutMs) == 1 && (p.revents & POLLIN) != 0;
}

} // namespace

TEST(LinuxEndRequests, EachEndSignalWakesTheEventLoopOnce) {
    LinuxEndRequests requests;
    const int fd = requests.WakeDescriptor();
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(Readable(fd, 0));
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) {
        ASSERT_EQ(raise(sig), 0);
        ASSERT_TRUE(Readable(fd, 5000)) << sig;
        requests.Acknowledge();
        EXPECT_FALSE(Readable(fd, 0)) << sig;
    }
}

TEST(LinuxEndRequests, HandlersGoAwayWithTheObject) {
    { LinuxEndRequests requests; }
    struct sigaction current {};
    ASSERT_EQ(sigaction(SIGTERM, nullptr, &current), 0);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
}
