#include "platform/linux/LinuxPower.h"

#include "platform/linux/LogindClient.h"
#include "platform/linux/MutterMonitorSwitch.h"
#include "platform/linux/wayland/WaylandMonitorSwitch.h"
#include "platform/linux/x11/X11DpmsServer.h"

#include <array>
#include <ctime>
#include <memory>
#include <string>
#include <unistd.h>

namespace morvane::platform {

namespace {

// How often a monitor turned off for a user who has DPMS off is looked at, for their settings to
// go back soon after it is lit again.
constexpr std::uint64_t kMonitorWatchUsec = 1'000'000;

constexpr const char* kMonitor = "Turn Off the Monitor";
constexpr const char* kSuspend = "Suspend";
constexpr const char* kLogOff = "Log Off";
constexpr const char* kLock = "Lock the Screen";

// Why logind's CanSuspend answer rules a suspend out, for the user.
std::string NoSuspendReason(const std::string& answer) {
    if (answer == "na") {
        return "this machine cannot suspend";
    }
    if (answer == "no") {
        return "the system does not allow this user to suspend";
    }
    return "logind answers CanSuspend=" + answer;
}

// How long logind has to answer a power request before the user is told there is no answer
// yet; the request stays heard long after.
constexpr std::uint64_t kNoAnswerYetUsec = 3'000'000;

x11::X11Dpms::Connector OrSessionDisplay(x11::X11Dpms::Connector dpms,
                                         const SessionProbe& session) {
    if (dpms) {
        return dpms;
    }
    return [display = session.X11Display()](Result& failure) -> std::unique_ptr<x11::DpmsServer> {
        return x11::X11DpmsServer::Open(display, failure);
    };
}

} // namespace

LinuxPower::LinuxPower(LogSink log, SessionProbe session, x11::X11Dpms::Connector dpms,
                       Environment environment)
    : m_log(std::move(log)), m_session(std::move(session)), m_environment(std::move(environment)),
      m_logind(std::make_unique<LogindClient>()),
      m_monitor(OrSessionDisplay(std::move(dpms), m_session)) {}

LinuxPower::~LinuxPower() {
    m_monitorWatch.reset();
    m_monitor.RestoreOnceOn();
    if (m_monitor.RestoreDue()) {
        // Lighting it now would undo what the user asked for; as it stands nothing blanks the
        // screen by itself, which is what DPMS off meant to them.
        m_log("monitor: still off at the end, DPMS stays on with every timeout at never");
    }
}

int LinuxPower::PollDescriptor() const {
    return m_logind->PollDescriptor();
}

void LinuxPower::Process() {
    m_logind->Process();
}

void LinuxPower::EnableShutdownPrivilege() {
    if (const Result connected = m_logind->Connect(); !connected.Ok()) {
        m_log("power: " + connected.Message());
        return;
    }
    // The answers come one by one; the line is written once the last is in.
    static constexpr std::array<const char*, 3> kQuestions = {"CanPowerOff", "CanReboot",
                                                              "CanHibernate"};
    struct Answers {
        std::array<std::string, kQuestions.size()> parts;
        std::size_t missing = kQuestions.size();
    };
    const auto answers = std::make_shared<Answers>();
    for (std::size_t i = 0; i < kQuestions.size(); ++i) {
        m_logind->Ask(kQuestions[i], [this, answers, i](const LogindClient::Answer& answer) {
            answers->parts[i] = std::string(" ") + kQuestions[i] + "=" +
                                (answer.text ? *answer.text : "(" + answer.failure + ")");
            if (--answers->missing == 0) {
                std::string line = "power: logind answers";
                for (const std::string& part : answers->parts) {
                    line += part;
                }
                m_log(line);
            }
        });
    }
}

sd_event* LinuxPower::EventLoop() const {
    return m_logind->EventLoop();
}

void LinuxPower::Tell(Outcome outcome, const char* action, const std::string& reason) {
    if (m_outcome) {
        m_outcome(outcome, action, reason);
    }
}

void LinuxPower::Refused(const char* action, const std::string& line, const std::string& reason) {
    m_log(line);
    Tell(Outcome::Refused, action, reason);
}

// Shared by the answer and the timer that says there is none yet; the timer goes with it.
struct LinuxPower::AwaitedAnswer {
    LinuxPower* power;
    const char* action;
    bool late = false;
    UniqueEventSource timer;
};

LogindClient::AnswerHandler LinuxPower::Heard(LogindClient& logind, const char* action) {
    auto awaited = std::make_shared<AwaitedAnswer>(AwaitedAnswer{this, action, false, {}});
    if (sd_event* loop = logind.EventLoop(); loop != nullptr) {
        sd_event_source* source = nullptr;
        if (sd_event_add_time_relative(loop, &source, CLOCK_MONOTONIC, kNoAnswerYetUsec, 0,
                                       &LinuxPower::OnNoAnswerYet, awaited.get()) >= 0) {
            awaited->timer.reset(source);
        }
    }
    return [awaited](const LogindClient::Answer& answer) {
        awaited->timer.reset();
        LinuxPower& power = *awaited->power;
        const char* action = awaited->action;
        if (answer.unanswered) {
            // Neither done nor refused as far as anyone here can tell: "no answer yet" stands.
            power.m_log(std::string("power: ") + action + ": no answer (" + answer.failure + ")");
        } else if (!answer.text) {
            power.Refused(action, "power: " + answer.failure, answer.failure);
        } else if (awaited->late) {
            power.m_log(std::string("power: ") + action + ": carried out late");
            power.Tell(Outcome::DoneLate, action);
        }
    };
}

int LinuxPower::OnNoAnswerYet(sd_event_source* /*source*/, std::uint64_t /*usec*/, void* userdata) {
    auto* awaited = static_cast<AwaitedAnswer*>(userdata);
    awaited->late = true;
    awaited->power->m_log(std::string("power: ") + awaited->action + ": no answer yet");
    awaited->power->Tell(Outcome::NoAnswerYet, awaited->action);
    return 0;
}

void LinuxPower::Request(const char* method, const char* action) {
    // interactive = false: logind may refuse instead of asking the user for a password.
    m_logind->Request(method, false, Heard(*m_logind, action));
}

// The names are the ones the program's tasks store, so a refusal reads like the request.
void LinuxPower::HibernatePC() {
    Request("Hibernate", "Hibernate");
}

void LinuxPower::ShutDownPC() {
    Request("PowerOff", "Shutdown PC");
}

void LinuxPower::RebootPC() {
    Request("Reboot", "Reboot");
}

void LinuxPower::SuspendPC() {
    // Asked first: a machine that cannot sleep, or a user it is not allowed to, is told why. On
    // "challenge" the request still goes: logind's own answer says whether it was allowed.
    LogindClient* logind = m_logind.get();
    logind->Ask("CanSuspend", [this, logind](const LogindClient::Answer& can) {
        if (!can.text) {
            Refused(kSuspend, "power: cannot suspend: " + can.failure, can.failure);
        } else if (*can.text == "yes" || *can.text == "challenge") {
            logind->Request("Suspend", false, Heard(*logind, kSuspend));
        } else {
            Refused(kSuspend, "power: cannot suspend, logind answers CanSuspend=" + *can.text,
                    NoSuspendReason(*can.text));
        }
    });
}

void LinuxPower::LogOffUser() {
    FindSession({"TerminateSession", kLogOff}, m_logind.get(), 0, {});
}

void LinuxPower::LockScreen() {
    FindSession({"LockSession", kLock}, m_logind.get(), 0, {});
}

void LinuxPower::FindSession(SessionRequest request, LogindClient* logind, std::size_t step,
                             const std::string& reasons) {
    // Answers may come while the client finishes at our end: it is reached directly.
    auto tryNext = [this, request, logind, step, reasons](std::string way) {
        return [this, request, logind, step, reasons,
                way = std::move(way)](const LogindClient::Answer& session) {
            if (!session.text) {
                FindSession(request, logind, step + 1,
                            reasons + "; " + way + ": " + session.failure);
                return;
            }
            // Heard to the end, so a refusal (a session of someone else's, a policy) is told.
            logind->Request(request.method, *session.text, Heard(*logind, request.action));
        };
    };
    switch (step) {
    case 0:
        if (const std::string id = m_environment.Get("XDG_SESSION_ID"); !id.empty()) {
            logind->SessionNamed(id, tryNext("XDG_SESSION_ID " + id));
        } else {
            FindSession(request, logind, step + 1, "; XDG_SESSION_ID: unset");
        }
        return;
    case 1:
        logind->SessionNamed("auto", tryNext("auto"));
        return;
    case 2:
        logind->DisplaySessionOf(getuid(), tryNext("Display of user " + std::to_string(getuid())));
        return;
    case 3:
        logind->SessionOf(getpid(), tryNext("session of pid " + std::to_string(getpid())));
        return;
    default:
        Refused(request.action,
                std::string("power: ") + request.action + ": no session found (" +
                    reasons.substr(2) + ")",
                "no session found");
    }
}

void LinuxPower::TurnOffMonitor() {
    if (m_session.Type() == SessionType::Wayland) {
        // XWayland has no say over the monitors: only the compositor does.
        if (!m_waylandMonitor) {
            m_waylandMonitor = OpenWaylandMonitor();
        }
        if (m_waylandMonitor) {
            if (const Result result = m_waylandMonitor->TurnOff(); !result.Ok()) {
                Refused(kMonitor, "monitor: " + result.Message(), result.Message());
                m_waylandMonitor.reset(); // a compositor started again is asked afresh next time
            }
        } else {
            Tell(Outcome::Refused, kMonitor, "this desktop offers no way to turn the monitor off");
        }
        return;
    }
    if (const Result result = m_monitor.TurnMonitorOff(); !result.Ok()) {
        Refused(kMonitor, "monitor: " + result.Message(), result.Message());
    }
    WatchForMonitorOn();
}

std::unique_ptr<MonitorSwitch> LinuxPower::OpenWaylandMonitor() {
    std::string protocols;
    if (auto found = wayland::WaylandMonitorSwitch::Open(m_session.WaylandDisplay(),
                                                         m_logind->EventLoop(), m_log, protocols)) {
        return found;
    }
    Result mutter;
    if (auto found = MutterMonitorSwitch::Open(m_logind->EventLoop(), m_log, mutter)) {
        return found;
    }
    m_log("monitor: this Wayland desktop offers no way to turn the monitor off (" + protocols +
          "; " + mutter.Message() + ")");
    return nullptr;
}

void LinuxPower::WatchForMonitorOn() {
    sd_event* loop = m_logind->EventLoop();
    if (!m_monitor.RestoreDue() || loop == nullptr) {
        return; // without a loop, the settings go back at our end
    }
    if (!m_monitorWatch) {
        sd_event_source* source = nullptr;
        const int r = sd_event_add_time_relative(loop, &source, CLOCK_MONOTONIC, kMonitorWatchUsec,
                                                 0, &LinuxPower::OnWatchTimer, this);
        m_monitorWatch.reset(source);
        if (r < 0) {
            return;
        }
    } else {
        sd_event_source_set_time_relative(m_monitorWatch.get(), kMonitorWatchUsec);
        sd_event_source_set_enabled(m_monitorWatch.get(), SD_EVENT_ONESHOT);
    }
    // The loop arms its clock when it is run; the program's loop then wakes for the timer.
    m_logind->Process();
}

int LinuxPower::OnWatchTimer(sd_event_source* /*source*/, std::uint64_t /*usec*/, void* userdata) {
    auto* power = static_cast<LinuxPower*>(userdata);
    power->m_monitor.RestoreOnceOn();
    power->WatchForMonitorOn();
    return 0;
}

} // namespace morvane::platform
