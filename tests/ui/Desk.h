#pragma once

#include "FakeRig.h"
#include "core/Engine.h"
#include "platform/fake/FakeWindowPicker.h"
#include "ui/MainWindow.h"
#include "ui/ProcessListView.h"
#include "ui/QtPaths.h"
#include "ui/TaskEditor.h"
#include "ui/TaskTableModel.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include <memory>

namespace morvane::test {

/// The two windows over a core whose platform is all fakes, with an application-data folder of
/// its own. Nothing here touches the machine or the user's files.
class Desk : public FakeRig {
public:
    explicit Desk(const QString& programFolder = QStringLiteral(MORVANE_SOURCE_DATA),
                  const QString& appData = QString()) {
        const QString data =
            appData.isEmpty() ? m_dir.filePath(QStringLiteral("appdata")) : appData;
        processes.running = {{"/usr/bin/xterm", 100},
                             {"/usr/bin/gedit", 200},
                             {"/usr/bin/xterm", 101},
                             {"/opt/Nvidia/nvidia-settings", 300},
                             {"/usr/bin/nano", 102}};
        engine = std::make_unique<Engine>(
            services, AppPaths{PathFromQt(programFolder), PathFromQt(data), "morvane"});
        window = std::make_unique<MainWindow>(MainWindow::Deps{*engine});
        window->SetTutorialBase(QUrl(QStringLiteral("https://morvane.test/docs/")));
        window->SetUrlOpener([this](const QUrl& url) { opened.append(url); });
    }
    ~Desk() {
        window.reset();
        engine.reset();
    }
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    /// Runs the main window's start-up, waiting for the part it leaves to the event loop.
    void Start() const {
        window->LoadSequence();
        QTRY_VERIFY(window->HasStarted());
    }

    [[nodiscard]] QString AppData() const { return QtFromPath(engine->Paths().appDataFolder); }
    /// The editor, with the fake window picker handed over as main() hands over the real one.
    [[nodiscard]] TaskEditor* Editor() const {
        TaskEditor* editor = window->Editor();
        if (editor != m_pickerOwner) {
            editor->SetWindowPicker(&picker);
            m_pickerOwner = editor;
        }
        return editor;
    }

    /// A widget, action or timer of either window by its name.
    template <typename T> T* Find(const QString& name) const {
        if (T* found = window->findChild<T*>(name)) {
            return found;
        }
        return Editor()->findChild<T*>(name);
    }
    /// Like Find, but a missing name stops the test run: the name is part of the contract.
    template <typename T> T* Get(const char* name) const {
        T* found = Find<T>(QString::fromLatin1(name));
        if (found == nullptr) {
            qFatal("no object named %s", name);
        }
        return found;
    }

    /// Clicks the editor's process-list row of a program, as the user picks a target.
    void ClickProgram(const QString& program) const {
        auto* lv = Get<ProcessListView>("LV");
        const QList<QTreeWidgetItem*> items = lv->findItems(program, Qt::MatchExactly, 1);
        QVERIFY2(!items.isEmpty(), qPrintable(program));
        QTest::mouseClick(lv->viewport(), Qt::LeftButton, {},
                          lv->visualItemRect(items.first()).center());
    }

    QTemporaryDir m_dir;
    mutable platform::FakeWindowPicker picker;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<MainWindow> window;
    QList<QUrl> opened;

private:
    mutable TaskEditor* m_pickerOwner = nullptr;
};

} // namespace morvane::test
