// Morvane on a real headless Wayland compositor (run through scripts/with-wayland.sh, natively
// with Qt's Wayland plugin, or through XWayland): the services main() builds for the session, with
// power, launcher and autostart replaced by recording fakes. On each compositor the picker must say
// why it cannot work, the list of running programs must show a real child of ours, and an idle task
// must wait while input keeps coming and fire once it stops; where the compositor reports no
// activity (weston), the idle choice is disabled and an idle task never fires.

#include "core/Engine.h"
#include "platform/PlatformServices.h"
#include "platform/fake/FakeAutostart.h"
#include "platform/fake/FakeLauncher.h"
#include "platform/fake/FakePower.h"
#include "ui/MainWindow.h"
#include "ui/ProcessListView.h"
#include "ui/TaskEditor.h"
#include "ui/TaskTableModel.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace morvane;

namespace {

constexpr int kWaitMs = 15000;

} // namespace

class WaylandDesktopTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    platform::PlatformServices m_real;
    platform::FakePower m_power;
    platform::FakeLauncher m_launcher;
    platform::FakeAutostart m_autostart;
    std::unique_ptr<Engine> m_engine;
    std::unique_ptr<MainWindow> m_window;
    bool m_seesActivity = true;

    template <typename T> T* W(const char* name) const {
        return m_window->Editor()->findChild<T*>(QString::fromLatin1(name));
    }

private Q_SLOTS:
    void initTestCase() {
        // Natively, or through XWayland when the test asks Qt for xcb.
        QCOMPARE(QGuiApplication::platformName(),
                 QString::fromLocal8Bit(qgetenv("QT_QPA_PLATFORM")));
        const QByteArray compositor = qgetenv("MORVANE_TEST_COMPOSITOR");
        if (compositor.isEmpty()) {
            QSKIP("not on a test compositor (scripts/with-wayland.sh)");
        }
        m_seesActivity = compositor != "weston";
        QVERIFY(m_dir.isValid());
        m_real =
            platform::CreatePlatformServices({"morvane-wayland-test", m_dir.path().toStdString()});
        Engine::Services services{*m_real.clock, m_power,      *m_real.processes,
                                  m_launcher,    *m_real.idle, m_autostart};
        services.fileSync = m_real.fileSync.get();
        m_engine = std::make_unique<Engine>(
            services, AppPaths{m_dir.path().toStdString(),
                               m_dir.filePath(QStringLiteral("appdata")).toStdString(), "morvane"});
        m_window =
            std::make_unique<MainWindow>(MainWindow::Deps{*m_engine, m_real.programIcons.get()});
        m_window->SetWindowPicker(m_real.windowPicker.get());
        m_window->LoadSequence();
        QTRY_VERIFY_WITH_TIMEOUT(m_window->HasStarted(), kWaitMs);
        QCOMPARE(m_real.idle->IsAvailable(), m_seesActivity);
    }

    void cleanupTestCase() {
        m_window.reset();
        m_engine.reset();
    }

    void thePickerSaysWhyAndTheListShowsRealPrograms() {
        QProcess child;
        child.start(QStringLiteral("sleep"), {QStringLiteral("600")});
        QVERIFY(child.waitForStarted());
        m_window->AddTaskCommand();
        auto* handle = W<QLabel>("imgSelect");
        QVERIFY2(!handle->isEnabled(), "XWayland's display must not make the picker usable");
        QVERIFY2(handle->toolTip().contains(QLatin1String("Wayland")),
                 qPrintable(handle->toolTip()));
        auto* list = W<ProcessListView>("LV");
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                m_engine->Refresh(); // the scan the scheduler makes before each task
                m_window->Editor()->RefillProcessList();
                return !list->findItems(QStringLiteral("sleep"), Qt::MatchExactly, 1).isEmpty();
            }(),
            kWaitMs);
        m_window->Editor()->close();
        child.kill();
        child.waitForFinished();
    }

    void anIdleTaskWaitsWhileInputComesAndFiresAfterItStops() {
        m_window->AddTaskCommand();
        auto* mouse = W<QCheckBox>("chkMouse");
        QCOMPARE(mouse->isEnabled(), m_seesActivity);
        QCOMPARE(mouse->toolTip().isEmpty(), m_seesActivity);
        m_window->Editor()->close();

        // Real input on the compositor, a few times a second, until it is stopped.
        QProcess input;
        const QString command = QString::fromLocal8Bit(qgetenv("MORVANE_TEST_INPUT"));
        QCOMPARE(command.isEmpty(), !m_seesActivity);
        if (m_seesActivity) {
            input.start(QStringLiteral("bash"),
                        {QStringLiteral("-c"),
                         QStringLiteral("while :; do %1 >/dev/null || exit 1; sleep 0.3; done")
                             .arg(command)});
            QVERIFY(input.waitForStarted());
        }

        TaskBuilder::Input task;
        task.autoType = 1;
        task.commandLine = "idle-probe";
        task.seconds = "03";
        task.noMouseMoving = true;
        m_engine->AddTask(task);

        // Twice the idle period with input all along (or with no activity known at all): an
        // observation window, so it is waited out whole.
        QTest::qWait(6000);
        QVERIFY2(m_launcher.launched.empty(), "the task fired while the user was active");
        if (!m_seesActivity) {
            QCOMPARE(m_window->Model().index(0, 4).data().toString(),
                     QStringLiteral("Waits: activity cannot be seen here"));
            return;
        }
        QCOMPARE(input.state(), QProcess::Running);
        input.kill();
        input.waitForFinished();
        QElapsedTimer stopped;
        stopped.start();
        QTRY_VERIFY_WITH_TIMEOUT(!m_launcher.launched.empty(), kWaitMs);
        QCOMPARE(m_launcher.launched.front(), std::string("idle-probe"));
        // It waited its period from the last input it saw, give or take a sample.
        QVERIFY2(stopped.elapsed() >= 1500, qPrintable(QString::number(stopped.elapsed())));
    }
};

QTEST_MAIN(WaylandDesktopTest)
#include "WaylandDesktopTest.moc"
