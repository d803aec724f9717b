#include "ui/TaskEditor.h"

#include "core/Engine.h"
#include "core/editor/ProgramTargets.h"
#include "types/Clock.h"
#include "ui/Lan.h"
#include "ui/ProcessListView.h"
#include "ui/ProgramIcons.h"
#include "ui/ShownText.h"
#include "ui/TaskEditorForm.h"
#include "ui/TaskTableModel.h"
#include "ui/UiText.h"
#include "ui/WindowPickDrag.h"

#include <QCloseEvent>
#include <QDir>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>

namespace morvane {

TaskEditor::TaskEditor(Deps deps, QWidget* parent) : QDialog(parent), m_d(deps) {
    setObjectName(QStringLiteral("frmMouseSelect"));
    // Fixed size: a close box, no minimise or maximise buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_form = new TaskEditorForm(m_d.engine.ClockSource().Now(), this);
    layout->addWidget(m_form);

    ShowMachineState();
    FollowGentleDefault();
    m_imgEmptyIcon = QIcon(QStringLiteral(":/icons/empty.svg"));
    m_drag = new WindowPickDrag({m_d.engine, m_d.icons, *m_form}, this);

    connect(m_drag, &WindowPickDrag::dropped, this,
            [this](const QString& program) { OnDropped(program); });
    connect(m_form, &TaskEditorForm::tutorialClicked, this,
            [this] { Q_EMIT tutorialRequested(QStringLiteral("tutorial.html#select")); });
    connect(m_form, &TaskEditorForm::targetUseChanged, this, [this] { OnTargetUseChanged(); });
    connect(m_form, &TaskEditorForm::programChosen, this,
            [this](const QString& program, const QString& path, const QIcon& icon) {
                OnProgramChosen(program, path, icon);
            });
    connect(m_form, &TaskEditorForm::refreshClicked, this, [this] { m_d.engine.Refresh(); });
    connect(m_form, &TaskEditorForm::closeNowClicked, this, [this] { OnCloseProgramNow(); });
    connect(m_form, &TaskEditorForm::browseClicked, this, [this] { OnBrowse(); });
    connect(m_form, &TaskEditorForm::addClicked, this, [this] { AddTask(); });
    // Time to put the pointer over the window to pick, without dragging.
    m_pickLater = new QTimer(this);
    m_pickLater->setObjectName(QStringLiteral("TimerPickLater"));
    m_pickLater->setSingleShot(true);
    m_pickLater->setInterval(3000);
    connect(m_pickLater, &QTimer::timeout, this, [this] { OnPickLater(); });
    // The seconds left are shown: without them the wait looks like nothing happened.
    m_pickCountdown = new QTimer(this);
    m_pickCountdown->setInterval(1000);
    connect(m_pickCountdown, &QTimer::timeout, this, [this] {
        m_form->ShowPickCountdown(--m_pickSecondsLeft);
        if (m_pickSecondsLeft <= 0) {
            m_pickCountdown->stop();
        }
    });
    connect(m_form, &TaskEditorForm::pickLaterClicked, this, [this] {
        m_pickLater->start();
        m_pickSecondsLeft = m_pickLater->interval() / 1000;
        m_form->ShowPickCountdown(m_pickSecondsLeft);
        m_pickCountdown->start();
    });
    connect(m_form, &TaskEditorForm::cancelClicked, this, [this] { CancelEditor(); });
}

TaskEditor::~TaskEditor() {
    // The drag watches the form's widgets: it goes first, so no event that the dialog's own
    // end still sends can reach it once the form is half gone.
    delete m_drag;
}

void TaskEditor::SetWindowPicker(platform::WindowPicker* picker) {
    m_drag->SetWindowPicker(picker);
}

bool TaskEditor::IsDragging() const {
    return m_drag->IsDragging();
}

const EditorTarget& TaskEditor::CurrentTarget() const {
    return m_form->CurrentTarget();
}

void TaskEditor::FitToFont() {
    m_form->FitToFont();
}

void TaskEditor::ShowMachineState() {
    m_form->SetIdleState(UiText::Reason(m_d.engine.IdleUnavailableReason()),
                         m_d.engine.IdleSeesAnyInput());
    m_form->SetHibernateReason(UiText::Reason(m_d.engine.HibernateUnavailableReason()));
}

void TaskEditor::UpdateLan(const LanguageTable& lan) {
    m_form->UpdateLan(lan);
    m_form->FitToFont(); // another language's words may need more room
    ShowMachineState();
    m_drag->UpdateHandle();
}

void TaskEditor::OnPickLater() {
    StopPickCountdown();
    if (!isVisible()) {
        return;
    }
    if (!m_drag->PickUnderPointer()) {
        Inform(tr("Pick a Window"),
               tr("No window of another program was under the pointer. Point at the program's "
                  "window within three seconds of pressing the button."));
    }
}

void TaskEditor::ShowEditor() {
    ShowMachineState();
    FollowGentleDefault();
    show();
    if (!IsDragging()) {
        FitToFont();
    }
    raise();
    activateWindow();
}

void TaskEditor::FollowGentleDefault() {
    // Between changes of the setting the box keeps the user's last choice, as every field does.
    const bool gently = m_d.engine.Prefs().closeGently;
    if (m_editId == 0 && gently != m_gentleDefault) {
        m_gentleDefault = gently;
        m_form->SetCloseGently(gently);
    }
}

void TaskEditor::RefillProcessList() {
    const auto& programs = m_d.engine.Running().Programs();
    QList<ProcessListView::Row> rows;
    rows.reserve(static_cast<qsizetype>(programs.size()));
    std::vector<std::string> names;
    names.reserve(programs.size());
    for (const RunningPrograms::Program& p : programs) {
        const QString path = QString::fromStdString(p.path);
        rows.push_back({m_d.icons.IconFor(path), QString::fromStdString(p.name), path});
        names.push_back(p.name);
    }
    m_form->SetPrograms(rows);
    // A target chosen before the rescan stays selected while its program runs.
    SelectProgramRow(names, CurrentTarget().program);
}

void TaskEditor::Unload() {
    m_unloaded = true;
    ResetPointerState();
    if (isVisible()) {
        hide();
    }
    close();
}

void TaskEditor::Inform(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, this);
    box.exec();
}

bool TaskEditor::Confirm(const QString& title, const QString& text) {
    QMessageBox question(QMessageBox::Information, title, text,
                         QMessageBox::Ok | QMessageBox::Cancel, this);
    return question.exec() == QMessageBox::Ok;
}

void TaskEditor::AddTask() {
    TaskBuilder::Input in = m_form->ReadInput();
    const LanguageTable& lan = m_d.engine.Language();
    switch (TaskBuilder::Check(in)) {
    case TaskBuilder::Refusal::None:
        break;
    case TaskBuilder::Refusal::NoTarget:
        Inform(Lan(lan, LanText::NoProgramTitle), Lan(lan, LanText::NoProgramText));
        return;
    case TaskBuilder::Refusal::EmptyCommandLine:
        Inform(tr("Empty"), tr("The command line cannot be empty."));
        return;
    case TaskBuilder::Refusal::UnstorableCommandLine:
        Inform(QStringLiteral("Morvane"),
               tr("The command line cannot contain a tab or a line break: a task keeps its "
                  "texts separated by tabs. Please remove them."));
        return;
    case TaskBuilder::Refusal::DateDoesNotExist:
        Inform(QStringLiteral("Morvane"),
               tr("The date %1 does not exist. Please choose a day the month has.")
                   .arg(QString::fromStdString(TaskBuilder::FixedDateText(in)).left(10)));
        return;
    case TaskBuilder::Refusal::NoWatchedProgram:
        Inform(QStringLiteral("Morvane"),
               tr("Choose the program to wait for: pick its window or choose it in the list."));
        return;
    }
    if (TaskBuilder::AsksAboutZeroCountdown(in) &&
        !Confirm(Lan(lan, LanText::ZeroIntervalTitle),
                 Lan(lan, LanText::ZeroIntervalText) + QLatin1Char('\n') +
                     Lan(lan, LanText::ZeroIntervalQuestion))) {
        return;
    }
    // A program that has already gone would never be seen to exit.
    if (const Result watched = m_d.engine.CheckWatched(in); !watched.Ok()) {
        Inform(QStringLiteral("Morvane"), tr("%1. Choose a running program to wait for.")
                                              .arg(QString::fromStdString(watched.Message())));
        return;
    }
    // Date lists keep the values of their first use: a time chosen hours ago would fire now.
    if (TaskBuilder::AsksAboutPastTime(in, m_d.engine.ClockSource().Now()) &&
        !Confirm(tr("Time Already Passed"),
                 tr("The chosen time, %1, is not in the future, so the task will run as soon "
                    "as it is added.\nAdd it anyway?")
                     .arg(QString::fromStdString(TaskBuilder::FixedDateText(in))))) {
        return;
    }
    // The action of an Empty task waits for the list to empty, which a repeating task prevents.
    if (m_d.engine.EmptyWaitsBehindRepeating(in, EditedRow()) &&
        !Confirm(tr("Waits Behind a Repeating Task"),
                 tr("This task's action waits until every other task has finished, but a task "
                    "in the list repeats and never finishes, so the action will not happen while "
                    "that task stays.\nAdd it anyway?"))) {
        return;
    }
    // A program that is not there now is most often a typing mistake, found only when due.
    if (in.autoType != 0) {
        if (const Result found = m_d.engine.CheckProgram(in.commandLine); !found.Ok()) {
            if (!Confirm(tr("Program Not Found"),
                         tr("The program of this command line cannot be found (%1).\nAdd it "
                            "anyway?")
                             .arg(QString::fromStdString(found.Message())))) {
                return;
            }
        }
    }

    ResetPointerState();
    if (m_editId != 0) {
        // Found by its id: rows may have moved meanwhile, and a one-off task that ran is gone.
        const int edited = EditedRow();
        if (edited == 0 || !m_d.engine.ReplaceTask(edited, in)) {
            Inform(QStringLiteral("Morvane"),
                   tr("The task was run or removed while it was being edited, so it was not "
                      "saved."));
            return;
        }
        if (in.autoType == 0 && !m_form->TargetIcon().isNull()) {
            m_d.taskIcons.SetRowIcon(edited, m_form->TargetIcon());
        } else if (in.autoType != 0) {
            m_d.taskIcons.SetRowIcon(edited, ProgramIcons::Generic());
        }
        m_selected = true;
        CloseFromProgram();
        return;
    }
    const int row = m_d.engine.AddTask(in);
    m_d.taskIcons.SetRowIcon(row,
                             in.autoType == 0 ? m_form->TargetIcon() : ProgramIcons::Generic());
    m_form->SetEmptyTask(false);
    m_selected = true;
    CloseFromProgram();
    Q_EMIT taskAdded(row);
}

void TaskEditor::EditTask(int row) {
    if (!m_d.engine.Tasks().IsValidRow(row)) {
        return;
    }
    if (m_editId == 0) {
        m_addTitle = windowTitle();
    }
    m_editId = m_d.engine.Tasks().IdOf(row);
    ResetPointerState();
    m_form->FillInput(m_d.engine.InputOf(row));
    const QVariant icon = m_d.taskIcons.index(row - 1, 0).data(Qt::DecorationRole);
    m_form->SetTargetIcon(m_form->HasNoTarget() ? m_imgEmptyIcon : icon.value<QIcon>());
    m_form->SetTargetDetail(ShownText(CurrentTarget().path));
    setWindowTitle(tr("Edit a Task"));
    m_form->SetAddCaption(tr("Save"));
    ShowEditor();
}

int TaskEditor::EditedRow() const {
    return m_editId == 0 ? 0 : m_d.engine.Tasks().RowOf(m_editId);
}

void TaskEditor::LeaveEditMode() {
    if (m_editId == 0) {
        return;
    }
    m_editId = 0;
    setWindowTitle(m_addTitle);
    m_form->SetAddCaption(Lan(m_d.engine.Language(), LanText::AddButton));
}

void TaskEditor::CancelEditor() {
    ResetPointerState();
    m_selected = true;
    CloseFromProgram();
}

void TaskEditor::reject() {
    // Esc is Cancel; the dialog is never destroyed by it.
    CancelEditor();
}

void TaskEditor::CloseFromProgram() {
    m_closingFromProgram = true;
    close();
    m_closingFromProgram = false;
}

void TaskEditor::ResetPointerState() {
    m_pickLater->stop();
    StopPickCountdown();
    m_drag->Reset();
}

void TaskEditor::StopPickCountdown() {
    m_pickCountdown->stop();
    m_pickSecondsLeft = 0;
    m_form->ShowPickCountdown(0);
}

void TaskEditor::OnDropped(const QString& program) {
    // The dropped-on program's row is selected, if it has one; the rescan then keeps it.
    const QStringList programs = m_form->ListedPrograms();
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(programs.size()));
    for (const QString& p : programs) {
        names.push_back(p.toStdString());
    }
    SelectProgramRow(names, program);
    raise();
    activateWindow();
    m_d.engine.Refresh();
}

void TaskEditor::SelectProgramRow(const std::vector<std::string>& programs,
                                  const QString& program) {
    const int row = ProgramTargets::RowNamed(programs, program.toStdString());
    if (row >= 0) {
        m_form->SelectProgramRow(row);
    }
}

void TaskEditor::closeEvent(QCloseEvent* event) {
    if (!m_closingFromProgram) {
        m_selected = false;
    }
    if (!isVisible() || m_unloaded) {
        event->accept();
        return;
    }
    // Hidden, never destroyed: the fields keep their values for the next task.
    event->ignore();
    hide();
    LeaveEditMode();
    if (m_selected) {
        m_selected = false;
        Q_EMIT returnedToMainWindow(false);
    } else {
        ResetPointerState();
        Q_EMIT returnedToMainWindow(true);
    }
}

void TaskEditor::OnTargetUseChanged() {
    const bool none = m_form->HasNoTarget();
    if (none) {
        // The box was ticked from the keyboard mid-drag: an Empty task has no target to pick.
        m_drag->Cancel();
    }
    m_drag->UpdateHandle();
    if (none) {
        PickTargetView::ReadOut cleared = m_form->ShownReadOut();
        cleared.target = {};
        cleared.detail.clear();
        m_form->ShowReadOut(cleared);
        m_form->SetTargetIcon(m_imgEmptyIcon);
        return;
    }
    if (m_form->TargetIcon().cacheKey() == m_imgEmptyIcon.cacheKey()) {
        m_form->SetTargetIcon(QIcon());
    }
    // A program chosen in the list to wait for names no process; one to close needs one.
    const EditorTarget& target = CurrentTarget();
    if (!m_form->WatchesTarget() && target.id.isEmpty() && !target.program.isEmpty()) {
        if (const auto id = ProgramTargets::FirstProcessId(m_d.engine.Running(),
                                                           target.program.toStdString())) {
            PickTargetView::ReadOut shown = m_form->ShownReadOut();
            shown.target.id = QString::fromStdString(*id);
            m_form->ShowReadOut(shown);
        }
    }
}

void TaskEditor::OnProgramChosen(const QString& program, const QString& path, const QIcon& icon) {
    // A row of the list is a program, not one of its processes: a task that waits for it waits
    // for every one. A picked window names its own process.
    const auto id = m_form->WatchesTarget() ? std::nullopt
                                            : ProgramTargets::FirstProcessId(m_d.engine.Running(),
                                                                             program.toStdString());
    m_form->ShowReadOut({{program, id ? QString::fromStdString(*id) : QString(), path},
                         Lan(m_d.engine.Language(), LanText::ProgramPath),
                         ShownText(path),
                         true});
    m_form->SetTargetIcon(icon);
}

void TaskEditor::OnCloseProgramNow() {
    const LanguageTable& lan = m_d.engine.Language();
    QMessageBox question(QMessageBox::Question, Lan(lan, LanText::CloseNowTitle),
                         Lan(lan, LanText::CloseNowQuestion), QMessageBox::Ok | QMessageBox::Cancel,
                         this);
    if (question.exec() != QMessageBox::Ok) {
        return;
    }
    if (const QString program = m_form->SelectedProgram(); !program.isEmpty()) {
        m_d.engine.CloseProgramNow(program.toStdString());
    }
    m_d.engine.Refresh();
}

void TaskEditor::OnBrowse() {
    // Programs here have no extension; the classic filter stays second for Windows programs.
    m_dialogs.Filter = tr("Programs") + QStringLiteral("|*|*.exe, *.EXE|*.exe");
    if (m_dialogs.ShowOpen(this) && !m_dialogs.FileName.isEmpty()) {
        // The dialog answers with '/' everywhere; the host's own separators are what its launcher
        // reads. Quoted the launcher's way where needed, so that a path with blanks or quotes
        // runs as one program.
        const QString path = QDir::toNativeSeparators(m_dialogs.FileName);
        m_form->SetCommandLine(
            QString::fromStdString(m_d.engine.QuotedProgram(path.toStdString())));
    }
}

} // namespace morvane
