#include "ui/MainWindow.h"

#include "core/Engine.h"
#include "types/Clock.h"
#include "ui/DoorPicture.h"
#include "ui/Hourglass.h"
#include "ui/LinkLabel.h"
#include "ui/MainWindowGeometry.h"
#include "ui/PictureButton.h"
#include "ui/ProgramIcons.h"
#include "ui/Skin.h"
#include "ui/TaskEditor.h"
#include "ui/TaskTableModel.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QTreeView>

namespace morvane {

namespace {

using Geometry = MainWindowGeometry;

QString Lan(const Engine& engine, LanText entry) {
    QString text = QString::fromStdString(engine.Language().Text(entry));
    // An ampersand in a caption is a character, not a keyboard mnemonic.
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

MainWindow::MainWindow(Deps deps, QWidget* parent) : QMainWindow(parent), m_d(deps) {
    setObjectName(QStringLiteral("form1"));
    setWindowTitle(QStringLiteral("Morvane"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/morvane.svg")));
    m_openUrl = [](const QUrl& url) {
        QDesktopServices::openUrl(url);
    };

    m_icons = new ProgramIcons(m_d.iconLookup);
    m_model = new TaskTableModel(m_d.engine.Tasks(), this);
    // The engine, not the window: the list view still asks while our base class deletes it.
    m_model->SetIdleReasonSource([&engine = m_d.engine] { return engine.IdleUnavailableReason(); });

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("form1Client"));
    setCentralWidget(m_client);
    BuildButtons(m_client);

    m_lblTask = new QLabel(QStringLiteral("Task List"), m_client);
    m_lblTask->setObjectName(QStringLiteral("lblTask"));
    m_lblTask->setGeometry(Geometry::kTaskCaption);

    m_LVClose = new QTreeView(m_client);
    m_LVClose->setObjectName(QStringLiteral("LVClose"));
    m_LVClose->setModel(m_model);
    m_LVClose->setRootIsDecorated(false);
    m_LVClose->setUniformRowHeights(true);
    m_LVClose->setItemsExpandable(false);
    m_LVClose->setAllColumnsShowFocus(true);
    m_LVClose->setSelectionMode(QAbstractItemView::SingleSelection);
    m_LVClose->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_LVClose->setAlternatingRowColors(true);
    m_LVClose->setIconSize(QSize(16, 16));
    m_LVClose->header()->setStretchLastSection(true);
    m_LVClose->header()->setSectionsMovable(false);
    for (std::size_t c = 0; c < Geometry::kColumnWidths.size(); ++c) {
        m_LVClose->setColumnWidth(static_cast<int>(c), Geometry::kColumnWidths[c]);
    }
    m_LVClose->setGeometry(Geometry::kList);

    m_lblWeb =
        new LinkLabel(QStringLiteral("lblWeb"), QStringLiteral("Morvane tutorial"), m_client);
    m_lblWeb->setGeometry(Geometry::kWeb);
    connect(m_lblWeb, &LinkLabel::clicked, this, [this] {
        HideDoor();
        OpenPage(QStringLiteral("tutorial.html"));
    });

    m_picDoor = new DoorPicture(m_client);
    m_picDoor->move(Geometry::kDoor);
    m_picDoor->hide();

    BuildMenus();
    BuildExtras();

    m_timerClose = new QTimer(this);
    m_timerClose->setObjectName(QStringLiteral("timerClose"));
    m_timerClose->setInterval(500);
    connect(m_timerClose, &QTimer::timeout, this, [this] {
        m_d.engine.SchedulerTick();
        RefreshLive();
    });
    m_timerMouse = new QTimer(this);
    m_timerMouse->setObjectName(QStringLiteral("timerMouse"));
    m_timerMouse->setInterval(1000);
    connect(m_timerMouse, &QTimer::timeout, this, [this] { m_d.engine.MouseTick(); });

    // The QTimer follows the core's switch; the core decides when the scheduler runs.
    QPointer<QTimer> timer(m_timerClose);
    m_d.engine.SetSchedulerListener([timer](bool on) {
        if (timer != nullptr) {
            on ? timer->start() : timer->stop();
        }
    });
    if (m_d.engine.IsSchedulerOn()) {
        m_timerClose->start();
    }
    QPointer<MainWindow> self(this);
    m_d.engine.AddMarkListener([self](Mark mark, bool checked) {
        if (self != nullptr) {
            if (const auto it = self->m_markActions.find(mark); it != self->m_markActions.end()) {
                it->second->setChecked(checked);
            }
            self->RefreshLive();
        }
    });
    SyncMarks();

    m_client->installEventFilter(this);
    resize(Geometry::kClient.width(), Geometry::kClient.height() + menuBar()->sizeHint().height());
    m_d.engine.SetHost(this);
}

MainWindow::~MainWindow() {
    m_d.engine.SetSchedulerListener({});
    m_d.engine.SetHost(nullptr);
    delete m_editor;
    m_editor = nullptr;
    delete m_icons;
}

TaskEditor* MainWindow::Editor() {
    if (m_editor == nullptr) {
        m_editor = new TaskEditor({m_d.engine, *m_icons, *m_model}, this);
        if (m_picker != nullptr) {
            m_editor->SetWindowPicker(m_picker);
        }
        connect(m_editor, &TaskEditor::returnedToMainWindow, this, [this](bool giveFocus) {
            show();
            if (giveFocus) {
                raise();
                activateWindow();
            }
        });
        connect(m_editor, &TaskEditor::tutorialRequested, this,
                [this](const QString& page) { OpenPage(page); });
        if (m_captionsApplied) {
            m_editor->UpdateLan(m_d.engine.Language());
        }
        if (!m_d.engine.Running().Scanned().empty()) {
            m_editor->RefillProcessList();
        }
    }
    return m_editor;
}

void MainWindow::BuildButtons(QWidget* client) {
    auto make = [client](const char* name, const char* icon, const char* caption, const char* tip,
                         int x, int width) {
        auto* b =
            new PictureButton(QString::fromLatin1(name),
                              QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))),
                              QString::fromLatin1(caption), QString::fromLatin1(tip), client);
        b->setGeometry(x, Geometry::kButtonTop, width, Geometry::kButtonHeight);
        return b;
    };
    m_cmdAdd = make("cmdAdd", "add", "Add a Task", "Add a new task", 8, 89);
    m_cmdDelete = make("cmdDelete", "delete", "Delete", "Delete selected task", 97, 90);
    m_cmdRemoveAll =
        make("cmdRemoveAll", "removeall", "Remove All", "Remove all tasks in the list", 187, 90);
    m_cmdSave = make("cmdSave", "save", "Save Tasks", "Save the task list to a file", 277, 89);
    m_cmdLoad = make("cmdLoad", "load", "Load Tasks", "Load the task list from a file", 366, 89);
    m_cmdSetting =
        make("cmdSetting", "setting", "Setting", "Set the action after finish all tasks", 454, 90);
    m_cmdHelp = make("cmdHelp", "help", "How to Use", "", 544, 90);
    m_cmdExit = make("cmdExit", "exit", "Exit", "Quit the Morvane program", 813, 90);

    connect(m_cmdAdd, &QToolButton::clicked, this, [this] { AddTaskCommand(); });
    connect(m_cmdDelete, &QToolButton::clicked, this, [this] { DeleteCommand(); });
    connect(m_cmdRemoveAll, &QToolButton::clicked, this, [this] { RemoveAllCommand(); });
    connect(m_cmdSave, &QToolButton::clicked, this, [this] { SaveTasksCommand(); });
    connect(m_cmdLoad, &QToolButton::clicked, this, [this] { LoadTasksCommand(); });
    connect(m_cmdSetting, &QToolButton::clicked, this, [this] { SettingCommand(); });
    connect(m_cmdHelp, &QToolButton::clicked, this, [this] { HelpCommand(); });
    connect(m_cmdExit, &QToolButton::clicked, this, [this] { ExitCommand(); });
}

QAction* MainWindow::NewAction(QMenu* menu, const QString& name, const QString& caption) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    menu->addAction(action);
    return action;
}

QAction* MainWindow::NewMarkAction(QMenu* menu, const QString& name, const QString& caption,
                                   Mark mark) {
    QAction* action = NewAction(menu, name, caption);
    action->setCheckable(true);
    m_markActions[mark] = action;
    connect(action, &QAction::triggered, this, [this, mark] { OnMarkClicked(mark); });
    return action;
}

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    m_menuTask = bar->addMenu(QStringLiteral("Task"));
    m_menuTask->setObjectName(QStringLiteral("menuTask"));
    m_menuAdd = NewAction(m_menuTask, QStringLiteral("menuAdd"), QStringLiteral("Add a Task"));
    m_menuAdd->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    m_menuDelete =
        NewAction(m_menuTask, QStringLiteral("menuDelete"), QStringLiteral("Delete the Selected"));
    m_menuDelete->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
    m_menuClear =
        NewAction(m_menuTask, QStringLiteral("menuClear"), QStringLiteral("Clear the Task List"));
    m_menuTask->addSeparator();
    m_menuExit = NewAction(m_menuTask, QStringLiteral("menuExit"), QStringLiteral("Exit"));
    m_menuExit->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    connect(m_menuAdd, &QAction::triggered, this, [this] { AddTaskCommand(); });
    connect(m_menuDelete, &QAction::triggered, this, [this] { DeleteCommand(); });
    connect(m_menuClear, &QAction::triggered, this, [this] { RemoveAllCommand(); });
    connect(m_menuExit, &QAction::triggered, this, [this] { ExitCommand(); });

    m_menuSetting = bar->addMenu(QStringLiteral("Setting"));
    m_menuSetting->setObjectName(QStringLiteral("menuSetting"));
    m_menuAfter = m_menuSetting->addMenu(QStringLiteral("After Finish All Tasks"));
    m_menuAfter->setObjectName(QStringLiteral("menuAfter"));
    NewMarkAction(m_menuAfter, QStringLiteral("menuShut"), QStringLiteral("Shutdown PC"),
                  Mark::Shut);
    NewMarkAction(m_menuAfter, QStringLiteral("menuReboot"), QStringLiteral("Reboot"),
                  Mark::Reboot);
    NewMarkAction(m_menuAfter, QStringLiteral("menuLogoff"), QStringLiteral("Log Off"),
                  Mark::Logoff);
    NewMarkAction(m_menuAfter, QStringLiteral("menuHibernet"), QStringLiteral("Hibernet"),
                  Mark::Hibernate);
    NewMarkAction(m_menuAfter, QStringLiteral("menuScreen"),
                  QStringLiteral("Turn Off the Monitor / Screen"), Mark::Screen);
    NewMarkAction(m_menuAfter, QStringLiteral("menuQuit"), QStringLiteral("Quit Morvane"),
                  Mark::Quit);
    NewMarkAction(m_menuSetting, QStringLiteral("menuAutostart"),
                  QStringLiteral("Auto Start on Windows Booting"), Mark::Autostart);
    NewMarkAction(m_menuSetting, QStringLiteral("menuAutoload"),
                  QStringLiteral("Auto Load the Task List"), Mark::Autoload);

    m_menuLan = bar->addMenu(QStringLiteral("Languages"));
    m_menuLan->setObjectName(QStringLiteral("menuLan"));
    NewMarkAction(m_menuLan, QStringLiteral("menuEn"), QStringLiteral("English"), Mark::English);
    NewMarkAction(m_menuLan, QStringLiteral("menuFr"), QStringLiteral("French"), Mark::French);
    NewMarkAction(m_menuLan, QStringLiteral("menuPolish"), QStringLiteral("Polish"), Mark::Polish);

    m_menuA = bar->addMenu(QStringLiteral("About"));
    m_menuA->setObjectName(QStringLiteral("menuA"));
    m_menuHelp = NewAction(m_menuA, QStringLiteral("menuHelp"), QStringLiteral("Help"));
    m_menuHelp->setShortcut(QKeySequence(QStringLiteral("Ctrl+H")));
    m_menuA->addSeparator();
    m_menuAbout = NewAction(m_menuA, QStringLiteral("menuAbout"), QStringLiteral("About"));
    connect(m_menuHelp, &QAction::triggered, this, [this] { HelpCommand(); });
    connect(m_menuAbout, &QAction::triggered, this, [this] { AboutCommand(); });
}

void MainWindow::OnMarkClicked(Mark mark) {
    m_d.engine.ToggleMark(mark);
    // The menu toggled its own mark on the click; the core's answer is what counts.
    SyncMarks();
}

void MainWindow::SyncMarks() {
    for (const auto& [mark, action] : m_markActions) {
        action->setChecked(m_d.engine.Marks().IsChecked(mark));
    }
}

void MainWindow::LoadSequence() {
    m_d.engine.ResetIdle();
    m_d.engine.ChooseStartupLanguage();
    m_d.engine.ClearStartupMarks();
    m_picDoor->show();
    m_picDoor->raise();
    // The captions are applied before the window first shows, so they appear in one piece.
    UpdateLan();
    show();
    m_timerMouse->start();
    // The rest waits for the event loop, so the window paints first: the editor stays hidden
    // until asked for, and building it keeps it off the way to the first paint.
    QTimer::singleShot(0, this, [this] { FinishLoading(); });
}

void MainWindow::FinishLoading() {
    if (m_ended) {
        return;
    }
    Editor();
    m_d.engine.LoadSettingsAndTasks();
    SyncMarks();
    m_started = true;
}

void MainWindow::SetWindowPicker(platform::WindowPicker* picker) {
    m_picker = picker;
    if (m_editor != nullptr) {
        m_editor->SetWindowPicker(picker);
    }
}

void MainWindow::SetTutorialBase(const QUrl& base) {
    m_tutorialBase = base;
    m_lblWeb->SetCaption(base.scheme().startsWith(QLatin1String("http")) && !base.host().isEmpty()
                             ? base.host()
                             : QStringLiteral("Morvane tutorial"));
}

QUrl MainWindow::TutorialUrl(const QString& page) const {
    return m_tutorialBase.resolved(QUrl(page));
}

void MainWindow::OpenPage(const QString& page) {
    // Opening the page may fail (no browser): nothing is reported.
    if (m_openUrl && m_tutorialBase.isValid()) {
        m_openUrl(TutorialUrl(page));
    }
}

void MainWindow::AddTaskCommand() {
    HideDoor();
    Editor()->ShowEditor();
    Hourglass wait;
    m_d.engine.Refresh();
}

void MainWindow::DeleteCommand() {
    HideDoor();
    if (m_d.engine.Tasks().IsEmpty()) {
        return;
    }
    const QModelIndexList rows = m_LVClose->selectionModel()->selectedRows();
    if (!rows.isEmpty()) {
        m_d.engine.DeleteTask(rows.first().row() + 1);
    }
}

void MainWindow::RemoveAllCommand() {
    HideDoor();
    m_d.engine.ClearTasks();
}

void MainWindow::SaveTasksCommand() {
    HideDoor();
    CommonDlgsW& dialogs = Editor()->Dialogs();
    dialogs.Filter = QStringLiteral("Morvane Task File(*.mtf)|*.mtf");
    if (!dialogs.ShowSave(this)) {
        return;
    }
    std::filesystem::path written;
    const WriteResult result =
        m_d.engine.SaveTasks(std::filesystem::path(dialogs.FileName.toStdString()), &written);
    if (!result.Ok()) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Morvane"),
                        QStringLiteral("The task list could not be saved to %1.\n\n%2")
                            .arg(QString::fromStdString(written.string()),
                                 QString::fromStdString(result.error)),
                        QMessageBox::Ok, this);
        box.exec();
    }
}

void MainWindow::LoadTasksCommand() {
    HideDoor();
    CommonDlgsW& dialogs = Editor()->Dialogs();
    dialogs.Filter = QStringLiteral("Morvane Task File(*.mtf)|*.mtf");
    if (!dialogs.ShowOpen(this)) {
        return;
    }
    TaskFileCount count;
    {
        Hourglass wait;
        count = m_d.engine.LoadTasks(std::filesystem::path(dialogs.FileName.toStdString()));
    }
    if (count.skipped > 0) {
        QMessageBox box(
            QMessageBox::Warning, QStringLiteral("Morvane"),
            tr("%n line(s) of %1 are not tasks and were skipped.", nullptr, count.skipped)
                .arg(dialogs.FileName),
            QMessageBox::Ok, this);
        box.exec();
    }
}

void MainWindow::SettingCommand() {
    HideDoor();
    m_menuSetting->popup(QCursor::pos());
}

void MainWindow::HelpCommand() {
    HideDoor();
    OpenPage(QStringLiteral("tutorial.html"));
}

void MainWindow::AboutCommand() {
    const int year = m_d.engine.ClockSource().Now().year;
    QMessageBox box(QMessageBox::Information, QStringLiteral("About"),
                    QStringLiteral("Morvane %1: closes programs, starts programs and turns off "
                                   "the computer on your schedule. Copyright %2")
                        .arg(QStringLiteral(MORVANE_VERSION))
                        .arg(year),
                    QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::ExitCommand() {
    m_d.engine.ExitCommand();
}

bool MainWindow::AskExitQuestion() {
    // A second question while one is open (a task asking to quit meanwhile) is a Cancel.
    if (m_asking) {
        return false;
    }
    m_asking = true;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Exit"),
                    QStringLiteral("Are you sure to quit?"), QMessageBox::Ok | QMessageBox::Cancel,
                    this);
    const bool ok = box.exec() == QMessageBox::Ok;
    m_asking = false;
    return ok;
}

void MainWindow::HideDoor() {
    m_picDoor->hide();
}

void MainWindow::DetachSkin() {
    Skin::SkinH_Detach();
}

void MainWindow::UnloadEditor() {
    if (m_editor != nullptr) {
        m_editor->Unload();
    }
}

void MainWindow::CloseMainWindow() {
    m_closingForGood = true;
    close();
    FinishEnding();
}

void MainWindow::EndProgram() {
    m_closingForGood = true;
    m_endingNow = true;
    UnloadEditor();
    close();
    FinishEnding();
}

void MainWindow::FinishEnding() {
    if (m_ended) {
        return;
    }
    m_ended = true;
    m_timerClose->stop();
    m_timerMouse->stop();
    hide();
    Q_EMIT programEnded();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_closingForGood && KeepsInTray()) {
        event->ignore();
        hide();
        return;
    }
    // The close box ends the program with the unload sequence; an immediate quit skips it.
    if (!m_endingNow) {
        m_d.engine.UnloadSequence();
    }
    event->accept();
    FinishEnding();
}

void MainWindow::UpdateLan() {
    const Engine& e = m_d.engine;
    // The texts through tr() follow the same language as the language file's.
    m_translator.Follow(e.Marks());
    m_cmdAdd->setText(Lan(e, LanText::AddTask));
    m_cmdDelete->setText(Lan(e, LanText::Delete));
    m_cmdRemoveAll->setText(Lan(e, LanText::RemoveAll));
    m_cmdSetting->setText(Lan(e, LanText::Setting));
    m_cmdHelp->setText(Lan(e, LanText::HowToUse));
    m_cmdExit->setText(Lan(e, LanText::Exit));

    m_menuTask->setTitle(Lan(e, LanText::TaskMenu));
    m_menuAdd->setText(Lan(e, LanText::AddTask));
    m_menuDelete->setText(Lan(e, LanText::Delete));
    m_menuClear->setText(Lan(e, LanText::RemoveAll));
    m_menuSetting->setTitle(Lan(e, LanText::Setting));
    m_menuAfter->setTitle(Lan(e, LanText::AfterAllTasksMenu));
    m_menuAbout->setText(Lan(e, LanText::About));
    m_menuHelp->setText(Lan(e, LanText::Help));
    m_menuA->setTitle(Lan(e, LanText::About));
    m_markActions[Mark::Shut]->setText(Lan(e, LanText::Shutdown));
    m_markActions[Mark::Reboot]->setText(Lan(e, LanText::Reboot));
    m_markActions[Mark::Logoff]->setText(Lan(e, LanText::LogOff));
    m_markActions[Mark::Hibernate]->setText(Lan(e, LanText::Hibernate));
    m_markActions[Mark::Screen]->setText(Lan(e, LanText::MonitorOff));
    m_markActions[Mark::Quit]->setText(Lan(e, LanText::QuitProgram));
    m_menuLan->setTitle(Lan(e, LanText::Languages));

    RetranslateExtras();
    m_captionsApplied = true;
    if (m_editor != nullptr) {
        m_editor->UpdateLan(e.Language());
    }
}

void MainWindow::ShowMessage(const std::string& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Morvane"),
                    QString::fromStdString(text).trimmed(), QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::RunningProgramsChanged() {
    if (m_editor != nullptr) {
        m_editor->RefillProcessList();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        ApplyLayoutRule();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ApplyLayoutRule() {
    const Geometry::Movable placed = Geometry::Resized(
        m_client->size(), {m_LVClose->geometry(), m_cmdExit->pos(), m_lblWeb->pos()},
        m_cmdExit->width());
    m_LVClose->setGeometry(placed.list);
    m_cmdExit->move(placed.exit);
    m_lblWeb->move(placed.web);
    // The status line shares the web link's row, from the link's end to the list's.
    const int statusLeft = m_lblWeb->geometry().right() + 16;
    m_lblStatus->setGeometry(statusLeft, placed.web.y(), placed.list.right() - statusLeft + 1,
                             m_lblWeb->height());
}

} // namespace morvane
