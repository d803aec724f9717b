// Morvane's entry point: builds the platform services and the core, then runs the main
// window's start-up and the event loop. The program takes no command line beyond --version and
// --help, which packagers and users expect of an installed program; anything else is ignored.

#include "core/Engine.h"
#include "core/extras/Alerts.h"
#include "core/storage/AppPaths.h"
#include "core/storage/HostTextCodec.h"
#include "platform/PlatformServices.h"
#include "ui/MainWindow.h"
#include "ui/ProgramFolder.h"
#include "ui/Skin.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QSocketNotifier>
#include <QUrl>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

using namespace morvane;

namespace {

// Answers --version or --help (the first one given) on standard output; false when neither is
// there. Runs before Qt, a window or the single-instance check, so it works without a display
// and beside a running copy.
bool AnswerInformationOption(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--version") {
            std::printf("morvane %s\n", MORVANE_VERSION);
            return true;
        }
        if (argument == "--help") {
            std::printf("Usage: morvane [--version | --help]\n"
                        "Close programs, start programs or turn off the computer on a schedule.\n"
                        "\n"
                        "  --version  print the version and exit\n"
                        "  --help     print this help and exit\n"
                        "\n"
                        "Every other argument is ignored. Tasks and settings are kept in\n"
                        "$XDG_CONFIG_HOME/morvane (~/.config/morvane when it is unset).\n");
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (AnswerInformationOption(argc, argv)) {
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Morvane"));
    // The desktop entry's name: Wayland's app id, and how a desktop matches our windows to it.
    QApplication::setDesktopFileName(QStringLiteral("io.github.morvane.Morvane"));

    const QString executableFolder = QCoreApplication::applicationDirPath();
    const QString dataFolder = ProgramFolder::Locate(executableFolder);
    AppPaths paths;
    paths.programFolder = executableFolder.toStdString();
    paths.appDataFolder = DefaultAppDataFolder();
    paths.executableName =
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
    paths.dataFolder = dataFolder.toStdString();

    platform::PlatformServices services =
        platform::CreatePlatformServices({"morvane", paths.appDataFolder.string()});
    // A second copy on the same data folder ends here, silently, before any window exists.
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
    window.LoadSequence();
    return QApplication::exec();
}
