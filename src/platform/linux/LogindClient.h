#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

struct sd_bus; // sd-bus's connection and messages, kept out of this header.
struct sd_bus_message;

namespace morvane::platform {

/// One connection to systemd-logind on the system bus, opened for one power request and closed
/// with it. The system bus is the one DBUS_SYSTEM_BUS_ADDRESS names, else the standard socket.
class LogindClient {
public:
    LogindClient();
    ~LogindClient();
    LogindClient(const LogindClient&) = delete;
    LogindClient& operator=(const LogindClient&) = delete;

    /// Empty when connected, else why the system bus could not be reached.
    [[nodiscard]] const std::string& Failure() const { return m_failure; }

    /// Sends a manager request with one boolean argument and does not wait for its answer; the
    /// request has left our process when this returns. The reason when it could not be sent.
    std::optional<std::string> Send(const char* method, bool argument);
    /// Sends a manager request with one text argument, as `Send` above.
    std::optional<std::string> Send(const char* method, const std::string& argument);
    /// Asks a manager question whose answer is one text; `failure` tells why there is none.
    std::optional<std::string> Ask(const char* method, std::string& failure);
    /// The id of the session logind counts `pid` in; `failure` tells why there is none.
    std::optional<std::string> SessionOf(pid_t pid, std::string& failure);

private:
    /// Starts a manager request that wants no answer; a negative errno when it cannot.
    int NewRequest(const char* method, sd_bus_message** message);
    /// Sends a request built by `NewRequest` (`r` its last result) and releases it.
    std::optional<std::string> Post(const char* method, sd_bus_message* message, int r);

    sd_bus* m_bus = nullptr;
    std::string m_failure;
};

} // namespace morvane::platform
