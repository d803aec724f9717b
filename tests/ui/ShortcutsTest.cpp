// The keys of every window on a real X desktop, where the desktop's own key bindings apply
// (the standard Delete binding there also holds Ctrl+D): each key has one owner per window.

#include "Desk.h"
#include "ui/HelpWindow.h"
#include "ui/HistoryWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QShortcut>
#include <QTest>
#include <QTreeView>

#include <cstdio>
#include <map>

using namespace morvane;
using morvane::test::Desk;

class ShortcutsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Desk> m_desk;

    /// Every key of an enabled action or shortcut under `root`, with the names of its owners,
    /// per window: the nearest of `windows` that the owner belongs to.
    static std::map<const QWidget*, std::map<QString, QStringList>>
    KeysByWindow(const QWidget& root, const QList<const QWidget*>& windows) {
        const auto windowOf = [&windows](const QObject* object) -> const QWidget* {
            for (; object != nullptr; object = object->parent()) {
                if (const auto* widget = qobject_cast<const QWidget*>(object);
                    widget != nullptr && windows.contains(widget)) {
                    return widget;
                }
            }
            return nullptr;
        };
        std::map<const QWidget*, std::map<QString, QStringList>> keys;
        for (const QObject* object : root.findChildren<QObject*>()) {
            QList<QKeySequence> sequences;
            if (const auto* action = qobject_cast<const QAction*>(object)) {
                sequences = action->isEnabled() ? action->shortcuts() : sequences;
            } else if (const auto* shortcut = qobject_cast<const QShortcut*>(object)) {
                sequences = shortcut->isEnabled() ? shortcut->keys() : sequences;
            }
            for (const QKeySequence& sequence : sequences) {
                const QString name = object->objectName().isEmpty()
                                         ? QString::fromLatin1(object->metaObject()->className()) +
                                               QStringLiteral(" of ") +
                                               object->parent()->objectName()
                                         : object->objectName();
                keys[windowOf(object)][sequence.toString()] << name;
            }
        }
        return keys;
    }

private Q_SLOTS:
    void init() {
        m_desk = std::make_unique<Desk>();
        m_desk->window->SetTutorialBase(QUrl::fromLocalFile(
            QDir::cleanPath(QStringLiteral(MORVANE_SOURCE_DATA "/../docs")) + u'/'));
        m_desk->Start();
        m_desk->window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_desk->window.get()));
    }
    void cleanup() { m_desk.reset(); }

    void noTwoEnabledShortcutsOfAWindowShareAKey() {
        MainWindow& main = *m_desk->window;
        m_desk->Get<QAction>("menuHistory")->trigger();
        m_desk->Get<QAction>("menuHelp")->trigger();
        auto* history = main.findChild<HistoryWindow*>();
        auto* help = main.findChild<HelpWindow*>();
        QVERIFY(history != nullptr && help != nullptr);
        const QList<const QWidget*> windows{&main, m_desk->Editor(), history, help};
        const auto keys = KeysByWindow(main, windows);
        QVERIFY2(keys.count(&main) == 1 && keys.at(&main).count(QStringLiteral("Ctrl+D")) == 1,
                 "the walk sees the main window's keys");
        for (const auto& [window, owners] : keys) {
            for (const auto& [key, names] : owners) {
                QVERIFY2(names.size() == 1,
                         qPrintable(QStringLiteral("%1 in %2: %3")
                                        .arg(key, window->objectName(), names.join(u' '))));
            }
        }
    }

    void ctrlDAndDeleteOnTheListDeleteTheSelectedRow() {
        for (const char* program : {"alpha", "beta", "gamma"}) {
            m_desk->engine->AddTask(Task{program, std::string("/usr/bin/") + program, "None",
                                         "2026/12/08 09:00:00", "None", "Close - Normal", ""});
        }
        auto* list = m_desk->Get<QTreeView>("LVClose");
        const auto deleteWith = [&](int row, Qt::Key key, Qt::KeyboardModifiers modifiers) {
            m_desk->window->HideDoor();
            list->setFocus();
            list->selectionModel()->setCurrentIndex(list->model()->index(row, 1),
                                                    QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
            QTest::keyClick(list, key, modifiers);
        };
        deleteWith(1, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(m_desk->engine->Tasks().Count(), 2);
        QCOMPARE(m_desk->engine->Tasks().FieldOf(2, Field::Program), "gamma");
        deleteWith(0, Qt::Key_Delete, Qt::NoModifier);
        QCOMPARE(m_desk->engine->Tasks().Count(), 1);
        QCOMPARE(m_desk->engine->Tasks().FieldOf(1, Field::Program), "gamma");
    }
};

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::puts("No X display (run through scripts/with-desktop.sh): skipped.");
        return 77;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ShortcutsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ShortcutsTest.moc"
