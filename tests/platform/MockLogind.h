#pragma once

#include "TestSupport.h"
#include "platform/linux/SdBusPtr.h"

#include <memory>
#include <string>
#include <vector>

namespace morvane::test {

/// A private D-Bus daemon with python-dbusmock's logind template on it, made the system bus of
/// this process through DBUS_SYSTEM_BUS_ADDRESS. Nothing here can reach the machine's own
/// system bus: `Ready` proves that the bus the variable names answers as the mock.
class MockLogind {
public:
    struct Call {
        std::string method;
        std::vector<std::string> args; ///< Booleans as true/false, numbers in decimal.
    };

    /// Starts both; `parameters` is the template's JSON parameter object.
    explicit MockLogind(const std::string& parameters);
    ~MockLogind();
    MockLogind(const MockLogind&) = delete;
    MockLogind& operator=(const MockLogind&) = delete;

    /// Whether the system bus of this process is this mock, answering; why not otherwise.
    [[nodiscard]] bool Ready(std::string& why);
    /// Every method call the mock's main object has seen since the last `ClearCalls`.
    std::vector<Call> Calls();
    void ClearCalls();
    /// Adds a method to the manager object, its body Python code as dbusmock takes it.
    bool AddManagerMethod(const std::string& name, const std::string& in, const std::string& out,
                          const std::string& code);
    /// Adds a session (with its seat and user) through the template's helper; one that is
    /// there already counts as added.
    bool AddSession(const std::string& id, unsigned uid);
    /// Makes session `id` the graphical one of user `uid` (its Display), or none when empty.
    bool SetUserDisplay(unsigned uid, const std::string& id);
    /// Stops the mock's process (SIGSTOP), as a stalled logind, or lets it go on (SIGCONT).
    void Stall(bool stalled);

private:
    sd_bus* Bus();

    TempDir m_dir;
    std::string m_address;
    std::unique_ptr<ChildProcess> m_daemon;
    std::unique_ptr<ScopedEnv> m_env;
    std::unique_ptr<ChildProcess> m_mock;
    platform::UniqueBus m_bus;
};

} // namespace morvane::test
