#include "PlatformServices.h"

#include "FakeAutostart.h"
#include "FakeClock.h"
#include "FakeCursor.h"
#include "FakeEndRequests.h"
#include "FakeLauncher.h"
#include "FakePower.h"
#include "FakeProcesses.h"
#include "FakeSingleInstance.h"
#include "FakeSystemLocale.h"
#include "FakeWindowPicker.h"

namespace morvane::platform {

// The recording back end: nothing here touches the machine.
PlatformServices CreatePlatformServices(const PlatformSetup& /*setup*/) {
    PlatformServices services;
    services.clock = std::make_unique<FakeClock>();
    services.processes = std::make_unique<FakeProcesses>();
    services.launcher = std::make_unique<FakeLauncher>();
    services.power = std::make_unique<FakePower>();
    services.cursor = std::make_unique<FakeCursor>();
    services.autostart = std::make_unique<FakeAutostart>();
    services.locale = std::make_unique<FakeSystemLocale>();
    services.endRequests = std::make_unique<FakeEndRequests>();
    services.singleInstance = std::make_unique<FakeSingleInstance>();
    services.windowPicker = std::make_unique<FakeWindowPicker>();
    return services;
}

} // namespace morvane::platform
