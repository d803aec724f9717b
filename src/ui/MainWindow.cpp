#include "ui/MainWindow.h"

#include "core/Engine.h"
#include "types/Clock.h"
#include "ui/CommandBar.h"
#include "ui/DoorPicture.h"
#include "ui/EngineTimers.h"
#include "ui/HistoryWindow.h"
#include "ui/Hourglass.h"
#include "ui/Lan.h"
#include "ui/LinkLabel.h"
#include "ui/MainMenus.h"
#include "ui/NotificationSender.h"
#include "ui/ProgramIcons.h"
#include "ui/QuitFlow.h"
#include "ui/Skin.h"
#include "ui/StatusLine.h"
#include "ui/StatusTexts.h"
#include "ui/TaskEditor.h"
#include "ui/TaskFileCommands.h"
#include "ui/TaskListView.h"
#include "ui/TaskTableModel.h"
#include "ui/TrayIcon.h"
#include "ui/TutorialPages.h"
#include "ui/WarningNotice.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

namespace morvane {

namespace {
// The window's client area at the standard font, under the menu bar.
constexpr QSize kDesignedClient{912, 504};
} // namespace

MainWindow::MainWindow(Deps deps, QWidget* parent) : QMainWindow(parent), m_d(deps) {
    setObjectName(QStringLiteral("form1"));
    setWindowTitle(QStringLiteral("Morvane"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/morvane.svg")));
    m_tutorial = new TutorialPages(this);

    m_icons = new ProgramIcons(m_d.iconLookup);
    m_model = new TaskTableModel(m_d.engine.Tasks(), this);
    // The engine, not the window: the list view still asks while our base class deletes it.
    m_model->SetIdleReasonSource([&engine = m_d.engine] { return engine.IdleUnavailableReason(); });
    m_model->SetWordSources(
        [&engine = m_d.engine]() -> const LanguageTable& { return engine.Language(); },
        [&engine = m_d.engine] { return engine.IdleSeesAnyInput(); });
    m_model->SetWatchProblemSource(
        [&engine = m_d.engine](int row) { return engine.WatchProblem(row); });

    m_menus = new MainMenus(m_d.engine, *this);
    connect(m_menus, &MainMenus::commandRequested, this, &MainWindow::Run);
    BuildLayout();
    BuildExtras();
    Retranslate();

    m_timers = new EngineTimers(
        m_d.engine, [this] { RefreshLive(); }, this);
    QPointer<MainWindow> self(this);
    m_d.engine.AddMarkListener([self](Mark mark, bool checked) {
        if (self != nullptr) {
            self->m_menus->ShowMark(mark, checked);
            self->RefreshLive();
        }
    });
    m_menus->SyncMarks();
    m_d.engine.SetHost(this);
}

MainWindow::~MainWindow() {
    delete m_timers;
    m_d.engine.SetHost(nullptr);
    delete m_editor;
    m_editor = nullptr;
    delete m_icons;
}

void MainWindow::BuildLayout() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("form1Client"));
    setCentralWidget(client);

    m_commandBar = new CommandBar(client);
    connect(m_commandBar, &CommandBar::commandRequested, this, &MainWindow::Run);

    m_listCaption = new QLabel(client);
    m_listCaption->setObjectName(QStringLiteral("lblTask"));
    m_list = new TaskListView(*m_model, client);
    m_listCaption->setBuddy(m_list);
    connect(m_list, &TaskListView::deleteRequested, this, [this] { DeleteCommand(); });
    connect(m_list, &TaskListView::editRequested, this, [this] { EditCommand(); });
    // The picture covers the list: it goes once the list is where the keys act.
    connect(m_list, &TaskListView::focusEntered, this, [this] { HideDoor(); });

    m_tutorialLink = new LinkLabel(QStringLiteral("lblWeb"), tr("Morvane tutorial"), client);
    connect(m_tutorialLink, &LinkLabel::clicked, this, [this] {
        HideDoor();
        m_tutorial->Open(QStringLiteral("tutorial.html"));
    });
    m_statusLine = new StatusLine(client);

    // The how-to picture shares the caption's and the list's cells, over them until hidden.
    m_howTo = new DoorPicture(client);
    m_howTo->hide();
    auto* listArea = new QGridLayout;
    listArea->setSpacing(2);
    listArea->addWidget(m_listCaption, 0, 0);
    listArea->addWidget(m_list, 1, 0);
    listArea->addWidget(m_howTo, 0, 0, 2, 1);
    listArea->setRowStretch(1, 1);

    auto* underList = new QHBoxLayout;
    underList->setSpacing(16);
    underList->addWidget(m_tutorialLink);
    underList->addWidget(m_statusLine, 1);

    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(8, 8, 8, 4);
    column->setSpacing(6);
    column->addWidget(m_commandBar);
    column->addLayout(listArea, 1);
    column->addLayout(underList);
}

void MainWindow::BuildExtras() {
    m_warning = new WarningNotice(m_d.engine, this);
    connect(m_warning, &WarningNotice::appeared, this, [this](const QString& what) {
        if (m_d.engine.Prefs().soundWithWarning) {
            NotificationSender(m_d.notifications, m_tray->Icon())
                .Chime(m_warning->windowTitle(), what);
        }
    });
    m_tray = new TrayIcon(m_d.engine, this);
    connect(m_tray, &TrayIcon::showRequested, this, [this] { BringForward(); });
    connect(m_tray, &TrayIcon::addRequested, this, [this] { AddTaskCommand(); });
    connect(m_tray, &TrayIcon::exitRequested, this, [this] {
        // The exit question needs a window to stand on.
        showNormal();
        ExitCommand();
    });
    m_tray->ShowWhereAvailable();
    m_menus->SetTrayCheck([this] { return m_tray->IsAvailable(); });

    m_quit = new QuitFlow(m_d.engine, *this, *m_tray, [this] { UnloadEditor(); });
    connect(m_quit, &QuitFlow::ended, this, [this] {
        m_timers->StopAll();
        Q_EMIT programEnded();
    });

    m_model->SetTimeLeftSource(
        [&engine = m_d.engine](int row) { return StatusTexts::RowTimeLeft(engine, row); });
    // Rows change in bursts (a sample restarts every idle row): worded once after, not per row.
    auto* soon = new QTimer(this);
    soon->setSingleShot(true);
    connect(soon, &QTimer::timeout, this, [this] { RefreshLive(); });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(m_model, signal, soon, qOverload<>(&QTimer::start));
    }
    connect(m_model, &QAbstractItemModel::modelReset, soon, qOverload<>(&QTimer::start));
    connect(m_model, &QAbstractItemModel::dataChanged, soon, qOverload<>(&QTimer::start));
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
        // The new row is the one a keyboard user goes on with.
        connect(m_editor, &TaskEditor::taskAdded, this, [this](int row) {
            HideDoor();
            m_list->FocusRow(row);
        });
        connect(m_editor, &TaskEditor::tutorialRequested, this,
                [this](const QString& page) { m_tutorial->Open(page); });
        if (m_captionsApplied) {
            m_editor->UpdateLan(m_d.engine.Language());
        }
        if (!m_d.engine.Running().Scanned().empty()) {
            m_editor->RefillProcessList();
        }
    }
    return m_editor;
}

void MainWindow::LoadSequence() {
    m_d.engine.ResetIdle();
    m_d.engine.ChooseStartupLanguage();
    m_d.engine.ClearStartupMarks();
    m_howTo->show();
    m_howTo->raise();
    // The captions are applied before the window first shows, so they appear in one piece.
    UpdateLan();
    // The designed size, or what the captions need beyond it.
    resize(sizeHint().expandedTo(kDesignedClient + QSize(0, menuBar()->sizeHint().height())));
    show();
    m_timers->StartPointer();
    // The rest waits for the event loop, so the window paints first: the editor stays hidden
    // until asked for, and building it keeps it off the way to the first paint.
    QTimer::singleShot(0, this, [this] { FinishLoading(); });
}

void MainWindow::FinishLoading() {
    if (HasEnded()) {
        return;
    }
    Editor();
    m_d.engine.LoadSettingsAndTasks();
    m_menus->SyncMarks();
    m_started = true;
}

void MainWindow::SetWindowPicker(platform::WindowPicker* picker) {
    m_picker = picker;
    if (m_editor != nullptr) {
        m_editor->SetWindowPicker(picker);
    }
}

void MainWindow::SetTutorialBase(const QUrl& base) {
    m_tutorial->SetBase(base);
    m_tutorialLink->SetCaption(m_tutorial->LinkCaption());
}

QUrl MainWindow::TutorialUrl(const QString& page) const {
    return m_tutorial->Url(page);
}

void MainWindow::SetUrlOpener(std::function<void(const QUrl&)> opener) {
    m_tutorial->SetOpener([opener = std::move(opener)](const QUrl& url) {
        opener(url);
        return true;
    });
}

void MainWindow::SetCheckedUrlOpener(std::function<bool(const QUrl&)> opener) {
    m_tutorial->SetOpener(std::move(opener));
}

void MainWindow::Run(MainCommand command) {
    switch (command) {
    case MainCommand::AddTask:
        return AddTaskCommand();
    case MainCommand::EditTask:
        return EditCommand();
    case MainCommand::DeleteTask:
        return DeleteCommand();
    case MainCommand::RemoveAll:
        return RemoveAllCommand();
    case MainCommand::SaveTasks:
        return SaveTasksCommand();
    case MainCommand::LoadTasks:
        return LoadTasksCommand();
    case MainCommand::Setting:
        return SettingCommand();
    case MainCommand::History:
        return HistoryCommand();
    case MainCommand::Help:
        return HelpCommand();
    case MainCommand::About:
        return AboutCommand();
    case MainCommand::Exit:
        return ExitCommand();
    }
}

void MainWindow::AddTaskCommand() {
    HideDoor();
    Editor()->ShowEditor();
    Hourglass wait;
    m_d.engine.Refresh();
}

void MainWindow::EditCommand() {
    HideDoor();
    const int row = m_list->SelectedRow();
    if (row == 0) {
        return;
    }
    Editor()->EditTask(row);
    Hourglass wait;
    m_d.engine.Refresh();
}

void MainWindow::DeleteCommand() {
    HideDoor();
    if (const int row = m_list->SelectedRow(); row > 0) {
        m_d.engine.DeleteTask(row);
    }
}

void MainWindow::RemoveAllCommand() {
    HideDoor();
    m_d.engine.ClearTasks();
}

void MainWindow::SaveTasksCommand() {
    HideDoor();
    TaskFileCommands::Save(m_d.engine, Editor()->Dialogs(), this);
}

void MainWindow::LoadTasksCommand() {
    HideDoor();
    TaskFileCommands::Load(m_d.engine, Editor()->Dialogs(), this);
}

void MainWindow::SettingCommand() {
    HideDoor();
    m_menus->SettingMenu()->popup(m_commandBar->SettingMenuPlace());
}

void MainWindow::HelpCommand() {
    HideDoor();
    m_tutorial->Open(QStringLiteral("tutorial.html"));
}

void MainWindow::AboutCommand() {
    const int year = m_d.engine.ClockSource().Now().year;
    QMessageBox box(QMessageBox::Information,
                    Lan(m_d.engine.Language(), LanText::About).remove(u'&'),
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

void MainWindow::HistoryCommand() {
    HideDoor();
    if (m_history == nullptr) {
        m_history = new HistoryWindow(m_d.engine, this);
    }
    m_history->Refresh();
    m_history->show();
    m_history->raise();
    m_history->activateWindow();
}

bool MainWindow::AskExitQuestion() {
    return m_quit->AskExitQuestion();
}

KeepAnswer MainWindow::AskToKeepTasks() {
    return m_quit->AskToKeepTasks();
}

void MainWindow::HideDoor() {
    m_howTo->hide();
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
    m_quit->CloseMainWindow();
}

void MainWindow::EndProgram() {
    m_quit->EndProgram();
}

bool MainWindow::HasEnded() const {
    return m_quit->HasEnded();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_quit->OnClose(*event);
}

void MainWindow::UpdateLan() {
    // The texts through tr() follow the same language as the language file's.
    m_translator.Follow(m_d.engine.Marks());
    m_tutorial->SetLanguage(LanguageCode(m_d.engine.Marks()));
    Retranslate();
    m_commandBar->UpdateLan(m_d.engine.Language());
    m_menus->UpdateLan();
    m_captionsApplied = true;
    if (m_editor != nullptr) {
        m_editor->UpdateLan(m_d.engine.Language());
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

void MainWindow::WarningChanged() {
    RefreshLive();
    m_warning->Refresh();
}

void MainWindow::Notify(const Notice& notice) {
    NotificationSender(m_d.notifications, m_tray->Icon()).Send(notice, m_d.engine.Language());
}

void MainWindow::AlertsChanged() {
    RefreshLive();
}

void MainWindow::HistoryChanged() {
    if (m_history != nullptr) {
        m_history->Refresh();
    }
}

void MainWindow::SetTrayAvailability(std::function<bool()> available) {
    m_tray->SetAvailability(std::move(available));
    m_menus->SetTrayCheck([this] { return m_tray->IsAvailable(); });
}

void MainWindow::Retranslate() {
    // The texts the language file does not carry; UpdateLan then puts the file's own on top.
    m_commandBar->Retranslate();
    m_menus->Retranslate();
    m_listCaption->setText(tr("Task List"));
    m_list->setAccessibleName(tr("Task List"));
    m_list->setAccessibleDescription(tr("The scheduled tasks. Delete removes the selected task."));
    // The picture's own words, for those who cannot see it.
    m_howTo->setAccessibleName(tr("How to use Morvane"));
    m_howTo->setAccessibleDescription(
        tr("Four steps to your first task. 1: click the Add a Task button to open the Add a "
           "Task window. 2: select a running program from the list, or drag the picker icon "
           "onto a running program's window. 3: set the close time: after an interval, at a "
           "date and time, or when the mouse rests. 4: click the Add button to add the task to "
           "the task list."));
    m_tutorialLink->SetCaption(m_tutorial->LinkCaption());
    m_model->Retranslate();
    m_tray->Retranslate();
    m_warning->Retranslate();
    if (m_history != nullptr) {
        m_history->Retranslate();
    }
    m_statusLine->clear(); // worded again below in the new language
    RefreshLive();
}

void MainWindow::RefreshLive() {
    if (m_timers == nullptr) {
        return; // still being built
    }
    // A watch's problem comes and goes while the list stays as it is.
    m_model->RefreshWatchProblems();
    // What the user must know about Morvane's own files comes first.
    QStringList parts;
    for (const Alert& alert : m_d.engine.CurrentAlerts()) {
        parts << StatusTexts::AlertText(alert);
    }
    parts << StatusTexts::NextDue(m_d.engine) << StatusTexts::Armed(m_d.engine);
    parts.removeAll(QString());
    m_statusLine->Show(parts);
    m_tray->Refresh(parts);
    if (m_d.engine.PendingWarning() || m_warning->isVisible()) {
        m_warning->Refresh();
    }
}

void MainWindow::BringForward() {
    // Unminimised without leaving a maximised or full-screen state.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

} // namespace morvane
