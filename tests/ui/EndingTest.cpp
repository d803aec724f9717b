// Every way of ending the main window over the fake platform, with tasks that the end would
// lose (the list is not kept) and without: who asks what, and what is kept afterwards.

#include "Desk.h"
#include "ModalAnswerer.h"
#include "OffscreenQuiet.h"
#include "ui/TrayIcon.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace morvane;
using morvane::test::Desk;
using morvane::test::ModalAnswerer;

namespace {

enum class Way { CloseBox, ExitButton, CtrlQ, TrayExit, SessionEnd, TaskQuit };

const QString kKeepQuestion = QStringLiteral("The task list is not kept");
const QString kSureQuestion = QStringLiteral("Are you sure to quit?");

} // namespace

class EndingTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { morvane::test::QuietOffscreenNotes(); }

    void theUserIsAskedOnlyWhenTasksWouldBeLost_data() {
        QTest::addColumn<Way>("way");
        QTest::addColumn<int>("tasks");
        QTest::addColumn<bool>("autoload");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("question"); // the start of the one question asked; empty: none
        QTest::addColumn<bool>("ends");
        QTest::addColumn<bool>("kept");
        const auto keep = QMessageBox::Save;
        const auto quitAnyway = QMessageBox::Discard;
        const auto stay = QMessageBox::Cancel;
        // clang-format off
        QTest::newRow("close box, keep") << Way::CloseBox << 3 << false << keep << kKeepQuestion << true << true;
        QTest::newRow("close box, stay") << Way::CloseBox << 3 << false << stay << kKeepQuestion << false << false;
        QTest::newRow("close box, quit anyway") << Way::CloseBox << 3 << false << quitAnyway << kKeepQuestion << true << false;
        QTest::newRow("close box, no tasks") << Way::CloseBox << 0 << false << stay << QString() << true << false;
        QTest::newRow("close box, kept tasks") << Way::CloseBox << 3 << true << stay << QString() << true << true;
        QTest::newRow("Ctrl+Q, keep") << Way::CtrlQ << 3 << false << keep << kKeepQuestion << true << true;
        QTest::newRow("Ctrl+Q, kept tasks") << Way::CtrlQ << 3 << true << stay << kSureQuestion << false << true;
        QTest::newRow("Exit, stay") << Way::ExitButton << 3 << false << stay << kKeepQuestion << false << false;
        QTest::newRow("tray Exit, quit anyway") << Way::TrayExit << 3 << false << quitAnyway << kKeepQuestion << true << false;
        QTest::newRow("session end") << Way::SessionEnd << 3 << false << keep << QString() << true << false;
        QTest::newRow("a task's quit") << Way::TaskQuit << 3 << false << stay << kSureQuestion << false << false;
        // clang-format on
    }
    void theUserIsAskedOnlyWhenTasksWouldBeLost() {
        QFETCH(Way, way);
        QFETCH(int, tasks);
        QFETCH(bool, autoload);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QString, question);
        QFETCH(bool, ends);
        QFETCH(bool, kept);

        Desk desk;
        desk.Start();
        MainWindow& window = *desk.window;
        Engine& engine = *desk.engine;
        if (autoload) {
            desk.Get<QAction>("menuAutoload")->trigger();
        }
        for (int i = 0; i < tasks; ++i) {
            engine.AddTask(Task{"xterm", "/usr/bin/xterm", "None", "2026/12/08 09:00:00", "None",
                                "Close - Normal", ""});
        }
        QSignalSpy ended(&window, &MainWindow::programEnded);
        ModalAnswerer answerer(answer);
        switch (way) {
        case Way::CloseBox:
            window.close();
            break;
        case Way::ExitButton:
            desk.Get<QToolButton>("cmdExit")->click();
            break;
        case Way::CtrlQ:
            QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
            break;
        case Way::TrayExit:
            window.Tray().Menu()->findChild<QAction*>(QStringLiteral("trayExit"))->trigger();
            break;
        case Way::SessionEnd:
            // What main() does when the session ends or the system asks us to go.
            window.CloseMainWindow();
            break;
        case Way::TaskQuit:
            engine.AddTask(Task{"true", "/usr/bin/true", "None", "2026/12/07 09:00:00", "None",
                                "Run - Normal", " - Q"});
            engine.SchedulerTick();
            break;
        }

        QCOMPARE(answerer.Count(), question.isEmpty() ? 0 : 1);
        if (!question.isEmpty()) {
            const ModalAnswerer::Seen& box = answerer.Boxes().first();
            QVERIFY2(box.text.startsWith(question), qPrintable(box.text));
            if (question == kKeepQuestion) {
                QCOMPARE(box.buttons,
                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
            }
        }
        QCOMPARE(ended.count(), ends ? 1 : 0);
        QCOMPARE(window.isVisible(), !ends);
        QCOMPARE(engine.Marks().IsChecked(Mark::Autoload), kept);
        const QString keptFile = desk.AppData() + QStringLiteral("/default.mtf");
        QCOMPARE(QFile::exists(keptFile), kept);
        if (ends) {
            QVERIFY2(QFile::exists(desk.AppData() + QStringLiteral("/mvsetting.ini")),
                     "every end but an immediate one saves the settings");
        }
    }
};

QTEST_MAIN(EndingTest)
#include "EndingTest.moc"
