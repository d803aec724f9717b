// The main window's additions over a core with fake platform services: the warning notice and
// its answers, editing a task in place, the status line, the history window, the tray icon and
// closing to it, notifications, and the tutorial in a window of its own.

#include "Desk.h"
#include "ModalAnswerer.h"
#include "OffscreenQuiet.h"
#include "core/tasks/DateTime.h"
#include "platform/Notifications.h"
#include "platform/fake/FakeNotifications.h"
#include "ui/HelpWindow.h"
#include "ui/NotificationSender.h"
#include "ui/TrayIcon.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStandardItemModel>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeView>
#include <QTreeWidget>

#include <functional>

using namespace morvane;
using morvane::test::Desk;
using morvane::test::ModalAnswerer;

namespace {

// A close task made at the fake clock's 10:00:00, due `minutes` later.
Task CloseIn(const std::string& program, int minutes) {
    const QString m = QStringLiteral("%1").arg(minutes, 2, 10, QLatin1Char('0'));
    return Task{program, "/usr/bin/" + program,
                "None",  QStringLiteral("2026/12/07 10:%1:00").arg(m).toStdString(),
                "None",  QStringLiteral("Close - After 00-00-%1-00").arg(m).toStdString(),
                ""};
}

class RecordingNotifications final : public platform::Notifications {
public:
    [[nodiscard]] bool IsAvailable() const override { return available; }
    bool Show(const std::string& title, const std::string& body) override {
        shown.emplace_back(title, body);
        return true;
    }
    bool available = true;
    std::vector<std::pair<std::string, std::string>> shown;
};

} // namespace

class ExtrasTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Desk> m_desk;

    template <typename T> T* W(const char* name) const { return m_desk->Get<T>(name); }
    Engine& E() const { return *m_desk->engine; }
    QString Status() const { return W<QLabel>("lblStatus")->text(); }
    void SetPrefs(bool Preferences::*option, bool on) const {
        Preferences prefs = E().Prefs();
        prefs.*option = on;
        E().SetPreferences(prefs);
    }

private Q_SLOTS:
    void initTestCase() { morvane::test::QuietOffscreenNotes(); }
    void init() {
        m_desk = std::make_unique<Desk>();
        m_desk->Start();
    }
    void cleanup() { m_desk.reset(); }

    void theStatusLineAndTooltipsFollowTheList() {
        QCOMPARE(Status(), QString());
        E().AddTask(CloseIn("gedit", 4));
        // Worded once the change is over, not inside it.
        QTRY_VERIFY2(Status().startsWith(QLatin1String("Next: gedit in 0:04:")),
                     qPrintable(Status()));
        const QString tip = m_desk->window->Model().index(0, 1).data(Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains(QLatin1String("Time left: 0:04:")), qPrintable(tip));

        // The scheduler's ticks count down without any change to the list.
        m_desk->clock.Advance(60);
        QTRY_VERIFY2(Status().startsWith(QLatin1String("Next: gedit in 0:03:")),
                     qPrintable(Status()));

        W<QAction>("menuShut")->trigger();
        QVERIFY2(Status().contains(QLatin1String("After all tasks: Shutdown PC")),
                 qPrintable(Status()));
        QVERIFY(m_desk->window->Tray().Icon()->toolTip().contains(QLatin1String("Next: gedit")));

        E().ClearTasks();
        QTRY_VERIFY2(!Status().contains(QLatin1String("Next:")), qPrintable(Status()));
    }

    void theWarningCountsDownAndEachAnswerDoesItsThing() {
        SetPrefs(&Preferences::warnBeforeActing, true);
        auto* notice = W<QDialog>("frmWarning");
        QVERIFY(notice->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!notice->isModal());

        struct Answer {
            const char* button;
            std::function<void()> check;
        };
        const Answer answers[] = {
            {"cmdWarningCancel",
             [&] {
                 QCOMPARE(m_desk->processes.terminated.size(), std::size_t{0});
                 QCOMPARE(E().Tasks().Count(), 0); // a one-off task is spent
             }},
            {"cmdWarningSnooze",
             [&] {
                 QCOMPARE(m_desk->processes.terminated.size(), std::size_t{0});
                 const DateTime tenMinutesOn = *AddSeconds(m_desk->clock.now, 600);
                 QCOMPARE(E().Tasks().At(1).closeTime, FormatCanonical(tenMinutesOn));
             }},
            {"cmdWarningNow",
             [&] {
                 QVERIFY(!m_desk->processes.terminated.empty());
             }},
        };
        for (const Answer& answer : answers) {
            E().ClearTasks();
            m_desk->processes.terminated.clear();
            E().AddTask(CloseIn("gedit", 0));
            QTRY_VERIFY2(notice->isVisible(), answer.button);
            const QString what = W<QLabel>("lblWarningWhat")->text();
            QVERIFY2(what.contains(QLatin1String("close gedit")), qPrintable(what));
            const QString countdown = W<QLabel>("lblWarningCountdown")->text();
            m_desk->clock.Advance(5);
            QTRY_VERIFY2(W<QLabel>("lblWarningCountdown")->text() != countdown, answer.button);

            QTest::mouseClick(W<QPushButton>(answer.button), Qt::LeftButton);
            QVERIFY2(!notice->isVisible() && !E().PendingWarning(), answer.button);
            answer.check();
        }
    }

    void aPowerActionsLastMinuteFillsTheScreenAndEscCancels() {
        SetPrefs(&Preferences::warnBeforeActing, true);
        SetPrefs(&Preferences::fullScreenLastMinute, true);
        auto* screen = W<QWidget>("frmLastMinute");
        // A close alone never fills the screen.
        E().AddTask(CloseIn("gedit", 0));
        QTRY_VERIFY(W<QDialog>("frmWarning")->isVisible());
        QVERIFY(!screen->isVisible());
        W<QPushButton>("cmdWarningCancel")->click();

        // Followed by a shutdown, with the lead of a minute: the last minute is all of it.
        Task thenShutDown = CloseIn("gedit", 0);
        thenShutDown.after = "Shutdown PC";
        E().AddTask(thenShutDown);
        QTRY_VERIFY(screen->isVisible());
        QVERIFY(screen->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY2(W<QLabel>("lblLastMinuteWhat")->text().contains(QLatin1String("shut down")),
                 qPrintable(W<QLabel>("lblLastMinuteWhat")->text()));
        QTest::keyClick(screen, Qt::Key_Escape);
        QVERIFY(!E().PendingWarning());
        QVERIFY(!screen->isVisible());
        QVERIFY(m_desk->processes.terminated.empty());
        QVERIFY(m_desk->power.calls.empty());
    }

    void theWarningSoundsThroughTheDesktopWhereItPlaysSounds() {
        platform::FakeNotifications service;
        NotificationSender sender(&service, nullptr);
        sender.Chime(QStringLiteral("About to act"), QStringLiteral("shut down"));
        QVERIFY2(service.played.empty(), "no sound theme: the system beep instead");
        service.sounds = true;
        sender.Chime(QStringLiteral("About to act"), QStringLiteral("shut down"));
        QCOMPARE(service.played, (std::vector<std::string>{"dialog-warning"}));
    }

    void editingReplacesTheTaskInPlace() {
        E().AddTask(CloseIn("xterm", 5));
        E().AddTask(CloseIn("gedit", 6));
        E().AddTask(CloseIn("nano", 7));
        m_desk->window->HideDoor(); // the how-to picture lies over the list at start
        auto* list = W<QTreeView>("LVClose");
        const QModelIndex second = list->model()->index(1, 1);
        list->setCurrentIndex(second);
        QTest::keyClick(list, Qt::Key_Return);

        TaskEditor* editor = m_desk->Editor();
        QTRY_VERIFY(editor->isVisible());
        QCOMPARE(editor->EditedRow(), 2);
        QCOMPARE(W<QPushButton>("cmdOK")->text(), QStringLiteral("Save"));
        QCOMPARE(editor->CurrentTarget().program, QStringLiteral("gedit"));
        QCOMPARE(W<QComboBox>("cmbTMin")->currentText(), QStringLiteral("06"));

        W<QComboBox>("cmbTMin")->setCurrentText(QStringLiteral("30"));
        W<QComboBox>("cmbAfter")->setCurrentIndex(2);
        W<QPushButton>("cmdOK")->click();
        QTRY_VERIFY(!editor->isVisible());
        QCOMPARE(E().Tasks().Count(), 3);
        QCOMPARE(E().Tasks().At(2).program, std::string("gedit"));
        QCOMPARE(E().Tasks().At(2).type, std::string("Close - After 00-00-30-00"));
        QCOMPARE(E().Tasks().At(2).after, std::string("Reboot"));
        QCOMPARE(E().Tasks().At(3).program, std::string("nano"));
        // Closing the editor returns it to adding.
        QCOMPARE(editor->EditedRow(), 0);

        // What Add refuses, Save refuses: a run task without a command line.
        m_desk->window->EditCommand();
        QTRY_VERIFY(editor->isVisible());
        W<QComboBox>("cmbAutoType")->setCurrentIndex(1);
        m_desk->Get<QLineEdit>("txtCmd")->clear();
        ModalAnswerer answerer;
        W<QPushButton>("cmdOK")->click();
        QCOMPARE(answerer.Count(), 1);
        QVERIFY(editor->isVisible());
        QCOMPARE(E().Tasks().At(2).type, std::string("Close - After 00-00-30-00"));
        W<QPushButton>("cmdCancel")->click();
    }

    void theHistoryWindowListsWhatRan() {
        E().AddTask(CloseIn("gedit", 0));
        QTRY_VERIFY(!E().Events().Events().empty());
        W<QAction>("menuHistory")->trigger();
        auto* list = W<QTreeWidget>("LVHistory");
        QTRY_VERIFY(list->isVisible());
        QCOMPARE(list->topLevelItemCount(), static_cast<int>(E().Events().Events().size()));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Close gedit"));
        QVERIFY2(list->topLevelItem(0)->text(2).contains(QLatin1String("closed 1 process")),
                 qPrintable(list->topLevelItem(0)->text(2)));

        // A new event shows at the top while the window is open; a gentle close once it is over.
        Task gently = CloseIn("nano", 0);
        gently.after = " - Gentle 10";
        m_desk->processes.closesWhenAsked = {102};
        E().AddTask(gently);
        QTRY_COMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Close nano"));
        QVERIFY2(list->topLevelItem(0)->text(2).endsWith(
                     QLatin1String("; 1 closed, 0 forced after 10 s")),
                 qPrintable(list->topLevelItem(0)->text(2)));
    }

    void hibernationThatIsNotAllowedIsGreyedOutWhereverItIsOffered() {
        m_desk->power.hibernateReason = "hibernation is turned off on this computer";
        QMenu* tray = m_desk->window->Tray().Menu()->findChild<QMenu*>(QStringLiteral("trayAfter"));
        for (QMenu* menu : {W<QMenu>("menuAfter"), tray}) {
            Q_EMIT menu->aboutToShow();
            QAction* hibernate = menu->actions().at(3);
            QVERIFY2(!hibernate->isEnabled(), qPrintable(menu->objectName()));
            QVERIFY(hibernate->toolTip().contains(QLatin1String("turned off")));
        }
        m_desk->Editor()->ShowEditor();
        auto* after = qobject_cast<QStandardItemModel*>(W<QComboBox>("cmbAfter")->model());
        QVERIFY(!after->item(PowerIndex(PowerAction::Hibernate))->isEnabled());

        m_desk->power.hibernateReason.clear();
        Q_EMIT tray->aboutToShow();
        QVERIFY(tray->actions().at(3)->isEnabled());
    }

    void theTrayMenuSetsTheAfterAllChoiceAndTheWindowClosesToTheTray() {
        TrayIcon& tray = m_desk->window->Tray();
        QStringList captions;
        for (QAction* action : tray.Menu()->actions()) {
            if (!action->isSeparator()) {
                captions << action->text();
            }
        }
        QCOMPARE(captions,
                 (QStringList{"Show Morvane", "Add a Task", "After Finish All Tasks", "Exit"}));
        QMenu* after = tray.Menu()->findChild<QMenu*>(QStringLiteral("trayAfter"));
        after->actions().at(1)->trigger(); // Reboot
        QVERIFY(E().Marks().IsChecked(Mark::Reboot));
        QVERIFY(W<QAction>("menuReboot")->isChecked());
        QVERIFY(after->actions().at(1)->isChecked());
        after->actions().at(6)->trigger(); // Lock the Screen
        QVERIFY(E().Marks().IsChecked(Mark::Lock));
        QVERIFY(!W<QAction>("menuReboot")->isChecked());
        QCOMPARE(after->actions().at(6)->text(),
                 W<QAction>("menuLock")->text().remove(QLatin1Char('&')));

        // Without a tray the option cannot be taken, and says why.
        auto* keepInTray = W<QAction>("menuKeepInTray");
        QVERIFY(!keepInTray->isEnabled());
        QVERIFY(keepInTray->toolTip().contains(QLatin1String("no system tray")));
        m_desk->window->SetTrayAvailability([] { return true; });
        QVERIFY(keepInTray->isEnabled());
        QVERIFY(!keepInTray->toolTip().contains(QLatin1String("no system tray")));
        keepInTray->trigger();
        QVERIFY(E().Prefs().keepInTray);
        m_desk->window->close();
        QVERIFY(!m_desk->window->isVisible());
        QVERIFY(!m_desk->window->HasEnded());
        Q_EMIT tray.showRequested();
        QTRY_VERIFY(m_desk->window->isVisible());

        // Without a tray the close box ends the program, whatever the option says.
        m_desk->window->SetTrayAvailability([] { return false; });
        m_desk->window->close();
        QVERIFY(m_desk->window->HasEnded());
    }

    void howToUseShowsTheShippedTutorialInAWindowOfItsOwn() {
        QTemporaryDir docs;
        const auto write = [&docs](const char* name, const QByteArray& text) {
            QFile file(docs.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        };
        write("tutorial.html", "<p><a href=\"https://morvane.test/more\">more</a>"
                               "<img src=\"pictures/step.png\"></p>");
        write("tutorial.fr.html", "<p>en français</p>");
        QVERIFY(QDir(docs.path()).mkdir(QStringLiteral("pictures")));
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(docs.filePath(QStringLiteral("pictures/step.png"))));
        m_desk->window->SetTutorialBase(QUrl::fromLocalFile(docs.path() + u'/'));

        W<QAction>("menuHelp")->trigger();
        auto* browser = W<QTextBrowser>("helpBrowser");
        QVERIFY(browser->isVisible());
        QCOMPARE(browser->source(), QUrl::fromLocalFile(docs.filePath("tutorial.html")));
        QVERIFY2(m_desk->opened.isEmpty(), "the shipped tutorial never goes to the desktop");
        QVERIFY2(!browser->loadResource(QTextDocument::ImageResource, QUrl("pictures/step.png"))
                      .isNull(),
                 "pictures load from beside the page");
        Q_EMIT browser->anchorClicked(QUrl(QStringLiteral("https://morvane.test/more")));
        QCOMPARE(m_desk->opened, QList<QUrl>{QUrl(QStringLiteral("https://morvane.test/more"))});

        // Asked again, the same window comes forward; in French, the French page beside it.
        browser->window()->hide();
        W<QAction>("menuHelp")->trigger();
        QVERIFY(browser->isVisible());
        QCOMPARE(m_desk->window->findChildren<HelpWindow*>().size(), 1);
        W<QAction>("menuFr")->trigger();
        QCOMPARE(browser->source(), QUrl::fromLocalFile(docs.filePath("tutorial.fr.html")));

        // A tutorial that is missing is worth a word on where it belongs.
        m_desk->window->SetTutorialBase(QUrl::fromLocalFile(docs.filePath("gone") + u'/'));
        ModalAnswerer answerer;
        W<QAction>("menuHelp")->trigger();
        QCOMPARE(answerer.Count(), 1);
        QVERIFY2(answerer.Boxes().first().text.contains(docs.filePath("gone/tutorial.html")),
                 qPrintable(answerer.Boxes().first().text));
    }

    void settingItemsChangeTheOptions() {
        QVERIFY(!W<QAction>("menuWarn")->isChecked());
        QVERIFY(W<QAction>("menuNotifyFailures")->isChecked());
        W<QAction>("menuWarn")->trigger();
        W<QAction>("menuNotifyFailures")->trigger();
        QVERIFY(E().Prefs().warnBeforeActing);
        QVERIFY(!E().Prefs().notifyFailures);
        QVERIFY(W<QAction>("menuWarn")->isChecked());
    }

    void noticesGoToTheDesktopServiceWhenItIsThere() {
        RecordingNotifications service;
        NotificationSender sender(&service, m_desk->window->Tray().Icon());
        const LanguageTable& lan = E().Language();
        QVERIFY(
            sender.Send(Notice{Notice::Kind::CouldNotStart, "backup.sh", "no such file", 0}, lan));
        QVERIFY(sender.Send(Notice{Notice::Kind::PowerSoon, "Shutdown PC", "", 5}, lan));
        QCOMPARE(service.shown.size(), std::size_t{2});
        QCOMPARE(service.shown[0].second, std::string("backup.sh could not start: no such file"));
        QCOMPARE(service.shown[1].second, std::string("Shutdown PC in 5 minutes."));
        service.available = false;
        // Nowhere to show it: no service and no tray icon on the screen.
        QVERIFY(!sender.Send(Notice{Notice::Kind::NothingToClose, "gedit", "", 0}, lan));
        QCOMPARE(service.shown.size(), std::size_t{2});
    }

    // Not a check: docs/screenshots.sh runs it on its desktop to picture the README.
    void screenshotsOfTheWarningAndTheTrayMenu() {
        const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOTS");
        if (folder.isEmpty()) {
            QSKIP("run by docs/screenshots.sh");
        }
        SetPrefs(&Preferences::warnBeforeActing, true);
        Task task = CloseIn("gedit", 0);
        task.after = "Shutdown PC";
        E().AddTask(task);
        auto* notice = W<QDialog>("frmWarning");
        QTRY_VERIFY(notice->isVisible());
        QVERIFY(notice->grab().save(folder + QStringLiteral("/screenshot-warning.png")));
        W<QPushButton>("cmdWarningCancel")->click();

        E().AddTask(CloseIn("nano", 42));
        QMenu* menu = m_desk->window->Tray().Menu();
        menu->popup(QPoint(40, 40));
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(menu->grab().save(folder + QStringLiteral("/screenshot-tray.png")));
        menu->close();
    }
};

QTEST_MAIN(ExtrasTest)
#include "ExtrasTest.moc"
