// The program driven from the keyboard alone, over the fake platform: the whole road to a task
// that closes a program in a minute, and the keys around the task list and the menus.

#include "Desk.h"
#include "ModalAnswerer.h"
#include "OffscreenQuiet.h"
#include "ui/FontGrowth.h"
#include "ui/LinkLabel.h"
#include "ui/PictureButton.h"
#include "ui/ProcessListView.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTreeView>

using namespace morvane;
using morvane::test::Desk;

class KeyboardTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Desk> m_desk;

    template <typename T> T* W(const char* name) const { return m_desk->Get<T>(name); }

    /// Presses `key` where the focus is.
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr);
        QTest::keyClick(focus, key, modifiers);
    }
    /// Tabs (or Shift+Tabs) until `target`, or a widget inside it, has the focus.
    static bool TabTo(const QWidget* target, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        for (int i = 0; i < 60; ++i) {
            const QWidget* focus = QApplication::focusWidget();
            if (focus != nullptr && (focus == target || target->isAncestorOf(focus))) {
                return true;
            }
            if (focus == nullptr) {
                return false;
            }
            QTest::keyClick(const_cast<QWidget*>(focus), Qt::Key_Tab, modifiers);
        }
        return false;
    }
    void ShowMain() const {
        MainWindow& w = *m_desk->window;
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
    }

private Q_SLOTS:
    void initTestCase() { morvane::test::QuietOffscreenNotes(); }
    void init() {
        m_desk = std::make_unique<Desk>();
        m_desk->Start();
        ShowMain();
    }
    void cleanup() { m_desk.reset(); }

    void closeAProgramInOneMinute() {
        // Ctrl+A opens the editor, which takes the focus.
        W<PictureButton>("cmdAdd")->setFocus();
        Press(Qt::Key_A, Qt::ControlModifier);
        TaskEditor* editor = m_desk->Editor();
        QTRY_VERIFY(editor->isActiveWindow());

        // Into the process list; a typed letter picks the program.
        auto* list = W<ProcessListView>("LV");
        QVERIFY(TabTo(list));
        Press(Qt::Key_N);
        QCOMPARE(W<QLabel>("lblProcess1")->text(), QStringLiteral("nano"));
        QCOMPARE(W<QLabel>("lblID")->text(), QStringLiteral("102"));

        // One minute in the countdown: letters typed there are dropped.
        auto* minutes = W<QComboBox>("cmbTMin");
        QVERIFY(TabTo(minutes));
        Press(Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x1"));
        QCOMPARE(minutes->currentText(), QStringLiteral("1"));

        auto* add = W<QPushButton>("cmdOK");
        QVERIFY(TabTo(add));
        Press(Qt::Key_Space);
        QTRY_VERIFY(!editor->isVisible());

        const TaskList& tasks = m_desk->engine->Tasks();
        QCOMPARE(tasks.Count(), 1);
        const Task& task = tasks.At(1);
        QCOMPARE(QString::fromStdString(task.program), QStringLiteral("nano"));
        QCOMPARE(QString::fromStdString(task.id), QStringLiteral("102"));
        QCOMPARE(QString::fromStdString(task.type), QStringLiteral("Close - After 00-00-1-00"));

        // The new row is the selected one, its program name the current cell, the list focused.
        auto* taskList = W<QTreeView>("LVClose");
        QCOMPARE(taskList->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(taskList->currentIndex().row(), 0);
        QCOMPARE(taskList->currentIndex().column(), 1);
        ShowMain();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(taskList));
        QVERIFY(!W<QWidget>("picDoor")->isVisible());

        // Delete on the list removes it.
        Press(Qt::Key_Delete);
        QVERIFY(tasks.IsEmpty());
    }

    void theListTakesTheFocusFromThePictureOnTheProgramName() {
        m_desk->engine->AddTask([] {
            TaskBuilder::Input in;
            in.targetName = "gedit";
            in.processId = "200";
            in.minutes = "5";
            in.countdown = true;
            return in;
        }());
        auto* taskList = W<QTreeView>("LVClose");
        QVERIFY(W<QWidget>("picDoor")->isVisible());
        W<PictureButton>("cmdAdd")->setFocus();
        QVERIFY(TabTo(taskList));
        QVERIFY(!W<QWidget>("picDoor")->isVisible());
        QCOMPARE(taskList->currentIndex().column(), 1);
    }

    void theLinksAreOnTheTabRoadBothWays() {
        auto* web = W<LinkLabel>("lblWeb");
        W<PictureButton>("cmdAdd")->setFocus();
        QVERIFY(TabTo(web));
        // Shift+Tab leaves it, and Tab comes back to it.
        Press(Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(QApplication::focusWidget() != web);
        QVERIFY(TabTo(web));
        Press(Qt::Key_Return);
        QCOMPARE(m_desk->opened.size(), 1);
    }

    void f10OpensTheMenuBarAndTheSettingMenuOpensAtItsButton() {
        W<PictureButton>("cmdAdd")->setFocus();
        Press(Qt::Key_F10);
        QMenuBar* bar = m_desk->window->menuBar();
        QCOMPARE(bar->activeAction(), W<QMenu>("menuTask")->menuAction());
        QVERIFY(W<QMenu>("menuTask")->title().startsWith(u'&'));
        Press(Qt::Key_Escape);
        Press(Qt::Key_Escape);

        auto* setting = W<PictureButton>("cmdSetting");
        QCursor::setPos(m_desk->window->mapToGlobal(QPoint(600, 400)));
        setting->setFocus();
        Press(Qt::Key_Space);
        auto* menu = W<QMenu>("menuSetting");
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), setting->mapToGlobal(QPoint(0, setting->height())));
        menu->hide();
    }

    void largerFontsKeepTheEditorWhole_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<double>("growth");
        for (const char* language : {"menuEn", "menuFr", "menuPolish"}) {
            for (const double growth : {1.0, 1.25, 2.0}) {
                QTest::addRow("%s %.2fx", language + 4, growth)
                    << QString::fromLatin1(language) << growth;
            }
        }
    }
    void largerFontsKeepTheEditorWhole() {
        QFETCH(QString, language);
        QFETCH(double, growth);
        m_desk.reset();
        const QFont standard = QApplication::font();
        const auto restore = qScopeGuard([this, standard] {
            m_desk.reset();
            QApplication::setFont(standard);
        });
        QFont larger = standard;
        larger.setPointSizeF(kStandardPointSize * growth);
        QApplication::setFont(larger);
        m_desk = std::make_unique<Desk>();
        m_desk->Start();
        m_desk->Get<QAction>(qPrintable(language))->trigger();

        TaskEditor* editor = m_desk->Editor();
        editor->ShowEditor();
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        const QSize frame = editor->frameGeometry().size();
        QVERIFY2(frame.width() <= 1280 && frame.height() <= 1024,
                 qPrintable(QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height())));
        for (QWidget* w : editor->findChildren<QWidget*>()) {
            if (!w->isVisible() ||
                !(qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                  qobject_cast<QComboBox*>(w))) {
                continue;
            }
            QVERIFY2(w->width() >= w->minimumSizeHint().width(), qPrintable(w->objectName()));
            if (w->minimumSize() == w->maximumSize()) {
                continue; // a picture's fixed place
            }
            QVERIFY2(w->height() >= w->minimumSizeHint().height(),
                     qPrintable(QStringLiteral("%1 %2 < %3 in %4")
                                    .arg(w->objectName())
                                    .arg(w->height())
                                    .arg(w->minimumSizeHint().height())
                                    .arg(editor->height())));
        }
    }

    void howToUseWithoutABrowserSaysWhereTheTutorialIs() {
        m_desk->window->SetCheckedUrlOpener([](const QUrl&) { return false; });
        morvane::test::ModalAnswerer answerer;
        W<PictureButton>("cmdHelp")->click();
        QCOMPARE(answerer.Count(), 1);
        QVERIFY2(answerer.Boxes().first().text.contains(
                     QStringLiteral("https://morvane.test/docs/tutorial.html")),
                 qPrintable(answerer.Boxes().first().text));
    }
};

QTEST_MAIN(KeyboardTest)
#include "KeyboardTest.moc"
