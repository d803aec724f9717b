#pragma once

#include "platform/Power.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace morvane::platform {

/// Records power requests by name, in order; never touches the machine.
class FakePower final : public Power {
public:
    [[nodiscard]] int PollDescriptor() const override { return -1; }
    void Process() override {}
    void SetMainWindow(std::uint64_t nativeHandle) override { mainWindow = nativeHandle; }
    void EnableShutdownPrivilege() override { calls.emplace_back("EnableShutdownPrivilege"); }
    [[nodiscard]] std::string HibernateUnavailableReason() const override {
        return hibernateReason;
    }
    void HibernatePC() override { calls.emplace_back("HibernatePC"); }
    void ShutDownPC() override { calls.emplace_back("ShutDownPC"); }
    void RebootPC() override { calls.emplace_back("RebootPC"); }
    void LogOffUser() override { calls.emplace_back("LogOffUser"); }
    void TurnOffMonitor() override { calls.emplace_back("TurnOffMonitor"); }
    void SuspendPC() override { calls.emplace_back("SuspendPC"); }
    void LockScreen() override { calls.emplace_back("LockScreen"); }
    void SetOutcomeHandler(const OutcomeHandler& handler) override { outcome = handler; }

    /// Plays the system refusing `action`, as a back end hears it later.
    void Refuse(const std::string& action, const std::string& reason) const {
        Tell(Outcome::Refused, action, reason);
    }
    /// Plays the system's later word on `action`.
    void Tell(Outcome what, const std::string& action, const std::string& reason = {}) const {
        if (outcome) {
            outcome(what, action, reason);
        }
    }

    std::vector<std::string> calls;
    std::string hibernateReason; ///< Non-empty: this machine cannot hibernate.
    std::uint64_t mainWindow = 0;
    OutcomeHandler outcome;
};

} // namespace morvane::platform
