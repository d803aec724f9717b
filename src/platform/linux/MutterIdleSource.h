#pragma once

#include "platform/IdleSource.h"
#include "platform/linux/BusConnection.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace morvane::platform {

/// GNOME's idle time, from mutter's idle monitor on the session bus: how long ago the last input
/// of any kind came. Each sample takes the answer to the question the sample before it sent,
/// on a connection of its own, without waiting, and sends the next question.
class MutterIdleSource final : public IdleSource {
public:
    /// The source, or nullptr when mutter's idle monitor does not answer on the session bus;
    /// `reason` then says why. It is asked once, waiting a moment at most.
    [[nodiscard]] static std::unique_ptr<MutterIdleSource> Open(std::string& reason);

    [[nodiscard]] bool IsAvailable() const override { return true; }
    [[nodiscard]] std::string UnavailableReason() const override { return {}; }
    [[nodiscard]] bool SeesAnyInput() const override { return true; }
    /// Active when mutter's idle time is shorter than the time since the answer before it was
    /// measured; unknown when no answer came since the previous sample.
    Activity Sample() override;
    /// Forgets the answers so far: the next sample looks for input since now.
    void Reset() override;

private:
    using Clock = std::chrono::steady_clock;
    /// An idle time, and when mutter measured it: at the latest when its question went out.
    struct Answer {
        std::chrono::milliseconds idle;
        Clock::time_point measured;
    };

    MutterIdleSource();
    /// Sends the next question unless one is out.
    void Ask();

    BusConnection m_bus; // a loop of its own, run by `Sample` only
    bool m_asking = false;
    std::optional<Answer> m_latest; // came since the previous sample
    Clock::time_point m_previous;   // when the answer the previous sample used was measured
};

} // namespace morvane::platform
