#pragma once

#include "platform/Power.h"
#include "platform/linux/Environment.h"
#include "platform/linux/Log.h"
#include "platform/linux/LogindClient.h"
#include "platform/linux/MonitorSwitch.h"
#include "platform/linux/SdBusPtr.h"
#include "platform/linux/SessionProbe.h"
#include "platform/linux/x11/X11Dpms.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace morvane::platform {

/// Power requests to systemd-logind on the system bus, and the monitor through the X11 DPMS
/// extension or what the Wayland compositor offers. Every request returns at once without waiting
/// for logind; what could not be done is written to the log, answers that come later when the event
/// loop hands them over. The user's DPMS settings are put back through the same event loop once the
/// monitor is lit again.
class LinuxPower final : public Power {
public:
    /// `dpms` reaches the DPMS of the session's X display; the real one unless given.
    /// `environment` names the login session we were started in (XDG_SESSION_ID).
    explicit LinuxPower(LogSink log = StderrLog(), SessionProbe session = SessionProbe(),
                        x11::X11Dpms::Connector dpms = {}, Environment environment = Environment());
    /// Puts the user's DPMS settings back if the monitor is lit again, and lets logind's
    /// answers still under way come in first, for a few seconds at most.
    ~LinuxPower() override;

    [[nodiscard]] int PollDescriptor() const override;
    void Process() override;
    /// Nothing to do: the monitor is reached through the display, not through our window.
    void SetMainWindow(std::uint64_t /*nativeHandle*/) override {}
    /// There is no privilege to take on Linux: logind decides per request. This asks logind
    /// what it would allow and logs the answers once they are all in, nothing more.
    void EnableShutdownPrivilege() override;
    void HibernatePC() override;
    void ShutDownPC() override;
    void RebootPC() override;
    /// Terminates the user's graphical session: every program of it ends unasked. Programs of
    /// current desktops run in scopes outside any session, so it is looked for in this order:
    /// the session we were started in (XDG_SESSION_ID), logind's "auto", the user's Display,
    /// the session of our process. The request goes out when logind has named one.
    void LogOffUser() override;
    /// X11: through DPMS. Wayland: through the first way the compositor offers (wlroots' or
    /// KWin's protocol, mutter's display configuration); where none does, it is logged.
    void TurnOffMonitor() override;
    /// Asks logind's CanSuspend first; the request goes out only on "yes" or "challenge", and
    /// any other answer is told as a refusal with its reason.
    void SuspendPC() override;
    /// Locks the user's graphical session, found as LogOffUser finds it; where none is found,
    /// that is told as a refusal.
    void LockScreen() override;
    void SetOutcomeHandler(const OutcomeHandler& handler) override { m_outcome = handler; }

    /// The event loop the program's event loop runs through `PollDescriptor` and `Process`,
    /// for other session services to share.
    [[nodiscard]] sd_event* EventLoop() const;

private:
    /// The first way this Wayland session offers to switch monitors, or nullptr (logged).
    std::unique_ptr<MonitorSwitch> OpenWaylandMonitor();
    /// Sends a logind request; a refusal is logged and handed to the outcome handler as
    /// `action`.
    void Request(const char* method, const char* action);
    /// What hears `logind`'s answer to the request for `action`: a refusal is told as one; when
    /// logind has not answered within a few seconds that is told, and so is a success after it.
    LogindClient::AnswerHandler Heard(LogindClient& logind, const char* action);
    /// Logs what could not be done and tells the outcome handler.
    void Refused(const char* action, const std::string& line, const std::string& reason);
    void Tell(Outcome outcome, const char* action, const std::string& reason = {});
    /// A request made of the user's graphical session, and its name as tasks store it.
    struct SessionRequest {
        const char* method;
        const char* action;
    };
    /// Tries the ways of finding the graphical session from `step` on, then makes `request` of
    /// the first found; `reasons` says why the ones before found none.
    void FindSession(SessionRequest request, LogindClient* logind, std::size_t step,
                     const std::string& reasons);
    /// Looks again, after a while, whether the monitor is lit and the user's DPMS settings can
    /// go back.
    void WatchForMonitorOn();
    static int OnWatchTimer(sd_event_source* source, std::uint64_t usec, void* userdata);
    static int OnNoAnswerYet(sd_event_source* source, std::uint64_t usec, void* userdata);
    struct AwaitedAnswer;

    LogSink m_log;            // outlives the client: answers handled at its end are still logged
    OutcomeHandler m_outcome; // the same
    SessionProbe m_session;
    Environment m_environment;
    std::unique_ptr<LogindClient> m_logind;
    x11::X11Dpms m_monitor;
    UniqueEventSource m_monitorWatch;                // on the logind client's loop: goes before it
    std::unique_ptr<MonitorSwitch> m_waylandMonitor; // kept: its answers come later
};

} // namespace morvane::platform
