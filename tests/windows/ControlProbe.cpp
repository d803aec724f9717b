// A stand-in for Morvane that the control tests start without arguments, as the command line
// starts it. It serves the pipe named by MORVANE_TEST_PIPE (with none, it never serves) until the
// event named by MORVANE_TEST_STOP is set, a minute at most; exits with 2 without that event and
// with 3 when the pipe is taken. Each list it is asked for holds one task: its pid, "probe".
#include "platform/windows/WinHandle.h"
#include "platform/windows/WindowsControlServer.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>

using namespace morvane::platform;

namespace {

std::wstring Environment(const wchar_t* name) {
    std::wstring value(32767, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
    return value;
}

} // namespace

int main() {
    const std::wstring stopName = Environment(L"MORVANE_TEST_STOP");
    const windows::UniqueHandle stop(
        stopName.empty() ? nullptr : OpenEventW(SYNCHRONIZE, FALSE, stopName.c_str()));
    if (!stop) {
        return 2;
    }
    const windows::UniqueHandle wake(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    std::unique_ptr<WindowsControlServer> server;
    if (const std::wstring pipe = Environment(L"MORVANE_TEST_PIPE"); !pipe.empty()) {
        server = std::make_unique<WindowsControlServer>(pipe);
        server->SetWakeHandler([&wake] { SetEvent(wake.get()); });
        if (server->ClaimName() != ControlServer::Claim::Ours) {
            return 3;
        }
        server->SetHandler([](const ControlRequest& /*request*/) {
            return ControlReply{"", 0, {{GetCurrentProcessId(), "now", "probe", "once"}}};
        });
    }
    const std::array<HANDLE, 2> waits{stop.get(), wake.get()};
    while (WaitForMultipleObjects(2, waits.data(), FALSE, 60000) == WAIT_OBJECT_0 + 1) {
        server->Process();
    }
    return 0;
}
