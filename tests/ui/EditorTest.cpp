// The task editor driven through its widgets: field rules, the countdown key filter, the close
// handling, Add for every kind of task, its messages, and the process list.

#include "Desk.h"
#include "ModalAnswerer.h"
#include "OffscreenQuiet.h"
#include "ui/LinkLabel.h"
#include "ui/ProcessListView.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace morvane;
using morvane::test::Desk;
using morvane::test::ModalAnswerer;

class EditorTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Desk> m_desk;

    template <typename T> T* W(const char* name) const { return m_desk->Get<T>(name); }
    QComboBox* List(const char* name) const { return W<QComboBox>(name); }
    QString Text(const char* label) const { return W<QLabel>(label)->text(); }
    QString Lan(int entry) const {
        return QString::fromStdString(m_desk->engine->Language().Text(entry));
    }
    static void Choose(QComboBox* list, const QString& text) {
        const int i = list->findText(text);
        QVERIFY2(i >= 0, qPrintable(text));
        list->setCurrentIndex(i);
    }
    static void Type(QComboBox* list, const QString& text) {
        list->lineEdit()->clear();
        QTest::keyClicks(list->lineEdit(), text);
    }
    void ClickProgram(const QString& program) { m_desk->ClickProgram(program); }
    QStringList LastRow() const {
        const TaskList& tasks = m_desk->engine->Tasks();
        if (tasks.IsEmpty()) {
            return {};
        }
        const Task& t = tasks.At(tasks.Count());
        QStringList fields;
        for (int f = 1; f <= kFieldCount; ++f) {
            fields << QString::fromStdString(t.Get(static_cast<Field>(f)));
        }
        return fields;
    }
    void Add() { W<QPushButton>("cmdOK")->click(); }

private Q_SLOTS:
    void initTestCase() { morvane::test::QuietOffscreenNotes(); }
    void init() {
        m_desk = std::make_unique<Desk>();
        m_desk->Start();
        m_desk->window->AddTaskCommand();
        QVERIFY(m_desk->Editor()->isVisible());
    }
    void cleanup() { m_desk.reset(); }

    void opensWithTheDesignedListsAndDefaults() {
        TaskEditor* editor = m_desk->Editor();
        QCOMPARE(editor->windowTitle(), QStringLiteral("Add a Task"));
        QCOMPARE(editor->size(), QSize(738, 760));
        QCOMPARE(List("cmbYear")->count(), 982);
        QCOMPARE(List("cmbYear")->itemText(0), QStringLiteral("2018"));
        QCOMPARE(List("cmbYear")->itemText(981), QStringLiteral("2999"));
        QCOMPARE(List("cmbYear")->currentText(), QStringLiteral("2026"));
        QCOMPARE(List("cmbMonth")->count(), 12);
        QCOMPARE(List("cmbMonth")->itemText(0), QStringLiteral("1(Jan)"));
        QCOMPARE(List("cmbMonth")->currentText(), QStringLiteral("12(Dec)"));
        QCOMPARE(List("cmbDay")->count(), 31);
        QCOMPARE(List("cmbDay")->currentText(), QStringLiteral("07"));
        QCOMPARE(List("cmbHour")->count(), 24);
        QCOMPARE(List("cmbHour")->currentText(), QStringLiteral("10"));
        QCOMPARE(List("cmbMin")->count(), 60);
        QCOMPARE(List("cmbSec")->currentText(), QStringLiteral("00"));
        for (const char* name : {"cmbTDay", "cmbTHour", "cmbTMin", "cmbTSec"}) {
            QCOMPARE(List(name)->count(), 100);
            QCOMPARE(List(name)->itemText(99), QStringLiteral("99"));
            QCOMPARE(List(name)->currentText(), QStringLiteral("00"));
            QVERIFY(List(name)->isEnabled());
        }
        QCOMPARE(List("cmbLoop")->count(), 5);
        QCOMPARE(List("cmbLoop")->currentText(), QStringLiteral("None"));
        QCOMPARE(List("cmbLoop")->itemText(4), QStringLiteral("Every Minute"));
        QCOMPARE(List("cmbAfter")->count(), 8);
        QCOMPARE(List("cmbAfter")->itemText(0), Lan(50));
        QCOMPARE(List("cmbAutoType")->currentIndex(), 0);
        QVERIFY(!W<QLineEdit>("txtCmd")->isEnabled());
        QVERIFY(!W<QPushButton>("cmdCmd")->isEnabled());
        QVERIFY(W<QRadioButton>("optTimer")->isChecked());
        QVERIFY(!List("cmbYear")->isEnabled());
        QVERIFY(W<QCheckBox>("chkMouse")->isEnabled());
        QVERIFY(W<QPushButton>("cmdOK")->isDefault());
        for (const char* name : {"imgSelect", "lblSelect", "lblDrag"}) {
            QVERIFY(m_desk->Find<QWidget>(QString::fromLatin1(name)) != nullptr);
        }
        QVERIFY(m_desk->Find<QTimer>(QStringLiteral("TimerSelect")) != nullptr);
        QVERIFY(!m_desk->Find<QTimer>(QStringLiteral("TimerSelect"))->isActive());
    }

    void switchingTheTriggerEnablesItsFields() {
        auto* mouse = W<QCheckBox>("chkMouse");
        mouse->setChecked(true);
        W<QRadioButton>("optTime")->click();
        for (const char* name : {"cmbYear", "cmbMonth", "cmbDay", "cmbHour", "cmbMin", "cmbSec"}) {
            QVERIFY2(List(name)->isEnabled(), name);
        }
        for (const char* name : {"cmbTDay", "cmbTHour", "cmbTMin", "cmbTSec"}) {
            QVERIFY2(!List(name)->isEnabled(), name);
        }
        QVERIFY(!mouse->isChecked());
        QVERIFY(!mouse->isEnabled());

        W<QRadioButton>("optTimer")->click();
        QVERIFY(!List("cmbYear")->isEnabled());
        QVERIFY(List("cmbTMin")->isEnabled());
        QVERIFY(mouse->isEnabled());
        QVERIFY2(!mouse->isChecked(), "the tick is not restored");
    }

    void theIdleChoiceSaysWhyWhereActivityCannotBeSeen() {
        auto* mouse = W<QCheckBox>("chkMouse");
        mouse->setChecked(true);
        m_desk->idle.reason = "nothing tells us here";
        m_desk->Editor()->close();
        m_desk->window->AddTaskCommand();
        QVERIFY(!mouse->isEnabled());
        QVERIFY2(!mouse->isChecked(), "a tick left from before would make a task that waits");
        QCOMPARE(mouse->toolTip(), QStringLiteral("nothing tells us here"));
        W<QRadioButton>("optTime")->click();
        W<QRadioButton>("optTimer")->click();
        QVERIFY2(!mouse->isEnabled(), "switching the trigger does not bring it back");
        W<QComboBox>("cmbTMin")->setCurrentIndex(5);
        ClickProgram(QStringLiteral("nano"));
        Add();
        QCOMPARE(LastRow().at(5), QStringLiteral("Close - After 00-00-05-00"));

        m_desk->idle.reason.clear();
        m_desk->window->AddTaskCommand();
        QVERIFY(mouse->isEnabled());
        QVERIFY(mouse->toolTip().isEmpty());
    }

    void theTypeListEnablesTheCommandLine() {
        QComboBox* type = List("cmbAutoType");
        QCOMPARE(type->count(), 2);
        type->setCurrentIndex(1);
        QVERIFY(W<QLineEdit>("txtCmd")->isEnabled());
        QVERIFY(W<QPushButton>("cmdCmd")->isEnabled());
        type->setCurrentIndex(0);
        QVERIFY(!W<QLineEdit>("txtCmd")->isEnabled());
        QVERIFY(!W<QPushButton>("cmdCmd")->isEnabled());
    }

    void theEmptyTaskBoxLocksTheTarget() {
        ClickProgram(QStringLiteral("gedit"));
        QCOMPARE(Text("lblID"), QStringLiteral("200"));
        List("cmbAutoType")->setCurrentIndex(1);
        auto* only = W<QCheckBox>("chkOnly");

        only->click();
        QCOMPARE(List("cmbAutoType")->currentIndex(), 0);
        QVERIFY(!List("cmbAutoType")->isEnabled());
        QVERIFY(!W<QLineEdit>("txtCmd")->isEnabled());
        QVERIFY(!W<ProcessListView>("LV")->isEnabled());
        QVERIFY(!W<QLabel>("imgSelect")->isEnabled());
        QCOMPARE(Text("lblProcess1"), QString());
        QCOMPARE(Text("lblID"), QString());
        QCOMPARE(Text("lblWindow"), QString());
        QVERIFY(!W<QLabel>("picIcon")->pixmap().isNull());

        only->click();
        QVERIFY(List("cmbAutoType")->isEnabled());
        QCOMPARE(List("cmbAutoType")->currentIndex(), 0);
        QVERIFY(W<ProcessListView>("LV")->isEnabled());
        QVERIFY(W<QLabel>("imgSelect")->isEnabled());
        QVERIFY(!W<QLineEdit>("txtCmd")->isEnabled());
        QVERIFY(W<QLabel>("picIcon")->pixmap().isNull());
    }

    void countdownKeyFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("digit") << "7"
                               << "7";
        QTest::newRow("more digits than the list has") << "250"
                                                       << "250";
        QTest::newRow("letters, hyphen and space are dropped") << "1a- 2"
                                                               << "12";
        QTest::newRow("signs are dropped") << "+3"
                                           << "3";
    }
    void countdownKeyFilter() {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        for (const char* name : {"cmbTDay", "cmbTHour", "cmbTMin", "cmbTSec"}) {
            Type(List(name), typed);
            QCOMPARE(List(name)->currentText(), expected);
        }
    }

    void backspaceAndPastePassTheFilter() {
        QComboBox* minutes = List("cmbTMin");
        Type(minutes, QStringLiteral("45"));
        QTest::keyClick(minutes->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(minutes->currentText(), QStringLiteral("4"));

        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("x9"));
        if (clipboard->text() != QStringLiteral("x9")) {
            QSKIP("this platform has no clipboard");
        }
        minutes->lineEdit()->clear();
        QTest::keyClick(minutes->lineEdit(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(minutes->currentText(), QStringLiteral("x9"));
    }

    void theCloseBoxHidesAndKeepsEveryField() {
        TaskEditor* editor = m_desk->Editor();
        QSignalSpy back(editor, &TaskEditor::returnedToMainWindow);
        ClickProgram(QStringLiteral("nano"));
        Type(List("cmbTHour"), QStringLiteral("3"));
        Choose(List("cmbLoop"), QStringLiteral("Every Day"));
        W<QRadioButton>("optTime")->click();

        editor->close();
        QVERIFY(!editor->isVisible());
        QCOMPARE(back.count(), 1);
        QCOMPARE(back.first().first().toBool(), true);
        QVERIFY(m_desk->window->isVisible());

        m_desk->window->AddTaskCommand();
        QVERIFY(editor->isVisible());
        QCOMPARE(Text("lblProcess1"), QStringLiteral("nano"));
        QCOMPARE(List("cmbTHour")->currentText(), QStringLiteral("3"));
        QCOMPARE(List("cmbLoop")->currentText(), QStringLiteral("Every Day"));
        QVERIFY(W<QRadioButton>("optTime")->isChecked());
        QVERIFY2(W<ProcessListView>("LV")->currentItem() != nullptr &&
                     W<ProcessListView>("LV")->currentItem()->text(1) == QStringLiteral("nano"),
                 "the target is selected again after the rescan");
    }

    void escapeAndCancelHideWithoutTheFocusRequest() {
        TaskEditor* editor = m_desk->Editor();
        QSignalSpy back(editor, &TaskEditor::returnedToMainWindow);
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!editor->isVisible());
        m_desk->window->AddTaskCommand();
        W<QPushButton>("cmdCancel")->click();
        QVERIFY(!editor->isVisible());
        QCOMPARE(back.count(), 2);
        QCOMPARE(back.at(0).first().toBool(), false);
        QCOMPARE(back.at(1).first().toBool(), false);
        QVERIFY(m_desk->engine->Tasks().IsEmpty());
    }

    void addMakesEachKindOfTask_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("close from the list, countdown, hourly, gently by the setting")
            << "close-list" << QStringList{"gedit",       "/usr/bin/gedit",
                                           "200",         "2026/12/07 11:30:00",
                                           "Every Hour",  "Close - After 00-01-30-00",
                                           " - Gentle 10"};
        QTest::newRow("close after no mouse moving, monitor off")
            << "close-idle"
            << QStringList{"xterm",
                           "/usr/bin/xterm",
                           "100",
                           "2026/12/07 10:10:00",
                           "None",
                           "Close - AfterNoMouseMoving 00-00-10-00",
                           "Turn Off the Monitor"};
        QTest::newRow("run at a fixed date, suspend")
            << "run-fixed"
            << QStringList{"backup.sh", "/opt/tools/backup.sh", "None",   "2027/01/05 09:05:00",
                           "None",      "Run - Normal",         "Suspend"};
        QTest::newRow("run after typed entries, reboot and quit")
            << "run-typed"
            << QStringList{"xclock", "/usr/bin/xclock",       "None",      "2026/12/12 14:10:00",
                           "None",   "Run - After 5-0-250-0", "Reboot - Q"};
        QTest::newRow("run after no mouse moving, daily")
            << "run-idle" << QStringList{"htop",      "htop",
                                         "None",      "2026/12/07 12:00:00",
                                         "Every Day", "Run - AfterNoMouseMoving 00-02-00-00",
                                         "Hibernate"};
        QTest::newRow("empty task, shut down and quit")
            << "empty" << QStringList{"Empty",          "None",
                                      "None",           "2026/12/07 10:10:00",
                                      "None",           "Close - After 00-00-10-00",
                                      "Shutdown PC - Q"};
        QTest::newRow("close gently at a fixed date, log off, monthly")
            << "close-fixed" << QStringList{"nvidia-settings",
                                            "/opt/Nvidia/nvidia-settings",
                                            "300",
                                            "2026/12/31 23:59:59",
                                            "Every Month",
                                            "Close - Normal",
                                            "Log Off - Gentle 25"};
    }
    void addMakesEachKindOfTask() {
        QFETCH(QString, kind);
        QFETCH(QStringList, row);
        auto* gentle = W<QCheckBox>("chkGentle");
        if (kind == QLatin1String("close-list")) {
            // The setting ticks the box for the next new task.
            Preferences prefs = m_desk->engine->Prefs();
            prefs.closeGently = true;
            m_desk->engine->SetPreferences(prefs);
            QVERIFY(!gentle->isChecked());
            m_desk->window->AddTaskCommand();
            QVERIFY(gentle->isChecked());
            ClickProgram(QStringLiteral("gedit"));
            Choose(List("cmbTHour"), QStringLiteral("01"));
            Choose(List("cmbTMin"), QStringLiteral("30"));
            Choose(List("cmbLoop"), QStringLiteral("Every Hour"));
        } else if (kind == QLatin1String("close-idle")) {
            ClickProgram(QStringLiteral("xterm"));
            W<QCheckBox>("chkMouse")->setChecked(true);
            Choose(List("cmbTMin"), QStringLiteral("10"));
            List("cmbAfter")->setCurrentIndex(5);
        } else if (kind == QLatin1String("run-fixed")) {
            List("cmbAutoType")->setCurrentIndex(1);
            QTest::keyClicks(W<QLineEdit>("txtCmd"), QStringLiteral("/opt/tools/backup.sh"));
            W<QRadioButton>("optTime")->click();
            Choose(List("cmbYear"), QStringLiteral("2027"));
            List("cmbMonth")->setCurrentIndex(0);
            Choose(List("cmbDay"), QStringLiteral("05"));
            Choose(List("cmbHour"), QStringLiteral("09"));
            Choose(List("cmbMin"), QStringLiteral("05"));
            Choose(List("cmbSec"), QStringLiteral("00"));
            List("cmbAfter")->setCurrentIndex(6);
        } else if (kind == QLatin1String("run-typed")) {
            List("cmbAutoType")->setCurrentIndex(1);
            W<QLineEdit>("txtCmd")->setText(QStringLiteral("/usr/bin/xclock"));
            Type(List("cmbTDay"), QStringLiteral("5"));
            Type(List("cmbTHour"), QStringLiteral("0"));
            Type(List("cmbTMin"), QStringLiteral("250"));
            Type(List("cmbTSec"), QStringLiteral("0"));
            List("cmbAfter")->setCurrentIndex(2);
            W<QCheckBox>("chkQuit")->setChecked(true);
            QVERIFY(!gentle->isEnabled());
        } else if (kind == QLatin1String("run-idle")) {
            List("cmbAutoType")->setCurrentIndex(1);
            W<QLineEdit>("txtCmd")->setText(QStringLiteral("htop"));
            W<QCheckBox>("chkMouse")->setChecked(true);
            Choose(List("cmbTHour"), QStringLiteral("02"));
            Choose(List("cmbLoop"), QStringLiteral("Every Day"));
            List("cmbAfter")->setCurrentIndex(4);
        } else if (kind == QLatin1String("empty")) {
            gentle->setChecked(true);
            W<QCheckBox>("chkOnly")->click();
            QVERIFY(!gentle->isEnabled() && !W<QSpinBox>("spinGrace")->isEnabled());
            Choose(List("cmbTMin"), QStringLiteral("10"));
            List("cmbAfter")->setCurrentIndex(1);
            W<QCheckBox>("chkQuit")->setChecked(true);
        } else if (kind == QLatin1String("close-fixed")) {
            ClickProgram(QStringLiteral("nvidia-settings"));
            W<QRadioButton>("optTime")->click();
            Choose(List("cmbDay"), QStringLiteral("31"));
            Choose(List("cmbHour"), QStringLiteral("23"));
            Choose(List("cmbMin"), QStringLiteral("59"));
            Choose(List("cmbSec"), QStringLiteral("59"));
            Choose(List("cmbLoop"), QStringLiteral("Every Month"));
            List("cmbAfter")->setCurrentIndex(3);
            gentle->setChecked(true);
            W<QSpinBox>("spinGrace")->setValue(25);
        }

        ModalAnswerer answerer;
        Add();
        QCOMPARE(answerer.Count(), 0);
        QCOMPARE(m_desk->engine->Tasks().Count(), 1);
        QCOMPARE(LastRow(), row);
        QVERIFY(!m_desk->Editor()->isVisible());
        QVERIFY(m_desk->Find<QTimer>(QStringLiteral("timerClose"))->isActive());
        QVERIFY(!W<QCheckBox>("chkOnly")->isChecked());
        QVERIFY(W<QCheckBox>("chkOnly")->isEnabled() && List("cmbAutoType")->isEnabled());
        // The main window shows the new row with a picture.
        const QAbstractItemModel& model = m_desk->window->Model();
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.index(0, 1).data().toString(), row.at(0));
        QVERIFY(!model.index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    }

    void addRefusesWithAMessage_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("close task without a program") << "no-target"
                                                      << "lan 43"
                                                      << "lan 42";
        QTest::newRow("run task without a command line") << "no-command"
                                                         << "Empty"
                                                         << "The command line cannot be empty.";
        QTest::newRow("command line with a tab") << "tab"
                                                 << "Morvane"
                                                 << "tab";
        QTest::newRow("a date the calendar lacks") << "bad-date"
                                                   << "Morvane"
                                                   << "2026/02/31";
    }
    void addRefusesWithAMessage() {
        QFETCH(QString, kind);
        QFETCH(QString, title);
        QFETCH(QString, text);
        if (kind == QLatin1String("no-command") || kind == QLatin1String("tab")) {
            List("cmbAutoType")->setCurrentIndex(1);
            if (kind == QLatin1String("tab")) {
                W<QLineEdit>("txtCmd")->setText(QStringLiteral("xterm\t-e top"));
            }
        } else if (kind == QLatin1String("bad-date")) {
            ClickProgram(QStringLiteral("gedit"));
            W<QRadioButton>("optTime")->click();
            List("cmbMonth")->setCurrentIndex(1);
            Choose(List("cmbDay"), QStringLiteral("31"));
        }
        if (title.startsWith(QLatin1String("lan "))) {
            title = Lan(title.mid(4).toInt());
            text = Lan(text.mid(4).toInt());
        }
        W<QCheckBox>("chkQuit")->setChecked(true);
        ModalAnswerer answerer;
        Add();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Boxes().first().title, title);
        QVERIFY2(answerer.Boxes().first().text.contains(text),
                 qPrintable(answerer.Boxes().first().text));
        QCOMPARE(answerer.Boxes().first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(m_desk->engine->Tasks().IsEmpty());
        QVERIFY(m_desk->Editor()->isVisible());
        QVERIFY(!m_desk->engine->Marks().IsChecked(Mark::Quit));
        QVERIFY(!m_desk->Find<QTimer>(QStringLiteral("timerClose"))->isActive());
    }

    void aZeroCountdownAsksFirst() {
        ClickProgram(QStringLiteral("gedit"));
        ModalAnswerer answerer(QMessageBox::Cancel);
        Add();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Boxes().first().title, Lan(46));
        QCOMPARE(answerer.Boxes().first().text, Lan(44) + QLatin1Char('\n') + Lan(45));
        QCOMPARE(answerer.Boxes().first().buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QVERIFY(m_desk->engine->Tasks().IsEmpty());
        QVERIFY(m_desk->Editor()->isVisible());

        answerer.SetAnswer(QMessageBox::Ok);
        Add();
        QCOMPARE(answerer.Count(), 2);
        QCOMPARE(LastRow().at(3), QStringLiteral("2026/12/07 10:00:00"));
        QCOMPARE(LastRow().at(5), QStringLiteral("Close - After 00-00-00-00"));
    }

    void aSpecificTimeNotInTheFutureAsksFirst_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("word");
        QTest::newRow("English") << int(Mark::English) << "Time Already Passed"
                                 << "not in the future";
        QTest::newRow("French") << int(Mark::French) << "Heure déjà passée"
                                << "pas dans le futur";
        QTest::newRow("Polish") << int(Mark::Polish) << "Czas już minął"
                                << "nie leży w przyszłości";
    }
    void aSpecificTimeNotInTheFutureAsksFirst() {
        // The date lists keep their first values: the clock reads 2026/12/07 10:00:00.
        QFETCH(int, language);
        QFETCH(QString, title);
        QFETCH(QString, word);
        m_desk->engine->SelectLanguage(static_cast<Mark>(language));
        ClickProgram(QStringLiteral("gedit"));
        W<QRadioButton>("optTime")->click();
        List("cmbAfter")->setCurrentIndex(1);
        Choose(List("cmbHour"), QStringLiteral("09"));
        ModalAnswerer answerer(QMessageBox::Cancel);
        Add();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Boxes().first().title, title);
        QVERIFY2(answerer.Boxes().first().text.contains(word) &&
                     answerer.Boxes().first().text.contains(QLatin1String("2026/12/07 09:00:00")),
                 qPrintable(answerer.Boxes().first().text));
        QCOMPARE(answerer.Boxes().first().buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QVERIFY(m_desk->engine->Tasks().IsEmpty());
        QVERIFY(!m_desk->engine->Marks().IsChecked(Mark::Shut));
        QVERIFY(m_desk->Editor()->isVisible());

        // Now itself is not in the future either; OK adds the task as chosen.
        Choose(List("cmbHour"), QStringLiteral("10"));
        answerer.SetAnswer(QMessageBox::Ok);
        Add();
        QCOMPARE(answerer.Count(), 2);
        QCOMPARE(LastRow().at(3), QStringLiteral("2026/12/07 10:00:00"));
        QVERIFY(m_desk->engine->Marks().IsChecked(Mark::Shut));
    }

    void addAsksBeforeWhatCannotWork() {
        // An Empty task's action waits for the list to empty, which a daily task never does.
        m_desk->engine->AddTask(Task{"xterm", "/usr/bin/xterm", "100", "2026/12/07 11:00:00",
                                     "Every Day", "Close - Normal", ""});
        W<QCheckBox>("chkOnly")->setChecked(true);
        List("cmbAfter")->setCurrentIndex(1);
        Choose(List("cmbTMin"), QStringLiteral("01"));
        ModalAnswerer answerer(QMessageBox::Cancel);
        Add();
        QCOMPARE(answerer.Count(), 1);
        QVERIFY(answerer.Boxes().first().text.contains(QLatin1String("repeats")));
        QCOMPARE(answerer.Boxes().first().buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(m_desk->engine->Tasks().Count(), 1);
        QVERIFY(m_desk->Editor()->isVisible());

        answerer.SetAnswer(QMessageBox::Ok);
        Add();
        QCOMPARE(answerer.Count(), 2);
        QCOMPARE(m_desk->engine->Tasks().Count(), 2);
        const QModelIndex time = m_desk->window->Model().index(1, int(Field::CloseTime));
        QVERIFY(time.data().toString().endsWith(QLatin1String("(waits behind a repeating task)")));
        QVERIFY(time.data(Qt::ToolTipRole).toString().contains(QLatin1String("never finishes")));
        m_desk->engine->DeleteTask(1);
        QVERIFY(!time.data().toString().contains(QLatin1Char('(')));

        // A command line whose program is not there asks too.
        m_desk->window->AddTaskCommand();
        W<QCheckBox>("chkOnly")->setChecked(false);
        List("cmbAutoType")->setCurrentIndex(1);
        W<QLineEdit>("txtCmd")->setText(QStringLiteral("nosuchprogram --now"));
        m_desk->launcher.missing = {"nosuchprogram"};
        answerer.SetAnswer(QMessageBox::Cancel);
        Add();
        QCOMPARE(answerer.Count(), 3);
        QVERIFY(answerer.Boxes().last().text.contains(QLatin1String("cannot be found")));
        QCOMPARE(m_desk->engine->Tasks().Count(), 1);
    }

    void everyPartOfTheEditorFollowsTheLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("French") << int(Mark::French)
                                << QStringList{"Ajouter une tâche", "1(janv.)", "Jours",
                                               "Actualiser la liste",
                                               "Choisir la fenêtre sous le pointeur dans 3 s"};
        QTest::newRow("Polish") << int(Mark::Polish)
                                << QStringList{"Dodaj zadanie", "1(sty)", "Dni", "Odśwież listę",
                                               "Wskaż okno pod wskaźnikiem za 3 s"};
    }
    void everyPartOfTheEditorFollowsTheLanguage() {
        // The window, the schedule and the target section are translated apart.
        QFETCH(int, language);
        QFETCH(QStringList, texts);
        m_desk->engine->SelectLanguage(static_cast<Mark>(language));
        const QStringList shown{m_desk->Editor()->windowTitle(), List("cmbMonth")->itemText(0),
                                List("cmbTDay")->accessibleName(),
                                W<QToolButton>("cmdRefresh")->toolTip(),
                                W<QPushButton>("cmdPickLater")->text()};
        QCOMPARE(shown, texts);
        QCOMPARE(W<QPushButton>("cmdOK")->text(), Lan(32));
    }

    void anEmptiedEntryAsksAndThenAddsWhatItCan() {
        ClickProgram(QStringLiteral("gedit"));
        Type(List("cmbTDay"), QString());
        Choose(List("cmbTMin"), QStringLiteral("30"));
        ModalAnswerer answerer(QMessageBox::Ok);
        Add();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(LastRow().at(3), QStringLiteral("2026/12/07 10:30:00"));
        QCOMPARE(LastRow().at(5), QStringLiteral("Close - After -00-30-00"));
    }

    void addSetsTheAfterAllTasksMarks_data() {
        QTest::addColumn<int>("after");
        QTest::addColumn<bool>("quit");
        QTest::addColumn<QStringList>("checked");
        QTest::newRow("quit alone") << 0 << true << QStringList{"menuScreen", "menuQuit"};
        QTest::newRow("reboot and quit") << 2 << true << QStringList{"menuReboot"};
        QTest::newRow("hibernate") << 4 << false << QStringList{"menuHibernet"};
        QTest::newRow("suspend") << 6 << false << QStringList{"menuSuspend"};
        QTest::newRow("lock and quit") << 7 << true << QStringList{"menuLock"};
        QTest::newRow("nothing keeps the earlier choice")
            << 0 << false << QStringList{"menuScreen"};
    }
    void addSetsTheAfterAllTasksMarks() {
        QFETCH(int, after);
        QFETCH(bool, quit);
        QFETCH(QStringList, checked);
        m_desk->engine->ToggleMark(Mark::Screen);
        W<QCheckBox>("chkOnly")->click();
        Choose(List("cmbTSec"), QStringLiteral("30"));
        List("cmbAfter")->setCurrentIndex(after);
        W<QCheckBox>("chkQuit")->setChecked(quit);
        Add();
        QStringList shown;
        for (const char* name : {"menuShut", "menuReboot", "menuLogoff", "menuHibernet",
                                 "menuScreen", "menuSuspend", "menuLock", "menuQuit"}) {
            if (m_desk->Find<QAction>(QString::fromLatin1(name))->isChecked()) {
                shown << QString::fromLatin1(name);
            }
        }
        QCOMPARE(shown, checked);
        QCOMPARE(LastRow().at(6).endsWith(QLatin1String(" - Q")), quit);
    }

    void theProcessListHasOneSortedRowPerProgram() {
        auto* lv = W<ProcessListView>("LV");
        QCOMPARE(lv->Programs(), (QStringList{"gedit", "nano", "nvidia-settings", "xterm"}));
        QCOMPARE(lv->headerItem()->text(0), QStringLiteral("Icon"));
        QCOMPARE(lv->headerItem()->text(1), QStringLiteral("Program"));
        QCOMPARE(lv->headerItem()->text(2), QStringLiteral("Path"));
        for (int i = 0; i < lv->topLevelItemCount(); ++i) {
            QVERIFY(!lv->topLevelItem(i)->icon(0).isNull());
        }
        // A machine runs dozens of programs: ten rows at least are seen without scrolling.
        const int rowHeight = lv->visualItemRect(lv->topLevelItem(0)).height();
        QVERIFY2(lv->viewport()->height() >= 10 * rowHeight,
                 qPrintable(QStringLiteral("%1 px for rows of %2 px")
                                .arg(lv->viewport()->height())
                                .arg(rowHeight)));
    }

    void clickingARowMakesItTheTarget() {
        ClickProgram(QStringLiteral("xterm"));
        QCOMPARE(Text("lblProcess1"), QStringLiteral("xterm"));
        QCOMPARE(Text("lblID"), QStringLiteral("100"));
        QCOMPARE(Text("lblProcess2"), Lan(49));
        QCOMPARE(Text("lblWindow"), QStringLiteral("/usr/bin/xterm"));
        QVERIFY(!W<QLabel>("picIcon")->pixmap().isNull());
    }

    void aRowChosenFromTheKeyboardIsTheTargetAdded() {
        // Arrows, Home, End and typed letters target the row they land on, as a click does;
        // typing a letter again stays on the same row, and letters typed together make a prefix.
        auto* lv = W<ProcessListView>("LV");
        ClickProgram(QStringLiteral("gedit"));
        lv->setFocus();
        struct Step {
            Qt::Key key;
            const char* typed;
            const char* program;
            const char* id;
            const char* path;
        };
        const Step steps[] = {
            {Qt::Key_Down, "", "nano", "102", "/usr/bin/nano"},
            {Qt::Key_End, "", "xterm", "100", "/usr/bin/xterm"},
            {Qt::Key_Up, "", "nvidia-settings", "300", "/opt/Nvidia/nvidia-settings"},
            {Qt::Key_Home, "", "gedit", "200", "/usr/bin/gedit"},
            {Qt::Key_unknown, "n", "nano", "102", "/usr/bin/nano"},
            {Qt::Key_unknown, "N", "nano", "102", "/usr/bin/nano"},
            {Qt::Key_unknown, "nv", "nvidia-settings", "300", "/opt/Nvidia/nvidia-settings"},
            {Qt::Key_unknown, "x", "xterm", "100", "/usr/bin/xterm"},
        };
        for (const Step& step : steps) {
            if (step.key != Qt::Key_unknown) {
                QTest::keyClick(lv, step.key);
            } else {
                QTest::keyClicks(lv, QString::fromLatin1(step.typed));
            }
            QVERIFY(lv->currentItem() != nullptr);
            QCOMPARE(lv->currentItem()->text(1), QString::fromLatin1(step.program));
            QCOMPARE(Text("lblProcess1"), QString::fromLatin1(step.program));
            QCOMPARE(Text("lblID"), QString::fromLatin1(step.id));
            QCOMPARE(Text("lblWindow"), QString::fromLatin1(step.path));
            QCOMPARE(W<QLabel>("picIcon")->pixmap().toImage(),
                     lv->currentItem()->icon(0).pixmap(QSize(32, 32)).toImage());
        }
        Choose(List("cmbTMin"), QStringLiteral("10"));
        Add();
        QCOMPARE(LastRow().mid(0, 3), (QStringList{"xterm", "/usr/bin/xterm", "100"}));
    }

    void refreshRescansAndKeepsTheTarget() {
        ClickProgram(QStringLiteral("nano"));
        const int scans = m_desk->processes.scans;
        m_desk->processes.running.push_back({"/usr/bin/vim", 400});
        W<QToolButton>("cmdRefresh")->click();
        QCOMPARE(m_desk->processes.scans, scans + 1);
        auto* lv = W<ProcessListView>("LV");
        QVERIFY(lv->Programs().contains(QStringLiteral("vim")));
        QCOMPARE(lv->selectedItems().size(), 1);
        QCOMPARE(lv->selectedItems().first()->text(1), QStringLiteral("nano"));
    }

    void closeNowEndsEveryCopyAfterTheQuestion() {
        ClickProgram(QStringLiteral("xterm"));
        ModalAnswerer answerer(QMessageBox::Cancel);
        W<QToolButton>("cmdClose")->click();
        QCOMPARE(answerer.Count(), 1);
        QCOMPARE(answerer.Boxes().first().title, Lan(41));
        QCOMPARE(answerer.Boxes().first().text, Lan(40));
        QVERIFY(m_desk->processes.terminated.empty());

        answerer.SetAnswer(QMessageBox::Ok);
        W<QToolButton>("cmdClose")->click();
        QCOMPARE(m_desk->processes.terminated, (std::vector<platform::ProcessId>{100, 101}));
        QVERIFY(!W<ProcessListView>("LV")->Programs().contains(QStringLiteral("xterm")));
        QVERIFY(m_desk->engine->Tasks().IsEmpty());
        QCOMPARE(Text("lblID"), QStringLiteral("100"));
    }

    void browsePutsTheChosenProgramOnTheCommandLine_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("program");
        QTest::newRow("plain path") << "/usr/bin/xclock"
                                    << "/usr/bin/xclock"
                                    << "xclock";
        QTest::newRow("blank") << "/home/me/My Apps/tool"
                               << "\"/home/me/My Apps/tool\""
                               << "tool";
        QTest::newRow("quotes, backslash and dollar") << "/home/me/it's \"$new\"\\tool"
                                                      << "\"/home/me/it's \\\"\\$new\\\"\\\\tool\""
                                                      << "tool";
    }
    void browsePutsTheChosenProgramOnTheCommandLine() {
        // Written so that the launcher reads the path back as one program.
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(QString, program);
        List("cmbAutoType")->setCurrentIndex(1);
        CommonDlgsW& dialogs = m_desk->Editor()->Dialogs();
        QStringList filters;
        dialogs.SetFileRunner([&](const CommonDlgsW::FileRequest& r) {
            filters = r.nameFilters;
            return std::optional<CommonDlgsW::FileAnswer>({{chosen}});
        });
        W<QPushButton>("cmdCmd")->click();
        QCOMPARE(W<QLineEdit>("txtCmd")->text(), written);
        QVERIFY(filters.contains(QStringLiteral("*.exe, *.EXE (*.exe)")));

        dialogs.SetFileRunner([](const CommonDlgsW::FileRequest&) { return std::nullopt; });
        W<QPushButton>("cmdCmd")->click();
        QCOMPARE(W<QLineEdit>("txtCmd")->text(), written);

        Choose(List("cmbTMin"), QStringLiteral("10"));
        Add();
        QCOMPARE(LastRow().mid(0, 2), (QStringList{program, written}));
    }

    void aTaskThatWaitsIsPickedAddedAndEditedBack() {
        // An Empty task that shuts down once nano has exited: the list picks the program.
        W<QCheckBox>("chkOnly")->click();
        W<QRadioButton>("optWhen")->click();
        for (const char* name : {"cmbTMin", "cmbYear", "cmbLoop"}) {
            QVERIFY2(!List(name)->isEnabled(), name);
        }
        QVERIFY(!W<QCheckBox>("chkMouse")->isEnabled());
        QVERIFY(W<ProcessListView>("LV")->isEnabled());
        QVERIFY(W<QLabel>("imgSelect")->isEnabled());
        ClickProgram(QStringLiteral("nano"));
        QCOMPARE(Text("lblWatch"), QStringLiteral("Waits for: nano (every process)"));
        List("cmbAfter")->setCurrentIndex(1);
        Add();
        const QStringList exits{"Empty",      "None",
                                "None",       "9999/12/31 23:59:59",
                                "None",       "Close - WhenExits All nano",
                                "Shutdown PC"};
        QCOMPARE(LastRow(), exits);

        // A picked window names its own process; a close task names the program in a list of
        // its own, its target being the program to close.
        m_desk->window->AddTaskCommand();
        W<QCheckBox>("chkOnly")->click();
        platform::PickedWindow xterm;
        xterm.topLevel = xterm.deepest = 10;
        xterm.pid = 101;
        xterm.programName = "xterm";
        m_desk->picker.underPointer = xterm;
        QTest::mousePress(W<QLabel>("imgSelect"), Qt::LeftButton);
        QTest::mouseRelease(W<QLabel>("imgSelect"), Qt::LeftButton);
        QCOMPARE(Text("lblWatch"), QStringLiteral("Waits for: xterm (process 101)"));
        Add();
        QCOMPARE(LastRow().at(5), QStringLiteral("Close - WhenExits 101 xterm"));
        m_desk->window->AddTaskCommand();
        ClickProgram(QStringLiteral("gedit"));
        QVERIFY(!W<QComboBox>("cmbWatch")->isHidden());
        Type(List("cmbWatch"), QStringLiteral("nano"));
        Add();
        QCOMPARE(LastRow().mid(0, 3), (QStringList{"gedit", "/usr/bin/gedit", "200"}));
        QCOMPARE(LastRow().at(5), QStringLiteral("Close - WhenExits All nano"));

        // Quiet: each counter keeps its own level.
        m_desk->window->AddTaskCommand();
        W<QCheckBox>("chkOnly")->click();
        List("cmbWhen")->setCurrentIndex(1);
        auto* limit = W<QSpinBox>("spnQuietLimit");
        QCOMPARE(limit->value(), 50);
        limit->setValue(200);
        List("cmbWhen")->setCurrentIndex(2);
        QCOMPARE(limit->value(), 10);
        QCOMPARE(limit->maximum(), 100);
        List("cmbWhen")->setCurrentIndex(1);
        QCOMPARE(limit->value(), 200);
        W<QSpinBox>("spnQuietFor")->setValue(10);
        Add();
        QCOMPARE(LastRow().at(5), QStringLiteral("Close - WhenQuiet Network 200 00-00-10-00"));

        // Each comes back into the fields it was made with, and Save keeps it as it was.
        m_desk->Editor()->EditTask(1);
        QVERIFY(W<QCheckBox>("chkOnly")->isChecked());
        QVERIFY(W<QRadioButton>("optWhen")->isChecked());
        QCOMPARE(List("cmbWhen")->currentIndex(), 0);
        QCOMPARE(Text("lblWatch"), QStringLiteral("Waits for: nano (every process)"));
        QVERIFY(!List("cmbLoop")->isEnabled());
        Add();
        QCOMPARE(m_desk->engine->Tasks().At(1).type, "Close - WhenExits All nano");
        m_desk->Editor()->EditTask(4);
        QCOMPARE(List("cmbWhen")->currentIndex(), 1);
        QCOMPARE(limit->value(), 200);
        QCOMPARE(W<QSpinBox>("spnQuietFor")->value(), 10);
        Add();
        QCOMPARE(LastRow().at(5), QStringLiteral("Close - WhenQuiet Network 200 00-00-10-00"));
        QCOMPARE(m_desk->engine->Tasks().Count(), 4);
    }

    void theTutorialLinkOpensTheSelectSection() {
        W<LinkLabel>("lblDrag")->click();
        QCOMPARE(m_desk->opened.size(), 1);
        QCOMPARE(m_desk->opened.first().toString(),
                 QStringLiteral("https://morvane.test/docs/tutorial.html#select"));
    }
};

QTEST_MAIN(EditorTest)
#include "EditorTest.moc"
