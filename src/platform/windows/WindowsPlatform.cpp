#include "platform/PlatformServices.h"

#include "platform/common/SystemClock.h"

#include "platform/windows/WideText.h"
#include "platform/windows/WindowsAutostart.h"
#include "platform/windows/WindowsCommandOutput.h"
#include "platform/windows/WindowsControlClient.h"
#include "platform/windows/WindowsControlServer.h"
#include "platform/windows/WindowsCursor.h"
#include "platform/windows/WindowsEndRequests.h"
#include "platform/windows/WindowsFileSync.h"
#include "platform/windows/WindowsIdleSource.h"
#include "platform/windows/WindowsLauncher.h"
#include "platform/windows/WindowsPower.h"
#include "platform/windows/WindowsProcesses.h"
#include "platform/windows/WindowsProgramIconLookup.h"
#include "platform/windows/WindowsSingleInstance.h"
#include "platform/windows/WindowsSystemLoad.h"
#include "platform/windows/WindowsSystemLocale.h"
#include "platform/windows/WindowsTextEncoding.h"
#include "platform/windows/WindowsUserFolders.h"
#include "platform/windows/WindowsWindowPicker.h"

#include <shellapi.h>

#include <cstdio>

namespace morvane::platform {

namespace {

// A windowed program has no console: the lines go to the debugger as well as to a standard
// error that may be connected.
void Log(const std::string& line) {
    OutputDebugStringW(windows::Widen("Morvane: " + line + "\n").c_str());
    std::fputs(("morvane: " + line + "\n").c_str(), stderr);
}

} // namespace

PlatformServices CreatePlatformServices(const PlatformSetup& setup) {
    PlatformServices services;
    services.clock = std::make_unique<SystemClock>();
    services.processes = std::make_unique<WindowsProcesses>();
    services.launcher = std::make_unique<WindowsLauncher>();
    services.power = std::make_unique<WindowsPower>(PowerCalls(), Log);
    // Activity is the pointer's movement, read every second, as the no-mouse-movement tasks say;
    // behind a lock, the session's input.
    services.idle = std::make_unique<WindowsIdleSource>(std::make_unique<WindowsCursor>());
    services.load = std::make_unique<WindowsSystemLoad>();
    services.autostart = std::make_unique<WindowsAutostart>();
    services.locale = std::make_unique<WindowsSystemLocale>();
    services.singleInstance = std::make_unique<WindowsSingleInstance>(
        WindowsSingleInstance::DefaultLockPath(setup.appName, setup.dataFolder), Log);
    services.control = std::make_unique<WindowsControlServer>();
    services.endRequests = std::make_unique<WindowsEndRequests>();
    services.windowPicker = std::make_unique<WindowsWindowPicker>();
    services.programIcons = std::make_unique<WindowsProgramIconLookup>();
    services.fileSync = std::make_unique<WindowsFileSync>();
    // No desktop notification service here: the windows fall back to their own (the tray).
    services.notifications = nullptr;
    // The files are 8-bit text in the system's ANSI code page, as other Windows programs write.
    services.textEncoding = std::make_unique<WindowsTextEncoding>();
    services.log = Log;
    return services;
}

std::unique_ptr<UserFolders> CreateUserFolders() {
    return std::make_unique<WindowsUserFolders>();
}

std::vector<std::string> CommandArguments(int argc, char* argv[]) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc)
                        : std::vector<std::string>();
    }
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(windows::Narrow(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

std::unique_ptr<ControlClient> CreateControlClient() {
    return std::make_unique<WindowsControlClient>();
}

std::unique_ptr<CommandOutput> CreateCommandOutput() {
    return std::make_unique<WindowsCommandOutput>();
}

} // namespace morvane::platform
