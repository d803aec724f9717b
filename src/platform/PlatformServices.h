#pragma once

#include "platform/Autostart.h"
#include "platform/CommandOutput.h"
#include "platform/Control.h"
#include "platform/EndRequests.h"
#include "platform/FileSync.h"
#include "platform/IdleSource.h"
#include "platform/Launcher.h"
#include "platform/Notifications.h"
#include "platform/Power.h"
#include "platform/Processes.h"
#include "platform/ProgramIconLookup.h"
#include "platform/SingleInstance.h"
#include "platform/SystemLoad.h"
#include "platform/SystemLocale.h"
#include "platform/TextEncoding.h"
#include "platform/UserFolders.h"
#include "platform/WindowPicker.h"
#include "types/Clock.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace morvane::platform {

/// What the back end needs to know about the program before it can be built.
struct PlatformSetup {
    std::string appName = "morvane"; ///< Names the instance lock.
    std::string dataFolder; ///< The application-data folder (UTF-8); may hold the instance lock.
};

/// Every service of the back end chosen for this build, owned together.
struct PlatformServices {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<Processes> processes;
    std::unique_ptr<Launcher> launcher;
    std::unique_ptr<Power> power;
    std::unique_ptr<IdleSource> idle;
    /// The network and processor counters of the quiet triggers.
    std::unique_ptr<SystemLoad> load;
    std::unique_ptr<Autostart> autostart;
    std::unique_ptr<SystemLocale> locale;
    std::unique_ptr<SingleInstance> singleInstance;
    /// Where the command line and other programs reach this instance.
    std::unique_ptr<ControlServer> control;
    std::unique_ptr<EndRequests> endRequests;
    std::unique_ptr<WindowPicker> windowPicker;
    std::unique_ptr<ProgramIconLookup> programIcons;
    std::unique_ptr<FileSync> fileSync;
    /// The desktop's notification service; null where the host has none to offer.
    std::unique_ptr<Notifications> notifications;
    /// The host's encoding of the program's text files; null where the portable default fits.
    std::unique_ptr<TextEncoding> textEncoding;
    /// Where the program writes what it could not do; may be empty (nothing is written).
    std::function<void(const std::string& line)> log;
};

/// Builds the services of this build's back end; defined once per back end.
[[nodiscard]] PlatformServices CreatePlatformServices(const PlatformSetup& setup);

/// The user's folders as this back end reads them; defined once per back end. Asked before the
/// services are built, since the application-data folder holds the instance lock.
[[nodiscard]] std::unique_ptr<UserFolders> CreateUserFolders();

/// The command line's way to the running instance of this user and session; defined once per
/// back end. Cheap: it opens nothing until asked.
[[nodiscard]] std::unique_ptr<ControlClient> CreateControlClient();

/// The program's arguments after its own name, in UTF-8; defined once per back end. Windows
/// hands `main` its arguments in the ANSI code page, which cannot hold every name.
[[nodiscard]] std::vector<std::string> CommandArguments(int argc, char* argv[]);

/// Where this run's command-line answers go; defined once per back end. Made before the first
/// line is written, finished after the last.
[[nodiscard]] std::unique_ptr<CommandOutput> CreateCommandOutput();

} // namespace morvane::platform
