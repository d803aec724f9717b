#pragma once

#include "platform/Power.h"
#include "platform/linux/Log.h"
#include "platform/linux/SessionProbe.h"

#include <memory>

namespace morvane::platform {

class LogindClient;

/// Power requests to systemd-logind on the system bus, and the monitor through the X11 DPMS
/// extension. Every request returns at once without waiting for logind; what could not be done
/// is written to the log, answers that come later when the event loop hands them over.
class LinuxPower final : public Power {
public:
    explicit LinuxPower(LogSink log = StderrLog(), SessionProbe session = SessionProbe());
    /// Lets logind's answers still under way come in first, for a few seconds at most.
    ~LinuxPower() override;

    [[nodiscard]] int PollDescriptor() const override;
    void Process() override;
    /// There is no privilege to take on Linux: logind decides per request. This asks logind
    /// what it would allow and logs the answers once they are all in, nothing more.
    void EnableShutdownPrivilege() override;
    void HibernatePC() override;
    void ShutDownPC() override;
    void RebootPC() override;
    /// Terminates the session logind counts our process in: every program of it ends unasked.
    /// The session is looked up first; the request goes out when logind has named it.
    void LogOffUser() override;
    void TurnOffMonitor() override;

private:
    void Request(const char* method);

    LogSink m_log; // outlives the client: answers handled at its end are still logged
    SessionProbe m_session;
    std::unique_ptr<LogindClient> m_logind;
};

} // namespace morvane::platform
