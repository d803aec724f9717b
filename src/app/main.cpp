// Morvane's entry point: answers the command line, or builds the platform services and the
// core, then runs the main window's start-up and the event loop. A task, --list, --cancel and
// --show are handed to the running instance (which this starts when needed) without a window.

#include "core/Engine.h"
#include "core/extras/Alerts.h"
#include "core/remote/CommandLine.h"
#include "core/remote/RemoteDesk.h"
#include "core/storage/AppPaths.h"
#include "core/storage/HostTextCodec.h"
#include "platform/PlatformServices.h"
#include "platform/common/SystemClock.h"
#include "ui/MainWindow.h"
#include "ui/ProgramFolder.h"
#include "ui/QtPaths.h"
#include "ui/Skin.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QSocketNotifier>
#include <QUrl>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace morvane;

namespace {

// Answers the command line when it asks for anything but a plain start; nullopt for a start.
// Runs before a window or the single-instance check, so it works without a display and beside
// the running copy it speaks to.
std::optional<int> AnswerCommandLine(int argc, char* argv[]) {
    const CommandLine line = ReadCommandLine(platform::CommandArguments(argc, argv));
    if (line.kind == CommandLine::Kind::Start) {
        return std::nullopt;
    }
    // A windowed program may have no terminal: its back end finds where the answers go.
    const std::unique_ptr<platform::CommandOutput> output = platform::CreateCommandOutput();
    if (line.kind == CommandLine::Kind::Help) {
        output->Out() << HelpText();
        return output->Finish() ? 0 : 1;
    }
    if (line.kind == CommandLine::Kind::Version) {
        output->Out() << "morvane " << MORVANE_VERSION << '\n';
        return output->Finish() ? 0 : 1;
    }
    // Only for our own file's path, which a second instance is started from.
    const QCoreApplication app(argc, argv);
    const std::unique_ptr<platform::ControlClient> client = platform::CreateControlClient();
    const int status =
        RunCommandLine(line, *client, QCoreApplication::applicationFilePath().toStdString(),
                       platform::SystemClock().Now(), output->Out(), output->Err());
    return output->Finish() || status != 0 ? status : 1;
}

// Takes the name the command line reaches us under. False when another instance has it and
// came forward when asked: this start ends. One that does not answer (hung, or not ours) does
// not keep us from starting; the instance lock still guards the files.
bool ClaimControlName(platform::ControlServer& control) {
    // A channel without a descriptor wakes the event loop from its own thread.
    control.SetWakeHandler([&control] {
        QMetaObject::invokeMethod(
            qApp, [&control] { control.Process(); }, Qt::QueuedConnection);
    });
    if (control.ClaimName() != platform::ControlServer::Claim::TakenByAnother) {
        return true;
    }
    const std::unique_ptr<platform::ControlClient> client = platform::CreateControlClient();
    platform::ControlReply reply;
    return !client->Send(platform::ControlRequest{platform::ControlVerb::Show, {}, 0}, reply).Ok();
}

} // namespace

int main(int argc, char* argv[]) {
    if (const std::optional<int> status = AnswerCommandLine(argc, argv)) {
        return *status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    // The desktop entry's name: Wayland's app id, and how a desktop matches our windows to it.
    QApplication::setDesktopFileName(QStringLiteral("io.github.morvane.Morvane"));

    const QString executableFolder = QCoreApplication::applicationDirPath();
    const QString dataFolder = ProgramFolder::Locate(executableFolder);
    // Folders cross from Qt and the host to the core as paths, never as narrow text.
    AppPaths paths;
    paths.programFolder = PathFromQt(executableFolder);
    paths.appDataFolder = DefaultAppDataFolder(*platform::CreateUserFolders());
    paths.executableName =
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
    paths.dataFolder = PathFromQt(dataFolder);

    platform::PlatformServices services =
        platform::CreatePlatformServices({"morvane", Utf8FromPath(paths.appDataFolder)});
    // A second start brings the first forward and ends here, before any window exists.
    platform::ControlServer& control = *services.control;
    if (!ClaimControlName(control)) {
        return 0;
    }
    // Two sessions on one data folder (the name is per session) see each other here.
    std::string instanceUnchecked;
    if (services.singleInstance != nullptr) {
        if (!services.singleInstance->TryAcquire()) {
            return 0;
        }
        instanceUnchecked = services.singleInstance->WhyUnchecked();
    }

    QFont font(QStringLiteral("Verdana"));
    font.setPointSize(9);
    QApplication::setFont(font);
    Skin::SkinH_AttachEx(QDir(dataFolder).filePath(QStringLiteral("library.she")), QString());

    // The text files in the host's own 8-bit encoding where the back end names one.
    const HostTextCodec codec(services.textEncoding.get());
    Engine::Services engineServices{*services.clock,
                                    *services.power,
                                    *services.processes,
                                    *services.launcher,
                                    *services.idle,
                                    *services.autostart,
                                    services.locale->ShortDateOrder(),
                                    codec};
    engineServices.fileSync = services.fileSync.get();
    engineServices.log = services.log;
    engineServices.load = services.load.get();
    Engine engine(engineServices, paths);
    // Running unchecked, a second copy could act on the same tasks: the window says so.
    if (!instanceUnchecked.empty()) {
        engine.RaiseAlert(Alert{Alert::Kind::NotAlone, "", instanceUnchecked});
    }
    MainWindow window({engine, services.programIcons.get(), services.notifications.get()});
    window.SetWindowPicker(services.windowPicker.get());
    // Where the monitor is switched off through our own window, the back end needs to know it.
    services.power->SetMainWindow(static_cast<std::uint64_t>(window.winId()));
    const QString configuredBase = QStringLiteral(MORVANE_TUTORIAL_BASE);
    window.SetTutorialBase(configuredBase.isEmpty()
                               ? QUrl::fromLocalFile(QDir(dataFolder).absolutePath() + u'/')
                               : QUrl(configuredBase));
    QObject::connect(&window, &MainWindow::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    // Logging out or shutting down ends us like the window's close box: settings and the kept
    // task list are saved.
    platform::EndRequests& endRequests = *services.endRequests;
    if (endRequests.WakeDescriptor() >= 0) {
        auto* notifier =
            new QSocketNotifier(endRequests.WakeDescriptor(), QSocketNotifier::Read, &window);
        QObject::connect(notifier, &QSocketNotifier::activated, &window, [&endRequests, &window] {
            endRequests.Acknowledge();
            window.CloseMainWindow();
        });
    }
    // Closing runs the unload sequence at once, so the files are kept before the system ends us
    // (and the window never goes to the tray instead).
    endRequests.SetSessionEndHandler([&window] { window.CloseMainWindow(); });
    // Power requests never wait for the system's answers; they are taken in as they come.
    platform::Power& power = *services.power;
    if (power.PollDescriptor() >= 0) {
        auto* notifier =
            new QSocketNotifier(power.PollDescriptor(), QSocketNotifier::Read, &window);
        QObject::connect(notifier, &QSocketNotifier::activated, &window,
                         [&power] { power.Process(); });
    }
    // A back end without a descriptor has its answers taken in here from its own threads.
    power.SetWakeHandler([&power] {
        QMetaObject::invokeMethod(
            qApp, [&power] { power.Process(); }, Qt::QueuedConnection);
    });
    // Requests from the command line and other programs, answered between events.
    RemoteDesk desk(engine, control);
    if (control.PollDescriptor() >= 0) {
        auto* notifier =
            new QSocketNotifier(control.PollDescriptor(), QSocketNotifier::Read, &window);
        QObject::connect(notifier, &QSocketNotifier::activated, &window,
                         [&control] { control.Process(); });
    }
    window.LoadSequence();
    return QApplication::exec();
}
