#include "platform/PlatformServices.h"

#include "platform/common/EnvironmentUserFolders.h"
#include "platform/common/StandardStreamsOutput.h"

#include "platform/fake/FakeAutostart.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeControl.h"
#include "platform/fake/FakeEndRequests.h"
#include "platform/fake/FakeFileSync.h"
#include "platform/fake/FakeIdleSource.h"
#include "platform/fake/FakeLauncher.h"
#include "platform/fake/FakeNotifications.h"
#include "platform/fake/FakePower.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeProgramIconLookup.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSystemLoad.h"
#include "platform/fake/FakeSystemLocale.h"
#include "platform/fake/FakeWindowPicker.h"

namespace morvane::platform {

// The recording back end: nothing here touches the machine.
PlatformServices CreatePlatformServices(const PlatformSetup& /*setup*/) {
    PlatformServices services;
    services.clock = std::make_unique<FakeClock>();
    services.processes = std::make_unique<FakeProcesses>();
    services.launcher = std::make_unique<FakeLauncher>();
    services.power = std::make_unique<FakePower>();
    services.idle = std::make_unique<FakeIdleSource>();
    services.load = std::make_unique<FakeSystemLoad>();
    services.autostart = std::make_unique<FakeAutostart>();
    services.locale = std::make_unique<FakeSystemLocale>();
    services.endRequests = std::make_unique<FakeEndRequests>();
    services.singleInstance = std::make_unique<FakeSingleInstance>();
    services.windowPicker = std::make_unique<FakeWindowPicker>();
    services.programIcons = std::make_unique<FakeProgramIconLookup>();
    services.fileSync = std::make_unique<FakeFileSync>();
    services.notifications = std::make_unique<FakeNotifications>();
    services.control = std::make_unique<FakeControlServer>();
    return services;
}

// The program's files still need a real folder: the environment's, as on Linux.
std::unique_ptr<UserFolders> CreateUserFolders() {
    return std::make_unique<EnvironmentUserFolders>();
}

std::vector<std::string> CommandArguments(int argc, char* argv[]) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

std::unique_ptr<ControlClient> CreateControlClient() {
    return std::make_unique<FakeControlClient>();
}

// Programs built on the fakes run from a terminal, which shows the answers.
std::unique_ptr<CommandOutput> CreateCommandOutput() {
    return std::make_unique<StandardStreamsOutput>();
}

} // namespace morvane::platform
