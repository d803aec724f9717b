#include "ui/MainWindow.h"

#include "core/Engine.h"
#include "types/Clock.h"
#include "ui/DoorPicture.h"
#include "ui/FontGrowth.h"
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
#include <QDir>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QShortcut>
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

// A menu's caption with its first letter as the keyboard mnemonic (Alt+letter).
QString Mnemonic(const QString& caption) {
    return caption.isEmpty() ? caption : QLatin1Char('&') + caption;
}

QString Escaped(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

MainWindow::MainWindow(Deps deps, QWidget* parent) : QMainWindow(parent), m_d(deps) {
    setObjectName(QStringLiteral("form1"));
    setWindowTitle(QStringLiteral("Morvane"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/morvane.svg")));
    m_openUrl = [](const QUrl& url) {
        return QDesktopServices::openUrl(url);
    };

    m_icons = new ProgramIcons(m_d.iconLookup);
    m_model = new TaskTableModel(m_d.engine.Tasks(), this);
    // The engine, not the window: the list view still asks while our base class deletes it.
    m_model->SetIdleReasonSource([&engine = m_d.engine] { return engine.IdleUnavailableReason(); });

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("form1Client"));
    setCentralWidget(m_client);
    BuildButtons(m_client);

    m_lblTask = new QLabel(m_client);
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
    m_lblTask->setBuddy(m_LVClose);
    m_LVClose->installEventFilter(this);
    // Delete on the list removes the selected row, as the Delete button does.
    auto* deleteKey = new QShortcut(QKeySequence::Delete, m_LVClose);
    deleteKey->setContext(Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] { DeleteCommand(); });

    m_lblWeb = new LinkLabel(QStringLiteral("lblWeb"), tr("Morvane tutorial"), m_client);
    m_lblWeb->setGeometry(Geometry::kWeb);
    connect(m_lblWeb, &LinkLabel::clicked, this, [this] {
        HideDoor();
        OpenPage(QStringLiteral("tutorial.html"));
    });

    m_picDoor = new DoorPicture(m_client);
    m_picDoor->move(Geometry::kDoor);
    m_picDoor->hide();

    BuildMenus();
    Retranslate();
    FitToFont();
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
    resize(m_clientSize.width(), m_clientSize.height() + menuBar()->sizeHint().height());
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
        connect(m_editor, &TaskEditor::taskAdded, this, [this](int row) { FocusRow(row); });
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
    // The captions and tips are the translated texts (Retranslate) and the language file's.
    auto make = [client](const char* name, const char* icon, int x, int width) {
        auto* b = new PictureButton(
            QString::fromLatin1(name),
            QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))), {}, {}, client);
        b->setGeometry(x, Geometry::kButtonTop, width, Geometry::kButtonHeight);
        return b;
    };
    m_cmdAdd = make("cmdAdd", "add", 8, 89);
    m_cmdDelete = make("cmdDelete", "delete", 97, 90);
    m_cmdRemoveAll = make("cmdRemoveAll", "removeall", 187, 90);
    m_cmdSave = make("cmdSave", "save", 277, 89);
    m_cmdLoad = make("cmdLoad", "load", 366, 89);
    m_cmdSetting = make("cmdSetting", "setting", 454, 90);
    m_cmdHelp = make("cmdHelp", "help", 544, 90);
    m_cmdExit = make("cmdExit", "exit", 813, 90);

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

    // F10 opens the menu bar, as on most desktops.
    auto* menuKey = new QAction(this);
    menuKey->setObjectName(QStringLiteral("menuBarKey"));
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    menuKey->setShortcutContext(Qt::WindowShortcut);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] {
        QMenuBar* bar = menuBar();
        bar->setFocus(Qt::MenuBarFocusReason);
        bar->setActiveAction(m_menuTask->menuAction());
    });
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
    m_lblWeb->SetCaption(WebCaption());
}

QUrl MainWindow::TutorialUrl(const QString& page) const {
    return m_tutorialBase.resolved(QUrl(page));
}

QString MainWindow::WebCaption() const {
    return m_tutorialBase.scheme().startsWith(QLatin1String("http")) &&
                   !m_tutorialBase.host().isEmpty()
               ? m_tutorialBase.host()
               : tr("Morvane tutorial");
}

void MainWindow::OpenPage(const QString& page) {
    if (!m_openUrl || !m_tutorialBase.isValid()) {
        return;
    }
    const QUrl url = TutorialUrl(page);
    if (m_openUrl(url)) {
        return;
    }
    // No browser took it: the user is told where the tutorial is, to open it another way.
    const QString where = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile())
                                            : url.toString(QUrl::RemoveFragment);
    QMessageBox box(QMessageBox::Information, tr("How to Use"),
                    tr("No web browser could open the tutorial. It is here:\n\n%1").arg(where),
                    QMessageBox::Ok, this);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

void MainWindow::FocusRow(int row) {
    // The new row is the one a keyboard user goes on with; its program name first.
    const QModelIndex cell = m_model->index(row - 1, 1);
    if (!cell.isValid()) {
        return;
    }
    HideDoor();
    m_LVClose->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
    m_LVClose->scrollTo(cell);
    m_LVClose->setFocus(Qt::OtherFocusReason);
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
    dialogs.Filter = tr("Morvane Task File") + QStringLiteral("(*.mtf)|*.mtf");
    if (!dialogs.ShowSave(this)) {
        return;
    }
    std::filesystem::path written;
    const WriteResult result =
        m_d.engine.SaveTasks(std::filesystem::path(dialogs.FileName.toStdString()), &written);
    if (!result.Ok()) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Morvane"),
                        tr("The task list could not be saved to %1.\n\n%2")
                            .arg(QString::fromStdString(written.string()),
                                 QString::fromStdString(result.error)),
                        QMessageBox::Ok, this);
        box.exec();
    }
}

void MainWindow::LoadTasksCommand() {
    HideDoor();
    CommonDlgsW& dialogs = Editor()->Dialogs();
    dialogs.Filter = tr("Morvane Task File") + QStringLiteral("(*.mtf)|*.mtf");
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
    // From the keyboard the pointer may be anywhere: the menu opens at its button then.
    const QRect button(m_cmdSetting->mapToGlobal(QPoint(0, 0)), m_cmdSetting->size());
    m_menuSetting->popup(button.contains(QCursor::pos())
                             ? QCursor::pos()
                             : QPoint(button.left(), button.bottom() + 1));
}

void MainWindow::HelpCommand() {
    HideDoor();
    OpenPage(QStringLiteral("tutorial.html"));
}

void MainWindow::AboutCommand() {
    const int year = m_d.engine.ClockSource().Now().year;
    QMessageBox box(QMessageBox::Information, Lan(m_d.engine, LanText::About).remove(u'&'),
                    tr("Morvane %1: closes programs, starts programs and turns off the computer "
                       "on your schedule. Copyright %2")
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
    QMessageBox box(QMessageBox::Question, tr("Exit"), tr("Are you sure to quit?"),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
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
    Retranslate();
    m_cmdAdd->setText(Lan(e, LanText::AddTask));
    m_cmdDelete->setText(Lan(e, LanText::Delete));
    m_cmdRemoveAll->setText(Lan(e, LanText::RemoveAll));
    m_cmdSetting->setText(Lan(e, LanText::Setting));
    m_cmdHelp->setText(Lan(e, LanText::HowToUse));
    m_cmdExit->setText(Lan(e, LanText::Exit));

    m_menuTask->setTitle(Mnemonic(Lan(e, LanText::TaskMenu)));
    m_menuAdd->setText(Mnemonic(Lan(e, LanText::AddTask)));
    m_menuDelete->setText(Mnemonic(Lan(e, LanText::Delete)));
    m_menuClear->setText(Mnemonic(Lan(e, LanText::RemoveAll)));
    m_menuSetting->setTitle(Mnemonic(Lan(e, LanText::Setting)));
    m_menuAfter->setTitle(Mnemonic(Lan(e, LanText::AfterAllTasksMenu)));
    m_menuAbout->setText(Mnemonic(Lan(e, LanText::About)));
    m_menuHelp->setText(Mnemonic(Lan(e, LanText::Help)));
    m_menuA->setTitle(Mnemonic(Lan(e, LanText::About)));
    m_markActions[Mark::Shut]->setText(Mnemonic(Lan(e, LanText::Shutdown)));
    m_markActions[Mark::Reboot]->setText(Mnemonic(Lan(e, LanText::Reboot)));
    m_markActions[Mark::Logoff]->setText(Mnemonic(Lan(e, LanText::LogOff)));
    m_markActions[Mark::Hibernate]->setText(Mnemonic(Lan(e, LanText::Hibernate)));
    m_markActions[Mark::Screen]->setText(Mnemonic(Lan(e, LanText::MonitorOff)));
    m_markActions[Mark::Quit]->setText(Mnemonic(Lan(e, LanText::QuitProgram)));
    m_menuLan->setTitle(Mnemonic(Lan(e, LanText::Languages)));

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
    if (watched == m_LVClose && event->type() == QEvent::FocusIn) {
        // The picture covers the list: it goes once the list is where the keys act.
        HideDoor();
        const QModelIndex current = m_LVClose->currentIndex();
        if (m_model->rowCount() > 0 && (!current.isValid() || current.column() == 0)) {
            m_LVClose->selectionModel()->setCurrentIndex(
                m_model->index(current.isValid() ? current.row() : 0, 1),
                QItemSelectionModel::NoUpdate);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::Retranslate() {
    // The texts the language file does not carry; UpdateLan then puts the file's own on top.
    const std::pair<PictureButton*, QString> buttons[] = {
        {m_cmdAdd, tr("Add a Task")},       {m_cmdDelete, tr("Delete")},
        {m_cmdRemoveAll, tr("Remove All")}, {m_cmdSave, tr("Save Tasks")},
        {m_cmdLoad, tr("Load Tasks")},      {m_cmdSetting, tr("Setting")},
        {m_cmdHelp, tr("How to Use")},      {m_cmdExit, tr("Exit")}};
    for (const auto& [button, caption] : buttons) {
        button->setText(Escaped(caption));
    }
    m_cmdAdd->setToolTip(tr("Add a new task"));
    m_cmdDelete->setToolTip(tr("Delete selected task"));
    m_cmdRemoveAll->setToolTip(tr("Remove all tasks in the list"));
    m_cmdSave->setToolTip(tr("Save the task list to a file"));
    m_cmdLoad->setToolTip(tr("Load the task list from a file"));
    m_cmdSetting->setToolTip(tr("Set the action after finish all tasks"));
    m_cmdExit->setToolTip(tr("Quit the Morvane program"));

    m_lblTask->setText(tr("Task List"));
    m_LVClose->setAccessibleName(tr("Task List"));
    m_LVClose->setAccessibleDescription(
        tr("The scheduled tasks. Delete removes the selected task."));
    // The picture's own words, for those who cannot see it.
    m_picDoor->setAccessibleName(tr("How to use Morvane"));
    m_picDoor->setAccessibleDescription(
        tr("Four steps to your first task. 1: click the Add a Task button to open the Add a "
           "Task window. 2: select a running program from the list, or drag the picker icon "
           "onto a running program's window. 3: set the close time: after an interval, at a "
           "date and time, or when the mouse rests. 4: click the Add button to add the task to "
           "the task list."));
    m_lblWeb->SetCaption(WebCaption());

    m_menuExit->setText(Mnemonic(tr("Exit")));
    m_markActions[Mark::Autostart]->setText(Mnemonic(tr("Auto Start on Windows Booting")));
    m_markActions[Mark::Autoload]->setText(Mnemonic(tr("Auto Load the Task List")));
    m_markActions[Mark::English]->setText(Mnemonic(tr("English")));
    m_markActions[Mark::French]->setText(Mnemonic(tr("French")));
    m_markActions[Mark::Polish]->setText(Mnemonic(tr("Polish")));
    m_model->Retranslate();
}

void MainWindow::FitToFont() {
    // At the standard font the designed places stand. A larger one makes the buttons as large
    // as their captions need and moves what is below them down, the window growing to match.
    m_clientSize = Geometry::kClient;
    if (FontGrowth(font()) <= 1.0) {
        return;
    }
    PictureButton* const row[] = {m_cmdAdd,  m_cmdDelete,  m_cmdRemoveAll, m_cmdSave,
                                  m_cmdLoad, m_cmdSetting, m_cmdHelp};
    int height = Geometry::kButtonHeight;
    for (PictureButton* b : row) {
        height = std::max(height, b->FittingSize(b->size()).height());
    }
    height = std::max(height, m_cmdExit->FittingSize(m_cmdExit->size()).height());
    int x = row[0]->x();
    for (PictureButton* b : row) {
        b->setGeometry(x, Geometry::kButtonTop, b->FittingSize(b->size()).width(), height);
        x += b->width();
    }
    m_cmdExit->resize(m_cmdExit->FittingSize(m_cmdExit->size()).width(), height);

    const int down = height - Geometry::kButtonHeight;
    const QSize caption = m_lblTask->sizeHint().expandedTo(Geometry::kTaskCaption.size());
    m_lblTask->setGeometry(QRect(Geometry::kTaskCaption.topLeft() + QPoint(0, down), caption));
    const int captionExtra = caption.height() - Geometry::kTaskCaption.height();
    const int webHeight = std::max(Geometry::kWeb.height(), m_lblWeb->sizeHint().height());
    const int webWidth = std::max(Geometry::kWeb.width(), m_lblWeb->sizeHint().width());
    const int webExtra = webHeight - Geometry::kWeb.height();
    const int width =
        std::max(Geometry::kClient.width(), x + Geometry::kButtonTop + m_cmdExit->width() +
                                                Geometry::kListWidthGap - Geometry::kList.left());
    m_clientSize = QSize(width, Geometry::kClient.height() + down + captionExtra + webExtra);
    QRect list = Geometry::kList.translated(0, down + captionExtra);
    list.setWidth(width - Geometry::kListWidthGap);
    m_LVClose->setGeometry(list);
    m_lblWeb->setGeometry(Geometry::kWeb.left(), list.bottom() + 1 + Geometry::kListToWebGap,
                          webWidth, webHeight);
    m_cmdExit->move(list.right() + 1 - m_cmdExit->width(), Geometry::kButtonTop);
    m_picDoor->move(Geometry::kDoor + QPoint(0, down + captionExtra));
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
