#include "WaylandTestSupport.h"

#include "TestSupport.h"
#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/wayland/WaylandPtr.h"

#include <cstdlib>
#include <fake-input-client-protocol.h>
#include <sys/wait.h>

namespace morvane::test {

using platform::wayland::WaylandConnection;
using platform::wayland::WaylandPtr;

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

/// Pointer motion through org_kde_kwin_fake_input, which KWin takes from any client when started
/// with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1.
bool KWinPointerMotion(std::string& why) {
    const std::unique_ptr<WaylandConnection> connection =
        WaylandConnection::Open(LiveDisplay(), why);
    if (!connection) {
        return false;
    }
    const auto global = connection->Find("org_kde_kwin_fake_input");
    if (!global) {
        why = "KWin offers no org_kde_kwin_fake_input";
        return false;
    }
    const WaylandPtr<org_kde_kwin_fake_input, org_kde_kwin_fake_input_destroy> input(
        connection->Bind<org_kde_kwin_fake_input>(*global, org_kde_kwin_fake_input_interface, 1));
    org_kde_kwin_fake_input_authenticate(input.get(), "Morvane tests", "input for idle tests");
    org_kde_kwin_fake_input_pointer_motion(input.get(), wl_fixed_from_int(10),
                                           wl_fixed_from_int(10));
    if (!connection->Roundtrip()) {
        why = "KWin did not take the fake input: " + connection->Failure();
        return false;
    }
    return true;
}

} // namespace

std::string Compositor() {
    return Variable("MORVANE_TEST_COMPOSITOR");
}

std::string LiveDisplay() {
    return Variable("WAYLAND_DISPLAY");
}

bool MakeInput(std::string& why) {
    if (Compositor() == "kwin") {
        return KWinPointerMotion(why);
    }
    const std::string command = Variable("MORVANE_TEST_INPUT");
    if (command.empty()) {
        why = "this compositor has no way to make input (MORVANE_TEST_INPUT is empty)";
        return false;
    }
    ChildProcess child({"/bin/sh", "-c", command + " >/dev/null"});
    const std::optional<int> status = child.WaitForExit();
    if (!status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
        why = "\"" + command + "\" failed";
        return false;
    }
    return true;
}

} // namespace morvane::test
