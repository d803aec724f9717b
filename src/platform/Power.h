#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace morvane::platform {

/// The machine's power requests. Every call is fire-and-forget: it returns at once, reports
/// nothing, and a refused request is simply not carried out. What the system answers later is
/// taken in by the event loop through `PollDescriptor` and `Process`.
class Power {
public:
    Power() = default;
    virtual ~Power() = default;
    Power(const Power&) = delete;
    Power& operator=(const Power&) = delete;

    /// A descriptor that becomes readable when answers to earlier requests wait for `Process`;
    /// -1 when none ever come, or when the wake handler says so instead.
    [[nodiscard]] virtual int PollDescriptor() const = 0;
    /// Takes in the answers that wait, without waiting for more.
    virtual void Process() = 0;
    /// Called from any thread when `Process` has answers waiting and no descriptor says so; set
    /// before the first request. It only hands the work on: calling `Process` from it would
    /// deadlock. Back ends with a descriptor, or without answers, ignore it.
    // By value, as the back ends that use it keep it.
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    virtual void SetWakeHandler(std::function<void()> /*wake*/) {}
    /// Why this machine cannot hibernate, in words for the user; empty when it can, or when
    /// that is only known by asking.
    [[nodiscard]] virtual std::string HibernateUnavailableReason() const { return {}; }
    /// The main window's native handle, an opaque value; back ends that need none ignore it.
    virtual void SetMainWindow(std::uint64_t nativeHandle) = 0;
    /// Asks for the right to shut down; callers make this step afresh before each of the five
    /// session or power requests below.
    virtual void EnableShutdownPrivilege() = 0;
    /// Hibernates the machine (not forced).
    virtual void HibernatePC() = 0;
    /// Powers the machine off.
    virtual void ShutDownPC() = 0;
    /// Restarts the machine.
    virtual void RebootPC() = 0;
    /// Ends the user's session forcibly: applications are not asked to save.
    virtual void LogOffUser() = 0;
    /// Turns the display off; needs no privilege.
    virtual void TurnOffMonitor() = 0;
    /// Suspends the machine to memory (sleep, not forced).
    virtual void SuspendPC() = 0;
    /// Locks the user's screen; the session goes on behind the lock. Needs no privilege.
    virtual void LockScreen() = 0;

    /// What became of a request once it left, as the system lets it be known.
    enum class Outcome {
        Refused,     ///< Refused, or it could not be made; `reason` says why.
        NoAnswerYet, ///< No answer within a few seconds: the system may still carry it out.
        DoneLate,    ///< Carried out after all, after `NoAnswerYet` was told.
    };
    /// Hears what became of a request when that becomes known (often later, through
    /// `Process`): `action` names it as tasks store it ("Shutdown PC", "Reboot", "Log Off",
    /// "Hibernate", "Turn Off the Monitor", "Suspend", "Lock the Screen"), `reason` says why it
    /// was refused. A request taken at once is not told.
    /// One handler; an empty one stops it. Back ends that learn nothing keep it unused.
    using OutcomeHandler =
        std::function<void(Outcome outcome, const std::string& action, const std::string& reason)>;
    virtual void SetOutcomeHandler(const OutcomeHandler& /*handler*/) {}
};

} // namespace morvane::platform
