#include "ui/TaskEditorForm.h"

#include "types/DateTime.h"
#include "ui/Lan.h"
#include "ui/NamedWidgets.h"
#include "ui/ScheduleFields.h"
#include "ui/StatusTexts.h"
#include "ui/TargetSection.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <optional>

namespace morvane {

namespace {

// During a drag the editor ends this far below the top of the list's caption (400 twips), so
// the list is out of sight.
constexpr int kShortTail = 27;

// A nested layout keeps its sizes until it is told they changed.
void InvalidateAll(QLayout* layout) {
    layout->invalidate();
    for (int i = 0; i < layout->count(); ++i) {
        if (QLayout* inner = layout->itemAt(i)->layout()) {
            InvalidateAll(inner);
        }
    }
}

} // namespace

TaskEditorForm::TaskEditorForm(const DateTime& now, QWidget* parent) : QWidget(parent) {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 12, 16, 12);
    root->setSpacing(6);
    m_target = std::make_unique<TargetSection>(
        root, this,
        TargetSection::Actions{
            [this] { Q_EMIT pickLaterClicked(); }, [this] { Q_EMIT tutorialClicked(); },
            [this] { Q_EMIT refreshClicked(); }, [this] { Q_EMIT closeNowClicked(); },
            [this](const QString& program, const QString& path, const QIcon& icon) {
                Q_EMIT programChosen(program, path, icon);
            }});
    BuildTaskKind(root);
    m_schedule = std::make_unique<ScheduleFields>(root, this, now);
    BuildAfterAndButtons(root);
    m_schedule->SetWatchListener([this] { OnWatchChanged(); });

    connect(m_chkOnly, &QCheckBox::toggled, this, [this](bool on) { OnEmptyTaskToggled(on); });
    connect(m_cmbAutoType, &QComboBox::currentIndexChanged, this, [this] { OnAutoTypeChanged(); });
    connect(m_cmbAutoType, &QComboBox::activated, this, [this] { OnAutoTypeChanged(); });
    connect(m_cmdCmd, &QPushButton::clicked, this, [this] { Q_EMIT browseClicked(); });
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { Q_EMIT addClicked(); });
    connect(m_cmdCancel, &QPushButton::clicked, this, [this] { Q_EMIT cancelClicked(); });

    FillLists();
    Retranslate();
    FitToFont();
}

TaskEditorForm::~TaskEditorForm() = default;

void TaskEditorForm::FitToFont() {
    // The designed size at the standard font in English; a larger font or longer words get
    // the room their texts need.
    m_fullSize = kSize;
    // The lists' designed widths are too narrow for their items at a larger font or in
    // another language.
    for (QComboBox* list : findChildren<QComboBox*>()) {
        list->setMinimumWidth(std::max(list->minimumWidth(), list->minimumSizeHint().width()));
    }
    layout()->activate();
    m_fullSize = kSize.expandedTo(layout()->totalMinimumSize());
    // The wrapped caption above the list needs its height at the width it gets.
    if (layout()->hasHeightForWidth()) {
        m_fullSize.setHeight(
            std::max(m_fullSize.height(), layout()->totalHeightForWidth(m_fullSize.width())));
    }
    // Still on the screen, whatever the font: the list of programs gives up its room first.
    const QScreen* screen = window()->screen();
    const int frame = window()->isVisible()
                          ? window()->frameGeometry().height() - window()->geometry().height()
                          : 0;
    const int room = screen != nullptr ? screen->availableGeometry().height() - frame : 0;
    if (room > 0 && m_fullSize.height() > room) {
        m_fullSize.setHeight(std::max(room, HeightWithShortList(m_fullSize.width())));
    }
    window()->setFixedSize(m_fullSize);
}

int TaskEditorForm::HeightWithShortList(int width) {
    if (!layout()->hasHeightForWidth()) {
        return layout()->totalMinimumSize().height(); // the list at its smallest already
    }
    QWidget& list = m_target->ProgramList();
    const int tallest = list.maximumHeight();
    list.setMaximumHeight(list.minimumSizeHint().height());
    InvalidateAll(layout());
    const int height = layout()->totalHeightForWidth(width);
    list.setMaximumHeight(tallest);
    InvalidateAll(layout());
    return height;
}

void TaskEditorForm::BuildTaskKind(QVBoxLayout* root) {
    m_chkOnly = new QCheckBox(
        QStringLiteral("Empty Task (For Shutdown/Reboot etc. without closing any program)"), this);
    m_chkOnly->setObjectName(QStringLiteral("chkOnly"));
    root->addWidget(m_chkOnly);

    auto* kind = new QGridLayout;
    kind->setHorizontalSpacing(8);
    m_lblAutoType = NewLabel(QStringLiteral("lblAutoType"), QString(), this);
    kind->addWidget(m_lblAutoType, 0, 0);
    m_cmbAutoType = NewList(QStringLiteral("cmbAutoType"), this, 0);
    m_cmbAutoType->addItems({QString(), QString()});
    m_lblAutoType->setBuddy(m_cmbAutoType);
    kind->addWidget(m_cmbAutoType, 0, 1, 1, 2);
    m_lblCmd = NewLabel(QStringLiteral("lblCmd"), QString(), this);
    kind->addWidget(m_lblCmd, 1, 0);
    m_txtCmd = new QLineEdit(this);
    m_txtCmd->setObjectName(QStringLiteral("txtCmd"));
    m_lblCmd->setBuddy(m_txtCmd);
    kind->addWidget(m_txtCmd, 1, 1);
    m_cmdCmd = new QPushButton(this);
    m_cmdCmd->setObjectName(QStringLiteral("cmdCmd"));
    m_cmdCmd->setAutoDefault(false);
    kind->addWidget(m_cmdCmd, 1, 2);
    auto* gentle = new QHBoxLayout;
    m_chkGentle = new QCheckBox(this);
    m_chkGentle->setObjectName(QStringLiteral("chkGentle"));
    gentle->addWidget(m_chkGentle);
    m_spinGrace = new QSpinBox(this);
    m_spinGrace->setObjectName(QStringLiteral("spinGrace"));
    m_spinGrace->setRange(kMinGraceSeconds, kMaxGraceSeconds);
    m_spinGrace->setValue(kDefaultGraceSeconds);
    gentle->addWidget(m_spinGrace);
    gentle->addStretch(1);
    kind->addLayout(gentle, 2, 1, 1, 2);
    kind->setColumnStretch(1, 1);
    root->addLayout(kind);
    connect(m_chkGentle, &QCheckBox::toggled, this, [this] { UpdateGentleFields(); });
}

void TaskEditorForm::BuildAfterAndButtons(QVBoxLayout* root) {
    // What happens afterwards.
    auto* after = new QHBoxLayout;
    after->setSpacing(8);
    m_lblLoop = NewLabel(QStringLiteral("lblLoop"), QString(), this);
    after->addWidget(m_lblLoop);
    m_cmbLoop = NewList(QStringLiteral("cmbLoop"), this, 120);
    m_lblLoop->setBuddy(m_cmbLoop);
    after->addWidget(m_cmbLoop);
    after->addSpacing(14);
    m_label8 = NewLabel(QStringLiteral("Label8"), QStringLiteral("After the Task Finished:"), this);
    after->addWidget(m_label8);
    m_cmbAfter = NewList(QStringLiteral("cmbAfter"), this, 170);
    m_label8->setBuddy(m_cmbAfter);
    after->addWidget(m_cmbAfter);
    after->addSpacing(14);
    m_chkQuit = new QCheckBox(QStringLiteral("Quit Morvane"), this);
    m_chkQuit->setObjectName(QStringLiteral("chkQuit"));
    after->addWidget(m_chkQuit);
    after->addStretch(1);
    root->addSpacing(2);
    root->addLayout(after);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cmdOK = new QPushButton(QStringLiteral("Add"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdOK->setAutoDefault(true);
    m_cmdOK->setMinimumSize(104, 30);
    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setAutoDefault(false);
    m_cmdCancel->setMinimumSize(104, 30);
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    root->addSpacing(4);
    root->addLayout(buttons);
}

void TaskEditorForm::FillLists() {
    for (std::size_t i = 0; i < texts::kLoops.size(); ++i) {
        m_cmbLoop->addItem(QString()); // named by Retranslate; Add reads the position
    }
    m_cmbAfter->addItems({QStringLiteral("Do Nothing"), QStringLiteral("Shut Down the PC"),
                          QStringLiteral("Reboot"), QStringLiteral("Log Off"),
                          QStringLiteral("Hibernate"), QStringLiteral("Turn Off the Monitor"),
                          QStringLiteral("Suspend (Sleep)"), QStringLiteral("Lock the Screen")});
    m_cmbLoop->setCurrentIndex(0);
    m_cmbAfter->setCurrentIndex(0);
    m_cmbAutoType->setCurrentIndex(0);
    OnAutoTypeChanged();
}

void TaskEditorForm::Retranslate() {
    // The texts the language file does not carry.
    window()->setWindowTitle(tr("Add a Task"));
    m_target->Retranslate();
    m_lblAutoType->setText(tr("Auto Type:"));
    m_cmbAutoType->setItemText(0, tr("Auto Close Task - Close a program at a specific time"));
    m_cmbAutoType->setItemText(1, tr("Auto Run Task - Run a Program at a specific time"));
    m_lblCmd->setText(tr("Command line:"));
    m_cmdCmd->setText(tr("Select a Program"));
    m_chkGentle->setText(tr("Close gently, force after"));
    m_chkGentle->setToolTip(tr("Ask the program to close first, as its close button would, and "
                               "end it by force only if it still runs after these seconds."));
    m_spinGrace->setSuffix(tr(" s"));
    m_spinGrace->setAccessibleName(tr("Seconds before the program is forced to close"));
    m_lblLoop->setText(tr("Loop:"));
    const char* const loops[] = {QT_TR_NOOP("None"), QT_TR_NOOP("Every Month"),
                                 QT_TR_NOOP("Every Day"), QT_TR_NOOP("Every Hour"),
                                 QT_TR_NOOP("Every Minute")};
    static_assert(std::size(loops) == texts::kLoops.size());
    for (int i = 0; i < m_cmbLoop->count(); ++i) {
        m_cmbLoop->setItemText(i, tr(loops[i]));
    }
    m_schedule->Retranslate();
}

void TaskEditorForm::UpdateLan(const LanguageTable& lan) {
    Retranslate();
    m_target->UpdateLan(lan);
    m_chkOnly->setText(Lan(lan, LanText::EmptyTask));
    m_schedule->UpdateLan(lan);
    m_label8->setText(Lan(lan, LanText::AfterTaskFinished));
    m_chkQuit->setText(Lan(lan, LanText::QuitProgram));
    m_cmdOK->setText(Lan(lan, LanText::AddButton));
    m_cmdCancel->setText(Lan(lan, LanText::CancelButton));
    // "Do Nothing", then each power action at its PowerIndex.
    m_cmbAfter->setItemText(0, Lan(lan, LanText::DoNothing));
    for (int i = 1; i < m_cmbAfter->count(); ++i) {
        m_cmbAfter->setItemText(i, StatusTexts::ActionCaption(lan, PowerAtIndex(i)));
    }
    FitToFont();
}

TaskBuilder::Input TaskEditorForm::ReadInput() const {
    TaskBuilder::Input in;
    in.autoType = m_cmbAutoType->currentIndex();
    in.emptyTask = m_chkOnly->isChecked();
    const EditorTarget& target = m_target->Target();
    in.targetName = target.program.toStdString();
    in.processId = target.id.toStdString();
    in.targetPath = target.path.toStdString();
    in.commandLine = m_txtCmd->text().toStdString();
    in.gentle = m_chkGentle->isChecked();
    in.graceSeconds = m_spinGrace->value();
    m_schedule->Read(in);
    in.loop = std::string(texts::kLoops.at(static_cast<std::size_t>(m_cmbLoop->currentIndex())));
    in.quit = m_chkQuit->isChecked();
    in.afterIndex = m_cmbAfter->currentIndex();
    return in;
}

void TaskEditorForm::FillInput(const TaskBuilder::Input& in) {
    // The Empty box first: ticking it resets the kind and the target that follow.
    m_chkOnly->setChecked(in.emptyTask);
    m_cmbAutoType->setCurrentIndex(in.autoType == 0 ? 0 : 1);
    SetTarget({QString::fromStdString(in.targetName), QString::fromStdString(in.processId),
               QString::fromStdString(in.targetPath)});
    m_txtCmd->setText(QString::fromStdString(in.commandLine));
    m_chkGentle->setChecked(in.gentle);
    m_spinGrace->setValue(in.graceSeconds);
    m_schedule->Fill(in);
    if (WatchesTarget()) {
        SetTarget({QString::fromStdString(in.watchName), QString::fromStdString(in.watchId), {}});
    }
    if (const int i = m_cmbLoop->findText(QString::fromStdString(in.loop)); i >= 0) {
        m_cmbLoop->setCurrentIndex(i);
    }
    m_chkQuit->setChecked(in.quit);
    if (in.afterIndex >= 0 && in.afterIndex < m_cmbAfter->count()) {
        m_cmbAfter->setCurrentIndex(in.afterIndex);
    }
}

void TaskEditorForm::SetTarget(const EditorTarget& target) {
    m_target->SetTarget(target);
    ShowWatchedTarget();
}

const EditorTarget& TaskEditorForm::CurrentTarget() const {
    return m_target->Target();
}

void TaskEditorForm::SetTargetDetail(const QString& text) {
    ReadOut shown = m_target->ShownReadOut();
    shown.detail = text;
    m_target->ShowReadOut(shown);
}

void TaskEditorForm::SetHibernateReason(const QString& reason) {
    const int row = PowerIndex(PowerAction::Hibernate);
    auto* items = qobject_cast<QStandardItemModel*>(m_cmbAfter->model());
    if (items == nullptr || row >= items->rowCount()) {
        return;
    }
    QStandardItem* hibernate = items->item(row);
    hibernate->setEnabled(reason.isEmpty() || m_cmbAfter->currentIndex() == row);
    hibernate->setToolTip(reason);
}

void TaskEditorForm::SetIdleState(const QString& unavailableReason, bool anyInput) {
    m_schedule->SetIdleState(unavailableReason, anyInput);
}

void TaskEditorForm::SetEmptyTask(bool empty) {
    m_chkOnly->setChecked(empty);
}

void TaskEditorForm::SetCommandLine(const QString& commandLine) {
    m_txtCmd->setText(commandLine);
}

void TaskEditorForm::SetCloseGently(bool gently) {
    m_chkGentle->setChecked(gently);
}

void TaskEditorForm::SetAddCaption(const QString& caption) {
    m_cmdOK->setText(caption);
}

void TaskEditorForm::SetPrograms(const QList<ProcessListView::Row>& rows) {
    m_target->SetPrograms(rows);
    m_schedule->SetPrograms(m_target->Programs());
}

QStringList TaskEditorForm::ListedPrograms() const {
    return m_target->Programs();
}

QString TaskEditorForm::SelectedProgram() const {
    return m_target->SelectedProgram();
}

void TaskEditorForm::SelectProgramRow(int row) {
    m_target->SelectProgramRow(row);
}

QLabel& TaskEditorForm::PickHandle() {
    return m_target->PickHandle();
}

void TaskEditorForm::SetPickable(bool pickable, const QString& why) {
    m_target->SetPickable(pickable, why);
}

void TaskEditorForm::ShowPickCountdown(int secondsLeft) {
    m_target->ShowPickCountdown(secondsLeft);
}

bool TaskEditorForm::HasNoTarget() const {
    return m_chkOnly->isChecked() && !WatchesTarget();
}

bool TaskEditorForm::WatchesTarget() const {
    return m_schedule->ChosenWatch() == TaskBuilder::Input::Watch::ProgramExits &&
           (m_chkOnly->isChecked() || m_cmbAutoType->currentIndex() != 0);
}

PickTargetView::ReadOut TaskEditorForm::ShownReadOut() const {
    return m_target->ShownReadOut();
}

void TaskEditorForm::ShowReadOut(const ReadOut& readOut) {
    m_target->ShowReadOut(readOut);
    ShowWatchedTarget();
}

const QIcon& TaskEditorForm::TargetIcon() const {
    return m_target->TargetIcon();
}

void TaskEditorForm::SetTargetIcon(const QIcon& icon) {
    m_target->SetTargetIcon(icon);
}

void TaskEditorForm::ShortenForDrag() {
    if (m_target->IsShort()) {
        return;
    }
    m_target->SetShort(true);
    // The widgets keep their places; the window just ends above the list.
    layout()->setEnabled(false);
    const int listTop = mapTo(window(), QPoint(0, m_target->ListCaptionTop())).y();
    window()->setFixedSize(m_fullSize.width(), listTop + kShortTail);
}

void TaskEditorForm::RestoreAfterDrag() {
    if (!m_target->IsShort()) {
        return;
    }
    window()->setFixedSize(m_fullSize);
    layout()->setEnabled(true);
    m_target->SetShort(false);
    layout()->activate();
}

void TaskEditorForm::OnEmptyTaskToggled(bool empty) {
    m_cmbAutoType->setCurrentIndex(0);
    m_cmbAutoType->setEnabled(!empty);
    m_txtCmd->setEnabled(false);
    m_cmdCmd->setEnabled(false);
    UpdateGentleFields();
    OnWatchChanged();
}

void TaskEditorForm::OnAutoTypeChanged() {
    const bool run = m_cmbAutoType->currentIndex() != 0;
    m_txtCmd->setEnabled(run);
    m_cmdCmd->setEnabled(run);
    UpdateGentleFields();
    OnWatchChanged();
}

void TaskEditorForm::OnWatchChanged() {
    // What has happened does not come round again: such a task runs once.
    m_cmbLoop->setEnabled(m_schedule->ChosenWatch() == TaskBuilder::Input::Watch::None);
    const bool none = HasNoTarget();
    m_target->SetListEnabled(!none);
    ShowWatchedTarget();
    if (none != m_noTarget || WatchesTarget() != m_watchesTarget) {
        m_noTarget = none;
        m_watchesTarget = WatchesTarget();
        Q_EMIT targetUseChanged();
    }
}

void TaskEditorForm::ShowWatchedTarget() {
    m_schedule->SetWatchedTarget(WatchesTarget() ? std::optional(m_target->Target())
                                                 : std::nullopt);
}

void TaskEditorForm::UpdateGentleFields() {
    const bool closes = m_cmbAutoType->currentIndex() == 0 && !m_chkOnly->isChecked();
    m_chkGentle->setEnabled(closes);
    m_spinGrace->setEnabled(closes && m_chkGentle->isChecked());
}

} // namespace morvane
