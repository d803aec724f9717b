// The main window over a core with fake platform services: its layout in every language and
// font size, list commands, menus and marks, languages in both windows, start-up from kept
// files, every way of ending, and the task-file commands through the shared file dialogs.

#include "Desk.h"
#include "ModalAnswerer.h"
#include "OffscreenQuiet.h"
#include "core/storage/AppPaths.h"
#include "platform/common/EnvironmentUserFolders.h"
#include "ui/DoorPicture.h"
#include "ui/FontGrowth.h"
#include "ui/LinkLabel.h"
#include "ui/PictureButton.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace morvane;
using morvane::test::Desk;
using morvane::test::ModalAnswerer;

namespace {

QStringList ReadLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

void WriteLines(const QString& path, const QStringList& lines) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (const QString& line : lines) {
        f.write(line.toUtf8() + "\r\n");
    }
}

QStringList LanguageFile(const char* name) {
    return ReadLines(QStringLiteral(MORVANE_SOURCE_DATA "/") + QLatin1String(name));
}

Task Countdown(const std::string& program, const std::string& minutes = "10") {
    return Task{program, "/usr/bin/" + program,
                "None",  "2026/12/07 10:" + minutes + ":00",
                "None",  "Close - After 00-00-" + minutes + "-00",
                ""};
}

} // namespace

constexpr const char* kButtons[] = {"cmdAdd",  "cmdDelete",  "cmdRemoveAll", "cmdSave",
                                    "cmdLoad", "cmdSetting", "cmdHelp",      "cmdExit"};

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Desk> m_desk;

    template <typename T> T* W(const char* name) const { return m_desk->Get<T>(name); }
    QAction* Act(const char* name) const { return W<QAction>(name); }
    QTimer* TimerClose() const { return W<QTimer>("timerClose"); }
    QWidget* Door() const { return W<QWidget>("picDoor"); }
    const TaskList& Tasks() const { return m_desk->engine->Tasks(); }
    /// Where a control is, in the window's coordinates.
    QRect Place(const QWidget* w) const {
        return {w->mapTo(m_desk->window.get(), QPoint(0, 0)), w->size()};
    }
    QString File(const char* name) const {
        return m_desk->AppData() + QLatin1Char('/') + QLatin1String(name);
    }
    void Start(const QString& appData = QString()) {
        m_desk = std::make_unique<Desk>(QStringLiteral(MORVANE_SOURCE_DATA), appData);
        m_desk->Start();
    }
    void AddThree() {
        for (const char* p : {"alpha", "beta", "gamma"}) {
            m_desk->engine->AddTask(Countdown(p));
        }
    }
    QStringList ProgramsShown() const {
        QStringList names;
        const QAbstractItemModel& model = m_desk->window->Model();
        for (int r = 0; r < model.rowCount(); ++r) {
            names << model.index(r, 1).data().toString();
        }
        return names;
    }
    QStringList CheckedAfterMarks() const {
        QStringList shown;
        for (const char* name : {"menuShut", "menuReboot", "menuLogoff", "menuHibernet",
                                 "menuScreen", "menuSuspend", "menuLock", "menuQuit"}) {
            if (Act(name)->isChecked()) {
                shown << QString::fromLatin1(name);
            }
        }
        return shown;
    }

private Q_SLOTS:
    void initTestCase() { morvane::test::QuietOffscreenNotes(); }
    void init() { Start(); }
    void cleanup() { m_desk.reset(); }

    void opensWithTheButtonsOverTheListAndTheLinkUnder() {
        MainWindow& w = *m_desk->window;
        QCOMPARE(w.objectName(), QStringLiteral("form1"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Morvane"));
        auto* list = W<QTreeView>("LVClose");
        QCOMPARE(list->model()->columnCount(), 8);
        QCOMPARE(W<QLabel>("lblTask")->text(), QStringLiteral("Task List"));
        QVERIFY(!W<LinkLabel>("lblWeb")->Caption().isEmpty());

        // One row of buttons on top, left to right, Exit apart at the list's right end.
        const QRect listPlace = Place(list);
        QRect previous;
        for (const char* name : kButtons) {
            auto* b = W<PictureButton>(name);
            QVERIFY2(!b->icon().isNull() && !b->text().isEmpty(), name);
            const QRect button = Place(b);
            QVERIFY2(button.bottom() < Place(W<QWidget>("lblTask")).top(), name);
            QVERIFY2(previous.isNull() || button.left() > previous.right(), name);
            QVERIFY2(previous.isNull() || button.top() == previous.top(), name);
            previous = button;
        }
        QCOMPARE(previous.right(), listPlace.right());
        // The caption over the list, the link and the status line under it.
        QVERIFY(Place(W<QWidget>("lblTask")).bottom() < listPlace.top());
        for (const char* name : {"lblWeb", "lblStatus"}) {
            QVERIFY2(Place(W<QWidget>(name)).top() > listPlace.bottom(), name);
        }
        // The how-to picture lies over the list until it is hidden.
        QVERIFY(Door()->isVisible());
        QVERIFY(Place(Door()).contains(listPlace));

        // With nothing to do, nothing wakes the program.
        QVERIFY(!W<QTimer>("timerMouse")->isActive());
        QVERIFY(!TimerClose()->isActive());
    }

    void noCaptionIsCutInAnyLanguageOrFont_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<double>("scale");
        for (const char* language : {"menuEn", "menuFr", "menuPolish"}) {
            for (const double scale : {1.0, 1.25, 2.0}) {
                QTest::addRow("%s %.2fx", language + 4, scale)
                    << QString::fromLatin1(language) << scale;
            }
        }
    }
    void noCaptionIsCutInAnyLanguageOrFont() {
        QFETCH(QString, language);
        QFETCH(double, scale);
        m_desk.reset();
        const QFont standard = QApplication::font();
        const auto restore = qScopeGuard([this, standard] {
            m_desk.reset();
            QApplication::setFont(standard);
        });
        QFont font = standard;
        font.setPointSizeF(kStandardPointSize * scale);
        QApplication::setFont(font);
        Start();
        m_desk->Get<QAction>(qPrintable(language))->trigger();
        MainWindow& w = *m_desk->window;
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The new captions' sizes reach the layouts through posted requests.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents();

        const QSize frame = w.frameGeometry().size();
        QVERIFY2(frame.width() <= 1280 && frame.height() <= 1024,
                 qPrintable(QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height())));
        QList<const QWidget*> controls;
        for (const char* name : kButtons) {
            auto* b = W<PictureButton>(name);
            QVERIFY2(b->CaptionFits(), qPrintable(b->text()));
            controls << b;
        }
        for (const char* name : {"lblTask", "lblWeb"}) {
            const QWidget* label = W<QWidget>(name);
            const QSize needs = label->sizeHint();
            QVERIFY2(label->width() >= needs.width() && label->height() >= needs.height(), name);
            controls << label;
        }
        const auto* list = W<QTreeView>("LVClose");
        for (int c = 0; c < list->model()->columnCount(); ++c) {
            QVERIFY2(list->header()->sectionSize(c) >= list->header()->sectionSizeHint(c),
                     qPrintable(list->model()->headerData(c, Qt::Horizontal).toString()));
        }
        controls << list << W<QWidget>("lblStatus");
        for (qsizetype i = 0; i < controls.size(); ++i) {
            for (qsizetype j = i + 1; j < controls.size(); ++j) {
                QVERIFY2(!Place(controls[i]).intersects(Place(controls[j])),
                         qPrintable(controls[i]->objectName() + u' ' + controls[j]->objectName()));
            }
        }
    }

    void menusCarryTheirShortcuts() {
        QCOMPARE(Act("menuAdd")->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
        QCOMPARE(Act("menuDelete")->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
        QCOMPARE(Act("menuExit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
        QCOMPARE(Act("menuHelp")->shortcut(), QKeySequence(QStringLiteral("Ctrl+H")));
        QCOMPARE(W<QMenu>("menuAfter")->actions().size(), 8);
        for (const char* name : {"menuTask", "menuSetting", "menuLan", "menuA"}) {
            QVERIFY2(m_desk->window->menuBar()->actions().contains(W<QMenu>(name)->menuAction()),
                     name);
        }
    }

    void ctrlAOpensTheEditorFromTheList() {
        m_desk->window->activateWindow();
        W<QTreeView>("LVClose")->setFocus();
        QTest::keyClick(W<QTreeView>("LVClose"), Qt::Key_A, Qt::ControlModifier);
        QVERIFY(m_desk->Editor()->isVisible());
        QVERIFY(!Door()->isVisible());
        QVERIFY(m_desk->processes.scans > 0);
    }

    void wideningGrowsTheListAndKeepsExitAtItsEnd() {
        auto* list = W<QTreeView>("LVClose");
        const QSize listBefore = list->size();
        const QPoint saveBefore = Place(W<QWidget>("cmdSave")).topLeft();
        m_desk->window->resize(m_desk->window->width() + 100, m_desk->window->height() + 50);
        QCOMPARE(list->size(), listBefore + QSize(100, 50));
        QCOMPARE(Place(W<QWidget>("cmdExit")).right(), Place(list).right());
        QVERIFY(Place(W<QWidget>("lblWeb")).top() > Place(list).bottom());
        QCOMPARE(Place(W<QWidget>("cmdSave")).topLeft(), saveBefore);

        // The window goes no smaller than its contents need.
        m_desk->window->resize(10, 60);
        QVERIFY(list->width() > 0 && list->height() > 0);
        QVERIFY(W<PictureButton>("cmdExit")->CaptionFits());
    }

    void thePictureHidesOnAClickOrAnyCommand() {
        QTest::mouseClick(Door(), Qt::LeftButton);
        QVERIFY(!Door()->isVisible());
        Start();
        QVERIFY(Door()->isVisible());
        W<QToolButton>("cmdDelete")->click();
        QVERIFY(!Door()->isVisible());
    }

    void deleteRemovesOnlyTheSelectedRowAndRemoveAllEveryRow() {
        AddThree();
        QTest::keyClick(m_desk->window.get(), Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(ProgramsShown(), (QStringList{"alpha", "beta", "gamma"}));

        auto* list = W<QTreeView>("LVClose");
        list->selectionModel()->select(list->model()->index(1, 1),
                                       QItemSelectionModel::ClearAndSelect |
                                           QItemSelectionModel::Rows);
        W<QToolButton>("cmdDelete")->click();
        QCOMPARE(ProgramsShown(), (QStringList{"alpha", "gamma"}));
        QCOMPARE(Tasks().FieldOf(2, Field::Program), "gamma");

        W<QToolButton>("cmdRemoveAll")->click();
        QVERIFY(Tasks().IsEmpty());
        QCOMPARE(m_desk->window->Model().rowCount(), 0);
        QVERIFY2(!TimerClose()->isActive(), "with no task left, nothing wakes the program");
    }

    void theTimerDrivesTheScheduler() {
        Task due = Countdown("Empty", "00");
        due.path = "None";
        m_desk->engine->AddTask(due);
        QVERIFY(TimerClose()->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(Tasks().IsEmpty(), 5000);
        QVERIFY2(!TimerClose()->isActive(), "the tick that empties the list stops the timer");
    }

    void powerMarksAreExclusiveAndQuitIsNot() {
        Act("menuShut")->trigger();
        Act("menuQuit")->trigger();
        Act("menuReboot")->trigger();
        QCOMPARE(CheckedAfterMarks(), (QStringList{"menuReboot", "menuQuit"}));
        Act("menuSuspend")->trigger();
        Act("menuLock")->trigger();
        QCOMPARE(CheckedAfterMarks(), (QStringList{"menuLock", "menuQuit"}));
        Act("menuLock")->trigger();
        QCOMPARE(CheckedAfterMarks(), (QStringList{"menuQuit"}));
        QVERIFY(m_desk->engine->Marks().IsChecked(Mark::Quit));
        QVERIFY(!m_desk->engine->Marks().IsChecked(Mark::Lock));
    }

    void autostartAndAutoloadFollowTheirClicks() {
        Act("menuAutostart")->trigger();
        QVERIFY(Act("menuAutostart")->isChecked());
        QCOMPARE(m_desk->autostart.entries.count("morvane"), 1U);
        Act("menuAutostart")->trigger();
        QVERIFY(!Act("menuAutostart")->isChecked());
        QVERIFY(m_desk->autostart.entries.empty());

        m_desk->autostart.failWith = "Error 13 opening key\r\n";
        ModalAnswerer answerer;
        Act("menuAutostart")->trigger();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Boxes().first().title, QStringLiteral("Morvane"));
        QCOMPARE(answerer.Boxes().first().text, QStringLiteral("Error 13 opening key"));

        Act("menuAutoload")->trigger();
        QVERIFY(m_desk->engine->Marks().IsChecked(Mark::Autoload));
    }

    void aLanguageChangesBothWindowsAtOnce() {
        const QStringList fr = LanguageFile("fr.ini");
        QCOMPARE(fr.size(), 51);
        // Menus carry a mnemonic: the caption as shown.
        const auto shown = [](QString text) {
            return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
                .remove(u'&')
                .replace(u'\x01', u'&');
        };
        QCOMPARE(W<QToolButton>("cmdAdd")->text(), QStringLiteral("Add a Task"));
        Act("menuFr")->trigger();
        QCOMPARE(W<QToolButton>("cmdAdd")->text(), fr.at(0));
        QCOMPARE(W<QToolButton>("cmdExit")->text(), fr.at(6));
        QCOMPARE(shown(W<QMenu>("menuTask")->title()), fr.at(7));
        QCOMPARE(shown(Act("menuAdd")->text()), fr.at(0));
        QCOMPARE(shown(Act("menuHibernet")->text()), fr.at(14));
        QCOMPARE(shown(W<QMenu>("menuLan")->title()), fr.at(48));
        QCOMPARE(W<QPushButton>("cmdOK")->text(), fr.at(32));
        QCOMPARE(W<QPushButton>("cmdCancel")->text(), fr.at(33));
        QCOMPARE(W<QLabel>("lblPrograms")->text(), fr.at(22));
        QCOMPARE(W<QLabel>("Label5")->text(), fr.at(29));
        QCOMPARE(W<QComboBox>("cmbAfter")->itemText(0), fr.at(50));
        QCOMPARE(W<QComboBox>("cmbAfter")->itemText(4), fr.at(14));
        // Texts the language file does not carry follow through Qt's translation.
        QCOMPARE(W<QToolButton>("cmdSave")->text(), QStringLiteral("Enregistrer les tâches"));
        QCOMPARE(shown(Act("menuExit")->text()), QStringLiteral("Quitter"));
        QCOMPARE(W<QComboBox>("cmbLoop")->itemText(2), QStringLiteral("Chaque jour"));
        QCOMPARE(W<QTreeView>("LVClose")->model()->headerData(4, Qt::Horizontal).toString(),
                 QStringLiteral("Heure de fermeture"));
        QVERIFY(Act("menuFr")->isChecked());
        QVERIFY(!Act("menuEn")->isChecked() && !Act("menuPolish")->isChecked());
        QVERIFY(QFile::exists(File("mvfr.dat")));

        Act("menuPolish")->trigger();
        QCOMPARE(W<QToolButton>("cmdAdd")->text(), LanguageFile("pl.ini").at(0));
        QVERIFY(QFile::exists(File("mvpl.dat")) && !QFile::exists(File("mvfr.dat")));

        QCOMPARE(W<QToolButton>("cmdSave")->text(), QStringLiteral("Zapisz zadania"));

        Act("menuEn")->trigger();
        QCOMPARE(W<QToolButton>("cmdAdd")->text(), QStringLiteral("Add a Task"));
        QCOMPARE(W<QPushButton>("cmdOK")->text(), QStringLiteral("Add"));
        QCOMPARE(W<QToolButton>("cmdSave")->text(), QStringLiteral("Save Tasks"));
        QVERIFY(!QFile::exists(File("mvpl.dat")) && !QFile::exists(File("mvfr.dat")));
        QVERIFY(Act("menuEn")->isChecked());
        QVERIFY2(!Act("menuFr")->isChecked(), "clicking a checked language keeps one checked");
        Act("menuEn")->trigger();
        QVERIFY(Act("menuEn")->isChecked());
    }

    void firstStartIsEnglishEmptyAndIdle() {
        QVERIFY(Tasks().IsEmpty());
        QVERIFY(Door()->isVisible());
        QVERIFY(!TimerClose()->isActive());
        QVERIFY(Act("menuEn")->isChecked());
        QVERIFY(CheckedAfterMarks().isEmpty());
        QVERIFY(!Act("menuAutoload")->isChecked() && !Act("menuAutostart")->isChecked());
        QCOMPARE(W<QToolButton>("cmdDelete")->text(), QStringLiteral("Delete"));
    }

    void startUpRestoresTheKeptListAndSettings() {
        QTemporaryDir home;
        const QString appData = home.filePath(QStringLiteral("Roaming"));
        QVERIFY(QDir().mkpath(appData));
        qputenv("APPDATA", appData.toUtf8());
        WriteLines(appData + QStringLiteral("/mvsetting.ini"),
                   {"1", "0", "1", "0", "0", "0", "0", "1"});
        WriteLines(appData + QStringLiteral("/default.mtf"),
                   {"xterm\t/usr/bin/xterm\t100\t2020/01/01 00:00:00\tNone\tClose - After "
                    "00-01-00-00\tReboot",
                    "Empty\tNone\tNone\t2027/01/05 09:05:00\tEvery Day\tClose - Normal\t"});
        WriteLines(appData + QStringLiteral("/mvpl.dat"), {"pl"});

        m_desk.reset();
        m_desk = std::make_unique<Desk>(
            QStringLiteral(MORVANE_SOURCE_DATA),
            QtFromPath(DefaultAppDataFolder(platform::EnvironmentUserFolders())));
        m_desk->autostart.entries["morvane"] = "/somewhere";
        m_desk->Start();
        qunsetenv("APPDATA");

        QCOMPARE(ProgramsShown(), (QStringList{"xterm", "Empty"}));
        QCOMPARE(Tasks().FieldOf(1, Field::CloseTime), "2026/12/07 11:00:00");
        QCOMPARE(Tasks().FieldOf(2, Field::CloseTime), "2027/01/05 09:05:00");
        QVERIFY(!Door()->isVisible());
        QVERIFY(TimerClose()->isActive());
        QVERIFY(Act("menuAutoload")->isChecked());
        QVERIFY2(Act("menuAutostart")->isChecked(), "the registration decides, not the file");
        QVERIFY2(CheckedAfterMarks().isEmpty(), "the after-all-tasks choice starts cleared");
        QVERIFY(Act("menuPolish")->isChecked());
        QCOMPARE(W<QToolButton>("cmdAdd")->text(), LanguageFile("pl.ini").at(0));
        QCOMPARE(W<QPushButton>("cmdOK")->text(), LanguageFile("pl.ini").at(32));
    }

    void exitWithAnEmptyListAsksNothing() {
        QSignalSpy ended(m_desk->window.get(), &MainWindow::programEnded);
        Act("menuShut")->trigger();
        ModalAnswerer answerer;
        W<QToolButton>("cmdExit")->click();
        QCOMPARE(answerer.Count(), 0);
        QCOMPARE(ended.count(), 1);
        QVERIFY(m_desk->window->HasEnded());
        QVERIFY(!m_desk->window->isVisible());
        QCOMPARE(ReadLines(File("mvsetting.ini")),
                 (QStringList{"0", "0", "1", "0", "0", "0", "0", "0"}));
        QVERIFY(!QFile::exists(File("default.mtf")));
    }

    void exitWithKeptTasksAsksAndCancelChangesNothing() {
        AddThree();
        Act("menuAutoload")->trigger();
        QSignalSpy ended(m_desk->window.get(), &MainWindow::programEnded);
        ModalAnswerer answerer(QMessageBox::Cancel);
        QTest::keyClick(m_desk->window.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Boxes().first().title, QStringLiteral("Exit"));
        QCOMPARE(answerer.Boxes().first().text, QStringLiteral("Are you sure to quit?"));
        QCOMPARE(answerer.Boxes().first().buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(ended.count(), 0);
        QCOMPARE(Tasks().Count(), 3);
        QVERIFY(Door()->isVisible());
        QVERIFY(!QFile::exists(File("mvsetting.ini")));

        answerer.SetAnswer(QMessageBox::Ok);
        W<QToolButton>("cmdExit")->click();
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ReadLines(File("default.mtf")).size(), 3);
        QCOMPARE(ReadLines(File("mvsetting.ini")).first(), QStringLiteral("1"));
    }

    void theCloseBoxSavesWithoutAsking() {
        AddThree();
        Act("menuAutoload")->trigger();
        m_desk->Editor()->show();
        QSignalSpy ended(m_desk->window.get(), &MainWindow::programEnded);
        ModalAnswerer answerer;
        m_desk->window->close();
        QCOMPARE(answerer.Count(), 0);
        QCOMPARE(ended.count(), 1);
        QVERIFY(!m_desk->Editor()->isVisible());
        QCOMPARE(ReadLines(File("default.mtf")).size(), 3);
        QVERIFY(QFile::exists(File("mvsetting.ini")));
    }

    void anImmediateQuitSavesOnlyTheSettings() {
        AddThree();
        Act("menuAutoload")->trigger();
        QSignalSpy ended(m_desk->window.get(), &MainWindow::programEnded);
        m_desk->engine->QuitImmediately();
        QCOMPARE(ended.count(), 1);
        QVERIFY(m_desk->window->HasEnded());
        QVERIFY(!m_desk->window->isVisible());
        QVERIFY(QFile::exists(File("mvsetting.ini")));
        QVERIFY2(QFile::exists(File("default.mtf")),
                 "kept since the option was ticked, and left as it was");
    }

    void saveAndLoadGoThroughTheSharedDialogs() {
        AddThree();
        CommonDlgsW& dialogs = m_desk->Editor()->Dialogs();
        QTemporaryDir folder;
        QList<CommonDlgsW::FileRequest> asked;
        QString answer = folder.filePath(QStringLiteral("week"));
        dialogs.SetFileRunner([&](const CommonDlgsW::FileRequest& r) {
            asked.append(r);
            return answer.isEmpty() ? std::nullopt
                                    : std::optional<CommonDlgsW::FileAnswer>({{answer}});
        });

        W<QToolButton>("cmdSave")->click();
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked.first().save);
        QCOMPARE(asked.first().nameFilters,
                 QStringList{QStringLiteral("Morvane Task File(*.mtf) (*.mtf)")});
        const QString saved = folder.filePath(QStringLiteral("week.mtf"));
        QCOMPARE(ReadLines(saved).size(), 3);
        QVERIFY(ReadLines(saved).first().startsWith(QLatin1String("alpha\t/usr/bin/alpha\t")));

        m_desk->engine->ClearTasks();
        answer = saved;
        W<QToolButton>("cmdLoad")->click();
        QCOMPARE(asked.size(), 2);
        QVERIFY(!asked.last().save);
        QCOMPARE(asked.last().fileName, folder.filePath(QStringLiteral("week")));
        QCOMPARE(ProgramsShown(), (QStringList{"alpha", "beta", "gamma"}));
        QVERIFY(TimerClose()->isActive());
        QCOMPARE(dialogs.FileName, saved);

        answer.clear();
        W<QToolButton>("cmdLoad")->click();
        QCOMPARE(Tasks().Count(), 3);
        QCOMPARE(dialogs.FileName, saved);
    }

    void longPathsPassTheDialogs() {
        // Linux paths run to 4095 bytes: Save, Load and Browse take one of over 600 characters.
        AddThree();
        QTemporaryDir folder;
        QString deep = folder.path();
        while (deep.size() < 600) {
            deep += QLatin1Char('/') + QString(80, QLatin1Char('d'));
        }
        QVERIFY(QDir().mkpath(deep));
        const QString file = deep + QStringLiteral("/week.mtf");
        CommonDlgsW& dialogs = m_desk->Editor()->Dialogs();
        QList<CommonDlgsW::FileRequest> asked;
        dialogs.SetFileRunner([&](const CommonDlgsW::FileRequest& r) {
            asked.append(r);
            return std::optional<CommonDlgsW::FileAnswer>({{file}});
        });

        W<QToolButton>("cmdSave")->click();
        QCOMPARE(ReadLines(file).size(), 3);
        m_desk->engine->ClearTasks();
        W<QToolButton>("cmdLoad")->click();
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked.last().fileName, file);
        QCOMPARE(ProgramsShown(), (QStringList{"alpha", "beta", "gamma"}));

        m_desk->window->AddTaskCommand();
        W<QComboBox>("cmbAutoType")->setCurrentIndex(1);
        W<QPushButton>("cmdCmd")->click();
        QCOMPARE(asked.size(), 3);
        QCOMPARE(W<QLineEdit>("txtCmd")->text(), file);
    }

    void hugeTextsAreShownShortAndKeptWhole() {
        // A 5 MB field laid out whole kept the window black for seconds at every paint.
        const std::string huge(5 * 1024 * 1024, 'x');
        Task task = Countdown("alpha");
        task.path = "/opt/" + huge;
        m_desk->engine->AddTask(task);
        // A running program with a long name, as a script's can be.
        const std::string longName(100000, 'p');
        m_desk->processes.running.push_back({"/opt/" + longName, 900});
        m_desk->window->AddTaskCommand();

        const QAbstractItemModel& model = m_desk->window->Model();
        for (int role : {Qt::DisplayRole, Qt::ToolTipRole}) {
            const QString shown = model.index(0, 2).data(role).toString();
            QVERIFY2(shown.size() <= 301 && shown.startsWith(QLatin1String("/opt/xxx")),
                     qPrintable(shown.left(80)));
        }
        auto* lv = W<ProcessListView>("LV");
        const QList<QTreeWidgetItem*> rows =
            lv->findItems(QStringLiteral("ppp"), Qt::MatchStartsWith, 1);
        QCOMPARE(rows.size(), 1);
        for (const QString& shown :
             {rows.first()->text(1), rows.first()->text(2), rows.first()->toolTip(2)}) {
            QVERIFY2(shown.size() <= 306, qPrintable(shown.left(80)));
        }
        m_desk->window->grab();
        m_desk->Editor()->grab();

        // The row's program is the target whole, shown short.
        QTest::mouseClick(lv->viewport(), Qt::LeftButton, {},
                          lv->visualItemRect(rows.first()).center());
        QVERIFY(W<QLabel>("lblProcess1")->text().size() <= 301);
        W<QComboBox>("cmbTMin")->setCurrentIndex(5);
        W<QPushButton>("cmdOK")->click();
        QCOMPARE(Tasks().Count(), 2);
        QCOMPARE(Tasks().At(2).program, longName);
        QCOMPARE(Tasks().At(1).path, task.path);

        QTemporaryDir folder;
        const QString saved = folder.filePath(QStringLiteral("huge.mtf"));
        QVERIFY(m_desk->engine->SaveTasks(saved.toStdString()).Ok());
        const QStringList lines = ReadLines(saved);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.first().section(QLatin1Char('\t'), 1, 1).size(),
                 qsizetype(task.path.size()));
        QCOMPARE(lines.last().section(QLatin1Char('\t'), 0, 0).size(), qsizetype(longName.size()));
    }

    void aSaveThatCannotWriteSaysWhichFile() {
        AddThree();
        QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("missing/folder/week"));
        m_desk->Editor()->Dialogs().SetFileRunner([&](const CommonDlgsW::FileRequest&) {
            return std::optional<CommonDlgsW::FileAnswer>({{target}});
        });
        ModalAnswerer answerer;
        W<QToolButton>("cmdSave")->click();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Boxes().first().title, QStringLiteral("Morvane"));
        QVERIFY2(answerer.Boxes().first().text.contains(target + QStringLiteral(".mtf")),
                 qPrintable(answerer.Boxes().first().text));
        QCOMPARE(Tasks().Count(), 3);
    }

    void linesThatAreNotTasksAndARunThatFailedAreShown() {
        QTemporaryDir folder;
        const QString script = folder.filePath(QStringLiteral("tidy.sh"));
        WriteLines(script, {"#!/bin/sh", "exec\txterm\t-e\ttop\tNone\tRun"});
        m_desk->Editor()->Dialogs().SetFileRunner([&](const CommonDlgsW::FileRequest&) {
            return std::optional<CommonDlgsW::FileAnswer>({{script}});
        });
        ModalAnswerer answerer;
        W<QToolButton>("cmdLoad")->click();
        QCOMPARE(answerer.Count(), 1);
        QVERIFY2(answerer.Boxes().first().text.contains(QLatin1String("2 lines of")),
                 qPrintable(answerer.Boxes().first().text));
        QCOMPARE(Tasks().Count(), 0);

        m_desk->launcher.failing = {"/missing/tool"};
        m_desk->engine->AddTask(Task{"tool", "/missing/tool", "None", "2026/12/07 09:00:00",
                                     "Every Day", "Run - Normal", ""});
        m_desk->engine->SchedulerTick();
        const QString tip = m_desk->window->Model().index(0, 2).data(Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains(QLatin1String("cannot start /missing/tool")), qPrintable(tip));
    }

    void anIdleTaskRowSaysWhyItWaitsWhereActivityCannotBeSeen() {
        m_desk->idle.reason = "nothing tells us here";
        Task idle = Countdown("idler");
        idle.type = "Close - AfterNoMouseMoving 00-00-01-00";
        m_desk->engine->AddTask(idle);
        m_desk->engine->AddTask(Countdown("dated"));
        const QAbstractItemModel& model = m_desk->window->Model();
        QCOMPARE(model.index(0, 4).data().toString(),
                 QStringLiteral("Waits: activity cannot be seen here"));
        for (int column = 1; column < model.columnCount(); ++column) {
            const QString tip = model.index(0, column).data(Qt::ToolTipRole).toString();
            QVERIFY2(tip.endsWith(QLatin1String("nothing tells us here")), qPrintable(tip));
            QVERIFY2(!model.index(1, column)
                          .data(Qt::ToolTipRole)
                          .toString()
                          .contains(QLatin1String("nothing tells us")),
                     "a dated task's row says nothing of it");
        }
        QCOMPARE(model.index(1, 4).data().toString(), QStringLiteral("2026/12/07 10:10:00"));

        m_desk->idle.reason.clear();
        QCOMPARE(model.index(0, 4).data().toString(), QStringLiteral("2026/12/07 10:10:00"));
    }

    void aWaitingTaskRowSaysWhatItWaitsFor() {
        TaskBuilder::Input in;
        in.emptyTask = true;
        in.watch = TaskBuilder::Input::Watch::ProgramExits;
        in.watchName = "nano";
        m_desk->engine->AddTask(in);
        in.watch = TaskBuilder::Input::Watch::Network;
        m_desk->engine->AddTask(in);
        m_desk->load.networkUnreadable = "no counters here";
        m_desk->engine->MouseTick(); // the watch's look at the machine
        const QAbstractItemModel& model = m_desk->window->Model();
        QCOMPARE(model.index(0, 4).data().toString(), QStringLiteral("when every nano has exited"));
        QCOMPARE(
            model.index(1, 4).data().toString(),
            QStringLiteral("when the network stays below 50 KiB/s for 5 min (may not happen)"));
        QVERIFY(model.index(1, 1)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .endsWith(QLatin1String("no counters here")));
        QVERIFY(!model.index(0, 1)
                     .data(Qt::ToolTipRole)
                     .toString()
                     .contains(QLatin1String("no counters")));
        QTRY_VERIFY(W<QLabel>("lblStatus")
                        ->text()
                        .contains(QLatin1String("Next: Empty, when every nano has exited")));
    }

    void typeLoopAndAfterCellsReadInTheUsersWords_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("loop");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("anyInput");
        QTest::addColumn<QStringList>("shown"); // Type, Loop, After
        QTest::newRow("countdown")
            << "vlc"
            << "Close - After 00-00-15-00"
            << "Every Day"
            << "None" << false << QStringList{"Close in 15 min", "every day", "nothing"};
        QTest::newRow("idle, any input")
            << "backup.sh"
            << "Run - AfterNoMouseMoving 01-01-30-05"
            << "None"
            << " - Q" << true
            << QStringList{"Run after 1 d 1 h 30 min 5 s without input", "once", "quit Morvane"};
        QTest::newRow("empty, gentle ignored")
            << "Empty"
            << "Close - Normal"
            << "Every Hour"
            << "Shutdown PC - Gentle 10 - Q" << false
            << QStringList{"At the set time", "every hour", "Shutdown PC, then quit Morvane"};
        QTest::newRow("gentle close")
            << "vlc"
            << "Close - Normal"
            << "None"
            << "Reboot - Gentle 20" << false
            << QStringList{"Close at the set time, asking first (20 s)", "once", "Reboot"};
        QTest::newRow("waiting, loop ignored")
            << "Empty"
            << "Close - WhenExits 4242 wget"
            << "Every Day"
            << "Lock the Screen" << false
            << QStringList{"When wget exits", "once", "Lock the Screen"};
        // Texts this version cannot read are shown as they are, never as a guess.
        QTest::newRow("unknown texts")
            << "vlc"
            << "Close - Someday"
            << "Every Fortnight"
            << "Teleport - Q" << false
            << QStringList{"Close - Someday", "Every Fortnight", "Teleport - Q"};
    }
    void typeLoopAndAfterCellsReadInTheUsersWords() {
        QFETCH(QString, program);
        QFETCH(QString, type);
        QFETCH(QString, loop);
        QFETCH(QString, after);
        QFETCH(bool, anyInput);
        QFETCH(QStringList, shown);
        m_desk->idle.anyInput = anyInput;
        m_desk->engine->AddTask(Task{program.toStdString(), "", "None", "2026/12/07 10:15:00",
                                     loop.toStdString(), type.toStdString(), after.toStdString()});
        const QAbstractItemModel& model = m_desk->window->Model();
        QCOMPARE(
            (QStringList{model.index(0, 6).data().toString(), model.index(0, 5).data().toString(),
                         model.index(0, 7).data().toString()}),
            shown);
        // The file keeps its own texts.
        QCOMPARE(QString::fromStdString(Tasks().FieldOf(1, Field::Type)), type);
        if (QTest::currentDataTag() == QLatin1String("countdown")) {
            Act("menuFr")->trigger();
            QCOMPARE(model.index(0, 6).data().toString(), QStringLiteral("Fermer dans 15 min"));
            QCOMPARE(model.index(0, 5).data().toString(), QStringLiteral("chaque jour"));
            Act("menuEn")->trigger();
        }
    }

    void settingPopsUpItsMenu() {
        W<QToolButton>("cmdSetting")->click();
        QTRY_VERIFY(W<QMenu>("menuSetting")->isVisible());
        W<QMenu>("menuSetting")->close();
        QVERIFY(!Door()->isVisible());
    }

    void helpAndTheWebLinkOpenTheTutorial() {
        Act("menuHelp")->trigger();
        W<LinkLabel>("lblWeb")->click();
        QCOMPARE(m_desk->opened.size(), 2);
        for (const QUrl& url : m_desk->opened) {
            QCOMPARE(url.toString(), QStringLiteral("https://morvane.test/docs/tutorial.html"));
        }
        QVERIFY(!Door()->isVisible());
    }

    void aboutShowsTheNoticeAndYear() {
        ModalAnswerer answerer;
        Act("menuAbout")->trigger();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Boxes().first().title, QStringLiteral("About"));
        QVERIFY(answerer.Boxes().first().text.endsWith(QLatin1String("2026")));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
