#pragma once

#include "platform/Control.h"
#include "platform/linux/SdBusPtr.h"

#include <cstdint>
#include <string>

namespace morvane::platform {

/// The command line's side of the channel: blocking calls to the running instance on the
/// session bus, made before anything else of the program runs. Opens the bus on first use.
class LinuxControlClient final : public ControlClient {
public:
    /// How long an instance has to answer: one that is starting may still be loading a long
    /// list of tasks.
    static constexpr std::uint64_t kAnswerTimeoutUsec = 60'000'000;

    explicit LinuxControlClient(std::uint64_t answerTimeoutUsec = kAnswerTimeoutUsec)
        : m_answerTimeoutUsec(answerTimeoutUsec) {}

    bool InstanceRuns() override;
    /// A refusal (the instance's Refused error) is an answer; any other error is not.
    Result Send(const ControlRequest& request, ControlReply& reply) override;
    /// Starts `executable` as a program of its own (LinuxLauncher) and waits for the name to
    /// get an owner.
    Result StartInstance(const std::string& executable, int timeoutMs) override;

private:
    Result Connect();
    /// Whether the name has an owner now; an error when the bus cannot tell.
    Result HasOwner(bool& owned);

    std::uint64_t m_answerTimeoutUsec;
    UniqueBus m_bus;
};

} // namespace morvane::platform
