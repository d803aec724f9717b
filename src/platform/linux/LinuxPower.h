#pragma once

#include "platform/Power.h"
#include "platform/linux/Log.h"
#include "platform/linux/SessionProbe.h"

namespace morvane::platform {

/// Power requests to systemd-logind on the system bus, and the monitor through the X11 DPMS
/// extension. Every request returns at once; what could not be done is written to the log.
class LinuxPower final : public Power {
public:
    explicit LinuxPower(LogSink log = StderrLog(), SessionProbe session = SessionProbe());

    /// There is no privilege to take on Linux: logind decides per request. This asks logind
    /// what it would allow and logs the answer, nothing more.
    void EnableShutdownPrivilege() override;
    void HibernatePC() override;
    void ShutDownPC() override;
    void RebootPC() override;
    /// Terminates the session logind counts our process in: every program of it ends unasked.
    void LogOffUser() override;
    void TurnOffMonitor() override;

private:
    void Request(const char* method);

    LogSink m_log;
    SessionProbe m_session;
};

} // namespace morvane::platform
