#include "platform/linux/LinuxPower.h"

#include "platform/linux/LogindClient.h"
#include "platform/linux/x11/X11Dpms.h"

#include <array>
#include <unistd.h>

namespace morvane::platform {

LinuxPower::LinuxPower(LogSink log, SessionProbe session)
    : m_log(std::move(log)), m_session(std::move(session)),
      m_logind(std::make_unique<LogindClient>()) {}

LinuxPower::~LinuxPower() = default;

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

void LinuxPower::Request(const char* method) {
    // interactive = false: logind may refuse instead of asking the user for a password.
    if (const Result sent = m_logind->Send(method, false); !sent.Ok()) {
        m_log("power: " + sent.Message());
    }
}

void LinuxPower::HibernatePC() {
    Request("Hibernate");
}

void LinuxPower::ShutDownPC() {
    Request("PowerOff");
}

void LinuxPower::RebootPC() {
    Request("Reboot");
}

void LinuxPower::LogOffUser() {
    // The answer may come while the client finishes at our end: it is reached directly.
    LogindClient* logind = m_logind.get();
    logind->SessionOf(getpid(), [this, logind](const LogindClient::Answer& session) {
        if (!session.text) {
            m_log("power: cannot log off, no session found for this process: " + session.failure);
            return;
        }
        if (const Result sent = logind->Send("TerminateSession", *session.text); !sent.Ok()) {
            m_log("power: " + sent.Message());
        }
    });
}

void LinuxPower::TurnOffMonitor() {
    if (const Result result = x11::X11Dpms::TurnMonitorOff(m_session.X11Display()); !result.Ok()) {
        m_log("monitor: " + result.Message());
    }
}

} // namespace morvane::platform
