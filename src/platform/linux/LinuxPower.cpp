#include "platform/linux/LinuxPower.h"

#include "platform/linux/LogindClient.h"
#include "platform/linux/x11/X11Dpms.h"

#include <unistd.h>

namespace morvane::platform {

LinuxPower::LinuxPower(LogSink log) : m_log(std::move(log)) {}

void LinuxPower::EnableShutdownPrivilege() {
    LogindClient logind;
    if (!logind.Failure().empty()) {
        m_log("power: " + logind.Failure());
        return;
    }
    std::string line = "power: logind answers";
    for (const char* question : {"CanPowerOff", "CanReboot", "CanHibernate"}) {
        std::string failure;
        const std::optional<std::string> answer = logind.Ask(question, failure);
        line += std::string(" ") + question + "=" + (answer ? *answer : "(" + failure + ")");
    }
    m_log(line);
}

void LinuxPower::Request(const char* method) {
    LogindClient logind;
    // interactive = false: logind may refuse instead of asking the user for a password.
    if (const std::optional<std::string> failure = logind.Send(method, false)) {
        m_log("power: " + *failure);
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
    LogindClient logind;
    std::string failure;
    const std::optional<std::string> session = logind.SessionOf(getpid(), failure);
    if (!session) {
        m_log("power: cannot log off, no session found for this process: " + failure);
        return;
    }
    if (const std::optional<std::string> sendFailure = logind.Send("TerminateSession", *session)) {
        m_log("power: " + *sendFailure);
    }
}

void LinuxPower::TurnOffMonitor() {
    if (const Result result = x11::X11Dpms::TurnMonitorOff(); !result.Ok()) {
        m_log("monitor: " + result.Message());
    }
}

} // namespace morvane::platform
