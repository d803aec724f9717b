#include "platform/PlatformServices.h"

#include "platform/common/EnvironmentUserFolders.h"
#include "platform/common/PointerIdleSource.h"
#include "platform/common/StandardStreamsOutput.h"
#include "platform/common/SystemClock.h"
#include "platform/common/UnavailableIdleSource.h"

#include "platform/linux/LinuxAutostart.h"
#include "platform/linux/LinuxControlClient.h"
#include "platform/linux/LinuxControlServer.h"
#include "platform/linux/LinuxCursor.h"
#include "platform/linux/LinuxEndRequests.h"
#include "platform/linux/LinuxFileSync.h"
#include "platform/linux/LinuxLauncher.h"
#include "platform/linux/LinuxNotifications.h"
#include "platform/linux/LinuxPower.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/linux/LinuxProgramIconLookup.h"
#include "platform/linux/LinuxSingleInstance.h"
#include "platform/linux/LinuxSystemLoad.h"
#include "platform/linux/LinuxSystemLocale.h"
#include "platform/linux/Log.h"
#include "platform/linux/MutterIdleSource.h"
#include "platform/linux/SessionProbe.h"
#include "platform/linux/wayland/WaylandIdleSource.h"
#include "platform/linux/x11/X11WindowPicker.h"

namespace morvane::platform {

namespace {

// Where activity can be seen, by what the session offers: on X11 the pointer position; on
// Wayland the compositor's idle protocols, else GNOME's idle monitor. Each is asked, in that
// order; the desktop's name decides nothing.
std::unique_ptr<IdleSource> CreateIdleSource(const SessionProbe& session, const LogSink& log) {
    if (session.Type() == SessionType::Wayland) {
        std::string protocols;
        if (auto found = wayland::WaylandIdleSource::Open(session.WaylandDisplay(), protocols)) {
            return found;
        }
        std::string mutter;
        if (auto found = MutterIdleSource::Open(mutter)) {
            return found;
        }
        log("idle detection unavailable: " + protocols + "; " + mutter);
    } else if (session.Type() == SessionType::X11) {
        return std::make_unique<PointerIdleSource>(
            std::make_unique<LinuxCursor>(StderrLog(), session),
            "The X display \"" + session.X11Display() +
                "\" cannot be opened, so the mouse cannot be watched and tasks that wait for no "
                "activity cannot run.");
    }
    return std::make_unique<UnavailableIdleSource>(
        "This desktop does not tell programs when it is in use, so tasks that wait for no "
        "activity cannot run here.");
}

} // namespace

PlatformServices CreatePlatformServices(const PlatformSetup& setup) {
    // Every part that depends on the kind of session asks the same probe.
    const SessionProbe session;
    PlatformServices services;
    services.clock = std::make_unique<SystemClock>();
    services.processes = std::make_unique<LinuxProcesses>();
    services.launcher = std::make_unique<LinuxLauncher>();
    auto power = std::make_unique<LinuxPower>(StderrLog(), session);
    // Its messages go out and their answers come in on the loop the program already runs.
    services.notifications = std::make_unique<LinuxNotifications>(power->EventLoop(), StderrLog());
    services.power = std::move(power);
    services.idle = CreateIdleSource(session, StderrLog());
    services.load = std::make_unique<LinuxSystemLoad>();
    services.autostart = std::make_unique<LinuxAutostart>();
    services.locale = std::make_unique<LinuxSystemLocale>();
    services.endRequests = std::make_unique<LinuxEndRequests>();
    services.singleInstance = std::make_unique<LinuxSingleInstance>(
        LinuxSingleInstance::DefaultLockPath(setup.appName, setup.dataFolder));
    // On a connection and loop of its own: requests are answered apart from power and
    // notification traffic.
    services.control = std::make_unique<LinuxControlServer>();
    // Without an X11 display the picker says so, and the editor offers the process list alone.
    services.windowPicker = std::make_unique<x11::X11WindowPicker>(std::nullopt, session);
    services.programIcons = std::make_unique<LinuxProgramIconLookup>();
    services.fileSync = std::make_unique<LinuxFileSync>();
    services.log = StderrLog();
    return services;
}

std::unique_ptr<UserFolders> CreateUserFolders() {
    return std::make_unique<EnvironmentUserFolders>();
}

std::vector<std::string> CommandArguments(int argc, char* argv[]) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

std::unique_ptr<ControlClient> CreateControlClient() {
    return std::make_unique<LinuxControlClient>();
}

// A terminal program writes to the terminal it was started from.
std::unique_ptr<CommandOutput> CreateCommandOutput() {
    return std::make_unique<StandardStreamsOutput>();
}

} // namespace morvane::platform
