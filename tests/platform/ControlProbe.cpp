// A running instance for the start tests: claims the channel's name as the program does and
// answers until asked to cancel everything. It is not the test's child, so it also ends after a
// minute of its own, for a failed test not to leave it behind for longer. Exits with 3 when
// another instance has the name, 4 when there is no session bus.
#include "platform/linux/LinuxControlServer.h"

#include <chrono>
#include <poll.h>

int main() {
    using morvane::platform::ControlReply;
    using morvane::platform::ControlRequest;
    using morvane::platform::ControlServer;
    using morvane::platform::ControlVerb;

    morvane::platform::LinuxControlServer server;
    bool done = false;
    server.SetHandler([&done](const ControlRequest& request) {
        done = request.verb == ControlVerb::CancelAll;
        return ControlReply{};
    });
    const ControlServer::Claim claim = server.ClaimName();
    if (claim != ControlServer::Claim::Ours) {
        return claim == ControlServer::Claim::TakenByAnother ? 3 : 4;
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!done) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return 1;
        }
        pollfd watched{server.PollDescriptor(), POLLIN, 0};
        poll(&watched, 1, static_cast<int>(left.count()));
        server.Process();
    }
    return 0;
}
