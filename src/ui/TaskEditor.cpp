#include "ui/TaskEditor.h"

#include "core/Engine.h"
#include "core/editor/ProgramTargets.h"
#include "types/Clock.h"
#include "ui/LinkLabel.h"
#include "ui/PickedWindowIcon.h"
#include "ui/ProcessListView.h"
#include "ui/ProgramIcons.h"
#include "ui/TaskTableModel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace morvane {

namespace {

QString Lan(const LanguageTable& lan, LanText entry) {
    return QString::fromStdString(lan.Text(entry));
}

QStringList TwoDigitRange(int from, int to) {
    QStringList items;
    items.reserve(to - from + 1);
    for (int i = from; i <= to; ++i) {
        items << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    }
    return items;
}

QLabel* NewLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QComboBox* NewList(const QString& name, QWidget* parent, int width) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setMinimumWidth(width);
    list->setMaxVisibleItems(16);
    return list;
}

// The countdown lists take typed numbers too; completion would turn a typed 2 into 20.
QComboBox* NewCountdownList(const QString& name, QWidget* parent) {
    QComboBox* list = NewList(name, parent, 62);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    return list;
}

constexpr LanText kAfterEntries[6] = {LanText::DoNothing, LanText::Shutdown,  LanText::Reboot,
                                      LanText::LogOff,    LanText::Hibernate, LanText::MonitorOff};
constexpr LanText kUnitEntries[4] = {LanText::Days, LanText::Hours, LanText::Minutes,
                                     LanText::Seconds};

constexpr QSize kEditorSize{738, 617};
constexpr QSize kPictureSize{32, 32};
// During a drag the editor ends this far below the top of the list's caption (400 twips), so
// the list is out of sight.
constexpr int kShortTail = 27;
// From the program name's right edge to its picture (250 twips).
constexpr int kIconGap = 17;

QString NoPickerReason() {
    return QStringLiteral("Picking a window is not available here. Choose the program from the "
                          "list of running programs instead.");
}

} // namespace

TaskEditor::TaskEditor(Deps deps, QWidget* parent) : QDialog(parent), m_d(deps) {
    setObjectName(QStringLiteral("frmMouseSelect"));
    setWindowTitle(QStringLiteral("Add a Task"));
    // Fixed size: a close box, no minimise or maximise buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    m_imgBackUp = QIcon(QStringLiteral(":/icons/target.svg"));
    m_imgEmptyIcon = QIcon(QStringLiteral(":/icons/empty.svg"));

    m_timerSelect = new QTimer(this);
    m_timerSelect->setObjectName(QStringLiteral("TimerSelect"));
    m_timerSelect->setInterval(50);

    connect(m_timerSelect, &QTimer::timeout, this, [this] { PickTick(); });

    BuildWidgets();
    FillLists();
    setFixedSize(kEditorSize);
    ApplyPickerState();
}

void TaskEditor::SetWindowPicker(platform::WindowPicker* picker) {
    if (m_dragging) {
        ResetPointerState();
    }
    m_picker = picker;
    ApplyPickerState();
}

void TaskEditor::ApplyPickerState() {
    const bool usable = m_picker != nullptr && m_picker->IsAvailable();
    m_imgSelect->setEnabled(usable && !m_chkOnly->isChecked());
    QString why;
    if (!usable) {
        why =
            m_picker != nullptr ? QString::fromStdString(m_picker->UnavailableReason()) : QString();
        if (why.isEmpty()) {
            why = NoPickerReason();
        }
    }
    m_imgSelect->setToolTip(why);
    m_lblSelect->setToolTip(why);
}

void TaskEditor::BuildWidgets() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 12, 16, 12);
    root->setSpacing(6);

    // The target: picker, its read-out, and the list of running programs.
    auto* target = new QGridLayout;
    target->setHorizontalSpacing(10);
    target->setVerticalSpacing(3);
    m_imgSelect = NewLabel(QStringLiteral("imgSelect"), QString(), this);
    m_imgSelect->setPixmap(m_imgBackUp.pixmap(kPictureSize));
    m_imgSelect->setFixedSize(36, 36);
    m_imgSelect->setAlignment(Qt::AlignCenter);
    m_imgSelect->installEventFilter(this);
    m_lblSelect =
        NewLabel(QStringLiteral("lblSelect"),
                 QStringLiteral("Drag this Cursor onto a running Program Window to Select:"), this);
    m_lblSelect->setWordWrap(true);
    m_lblDrag = new LinkLabel(QStringLiteral("lblDrag"), QStringLiteral("What's This?"), this);
    connect(m_lblDrag, &LinkLabel::clicked, this,
            [this] { Q_EMIT tutorialRequested(QStringLiteral("tutorial.html#select")); });

    m_lblProcess[0] =
        NewLabel(QStringLiteral("lblProcess0"), QStringLiteral("Program Name:"), this);
    m_lblProcess[1] = NewLabel(QStringLiteral("lblProcess1"), QString(), this);
    m_lblProcess[2] =
        NewLabel(QStringLiteral("lblProcess2"), QStringLiteral("Window Title:"), this);
    m_lblProcess[3] = NewLabel(QStringLiteral("lblProcess3"), QStringLiteral("Process ID:"), this);
    m_lblID = NewLabel(QStringLiteral("lblID"), QString(), this);
    m_lblWindow = NewLabel(QStringLiteral("lblWindow"), QString(), this);
    m_lblWindow->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QLabel* value : {m_lblProcess[1], m_lblID}) {
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QFont bold = value->font();
        bold.setBold(true);
        value->setFont(bold);
    }
    m_picIcon = NewLabel(QStringLiteral("picIcon"), QString(), this);
    m_picIcon->setFixedSize(32, 32);

    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(kIconGap);
    nameRow->addWidget(m_lblProcess[1]);
    nameRow->addWidget(m_picIcon);
    nameRow->addStretch(1);

    auto* selectRow = new QHBoxLayout;
    selectRow->addWidget(m_lblSelect, 1);
    selectRow->addWidget(m_lblDrag, 0, Qt::AlignTop);
    target->addWidget(m_imgSelect, 0, 0, 4, 1, Qt::AlignTop);
    target->addLayout(selectRow, 0, 1, 1, 2);
    target->addWidget(m_lblProcess[0], 1, 1);
    target->addLayout(nameRow, 1, 2);
    target->addWidget(m_lblProcess[3], 2, 1);
    target->addWidget(m_lblID, 2, 2);
    target->addWidget(m_lblProcess[2], 3, 1);
    target->addWidget(m_lblWindow, 3, 2);
    target->setColumnStretch(2, 1);
    target->setRowMinimumHeight(1, 32);
    root->addLayout(target);

    m_lblPrograms = NewLabel(QStringLiteral("lblPrograms"),
                             QStringLiteral("Or Choose a Program from the List:"), this);
    root->addWidget(m_lblPrograms);
    auto* listRow = new QHBoxLayout;
    m_LV = new ProcessListView(this);
    listRow->addWidget(m_LV, 1);
    auto* listButtons = new QVBoxLayout;
    m_cmdRefresh = new QToolButton(this);
    m_cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    m_cmdRefresh->setIcon(QIcon(QStringLiteral(":/icons/refresh.svg")));
    m_cmdRefresh->setToolTip(QStringLiteral("Refresh The List"));
    m_cmdClose = new QToolButton(this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setIcon(QIcon(QStringLiteral(":/icons/closenow.svg")));
    m_cmdClose->setToolTip(QStringLiteral("Close the Selected Program Now"));
    for (QToolButton* b : {m_cmdRefresh, m_cmdClose}) {
        b->setIconSize(QSize(22, 22));
        b->setFixedSize(34, 34);
        listButtons->addWidget(b);
    }
    listButtons->addStretch(1);
    listRow->addLayout(listButtons);
    root->addLayout(listRow, 1);

    m_chkOnly = new QCheckBox(
        QStringLiteral("Empty Task (For Shutdown/Reboot etc. without closing any program)"), this);
    m_chkOnly->setObjectName(QStringLiteral("chkOnly"));
    root->addWidget(m_chkOnly);

    auto* kind = new QGridLayout;
    kind->setHorizontalSpacing(8);
    kind->addWidget(NewLabel(QStringLiteral("lblAutoType"), QStringLiteral("Auto Type:"), this), 0,
                    0);
    m_cmbAutoType = NewList(QStringLiteral("cmbAutoType"), this, 0);
    m_cmbAutoType->addItems({QStringLiteral("Auto Close Task - Close a program at a specific time"),
                             QStringLiteral("Auto Run Task - Run a Program at a specific time")});
    kind->addWidget(m_cmbAutoType, 0, 1, 1, 2);
    kind->addWidget(NewLabel(QStringLiteral("lblCmd"), QStringLiteral("Command line:"), this), 1,
                    0);
    m_txtCmd = new QLineEdit(this);
    m_txtCmd->setObjectName(QStringLiteral("txtCmd"));
    kind->addWidget(m_txtCmd, 1, 1);
    m_cmdCmd = new QPushButton(QStringLiteral("Select a Program"), this);
    m_cmdCmd->setObjectName(QStringLiteral("cmdCmd"));
    m_cmdCmd->setAutoDefault(false);
    kind->addWidget(m_cmdCmd, 1, 2);
    kind->setColumnStretch(1, 1);
    root->addLayout(kind);

    // The schedule.
    m_label1 = NewLabel(QStringLiteral("Label1"), QStringLiteral("Time Schedule Setting:"), this);
    QFont heading = m_label1->font();
    heading.setBold(true);
    m_label1->setFont(heading);
    root->addSpacing(2);
    root->addWidget(m_label1);
    auto* schedule = new QGroupBox(this);
    schedule->setObjectName(QStringLiteral("fraSchedule"));
    auto* sched = new QVBoxLayout(schedule);
    sched->setContentsMargins(12, 8, 12, 8);
    sched->setSpacing(4);
    m_optTimer =
        new QRadioButton(QStringLiteral("Interval (Close After Day/Hour/Minute/Second)"), schedule);
    m_optTimer->setObjectName(QStringLiteral("optTimer"));
    m_chkMouse = new QCheckBox(QStringLiteral("After No Mouse Moving"), schedule);
    m_chkMouse->setObjectName(QStringLiteral("chkMouse"));
    auto* timerRow = new QHBoxLayout;
    timerRow->addWidget(m_optTimer);
    timerRow->addStretch(1);
    timerRow->addWidget(m_chkMouse);
    sched->addLayout(timerRow);
    auto* countdownRow = new QHBoxLayout;
    countdownRow->setContentsMargins(22, 0, 0, 0);
    const QString countdownNames[4] = {QStringLiteral("cmbTDay"), QStringLiteral("cmbTHour"),
                                       QStringLiteral("cmbTMin"), QStringLiteral("cmbTSec")};
    const QString unitNames[4] = {QStringLiteral("Label2"), QStringLiteral("Label3"),
                                  QStringLiteral("Label4"), QStringLiteral("Label5")};
    const QString unitCaptions[4] = {QStringLiteral("Day(s)"), QStringLiteral("Hour(s)"),
                                     QStringLiteral("Minute(s)"), QStringLiteral("Second(s)")};
    for (std::size_t i = 0; i < 4; ++i) {
        m_countdown[i] = NewCountdownList(countdownNames[i], schedule);
        m_countdown[i]->lineEdit()->installEventFilter(this);
        m_unitLabels[i] = NewLabel(unitNames[i], unitCaptions[i], schedule);
        countdownRow->addWidget(m_countdown[i]);
        countdownRow->addWidget(m_unitLabels[i]);
        countdownRow->addSpacing(8);
    }
    countdownRow->addStretch(1);
    sched->addLayout(countdownRow);

    m_optTime = new QRadioButton(
        QStringLiteral("Specific Time (Close at Year/Month/Day Hour:Minute:Second)"), schedule);
    m_optTime->setObjectName(QStringLiteral("optTime"));
    sched->addWidget(m_optTime);
    auto* dateRow = new QHBoxLayout;
    dateRow->setContentsMargins(22, 0, 0, 0);
    m_cmbYear = NewList(QStringLiteral("cmbYear"), schedule, 72);
    m_cmbMonth = NewList(QStringLiteral("cmbMonth"), schedule, 86);
    m_cmbDay = NewList(QStringLiteral("cmbDay"), schedule, 58);
    m_cmbHour = NewList(QStringLiteral("cmbHour"), schedule, 58);
    m_cmbMin = NewList(QStringLiteral("cmbMin"), schedule, 58);
    m_cmbSec = NewList(QStringLiteral("cmbSec"), schedule, 58);
    auto separator = [schedule](const QString& text) {
        auto* l = new QLabel(text, schedule);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    dateRow->addWidget(m_cmbYear);
    dateRow->addWidget(separator(QStringLiteral("/")));
    dateRow->addWidget(m_cmbMonth);
    dateRow->addWidget(separator(QStringLiteral("/")));
    dateRow->addWidget(m_cmbDay);
    dateRow->addSpacing(18);
    dateRow->addWidget(m_cmbHour);
    dateRow->addWidget(separator(QStringLiteral(":")));
    dateRow->addWidget(m_cmbMin);
    dateRow->addWidget(separator(QStringLiteral(":")));
    dateRow->addWidget(m_cmbSec);
    dateRow->addStretch(1);
    sched->addLayout(dateRow);
    root->addWidget(schedule);

    // What happens afterwards.
    auto* after = new QHBoxLayout;
    after->setSpacing(8);
    after->addWidget(NewLabel(QStringLiteral("lblLoop"), QStringLiteral("Loop:"), this));
    m_cmbLoop = NewList(QStringLiteral("cmbLoop"), this, 120);
    after->addWidget(m_cmbLoop);
    after->addSpacing(14);
    m_label8 = NewLabel(QStringLiteral("Label8"), QStringLiteral("After the Task Finished:"), this);
    after->addWidget(m_label8);
    m_cmbAfter = NewList(QStringLiteral("cmbAfter"), this, 170);
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

    connect(m_optTimer, &QRadioButton::toggled, this, [this] { OnTriggerChanged(); });
    connect(m_optTime, &QRadioButton::toggled, this, [this] { OnTriggerChanged(); });
    connect(m_cmbAutoType, &QComboBox::currentIndexChanged, this, [this] { OnAutoTypeChanged(); });
    connect(m_cmbAutoType, &QComboBox::activated, this, [this] { OnAutoTypeChanged(); });
    connect(m_chkOnly, &QCheckBox::toggled, this, [this](bool on) { OnEmptyTaskToggled(on); });
    connect(m_LV, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { OnProgramClicked(item); });
    connect(m_cmdRefresh, &QToolButton::clicked, this, [this] { m_d.engine.Refresh(); });
    connect(m_cmdClose, &QToolButton::clicked, this, [this] { OnCloseProgramNow(); });
    connect(m_cmdCmd, &QPushButton::clicked, this, [this] { OnBrowse(); });
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { AddTask(); });
    connect(m_cmdCancel, &QPushButton::clicked, this, [this] { CancelEditor(); });
}

void TaskEditor::FillLists() {
    QStringList years;
    years.reserve(982);
    for (int y = 2018; y <= 2999; ++y) {
        years << QString::number(y);
    }
    m_cmbYear->addItems(years);
    m_cmbMonth->addItems(
        {QStringLiteral("1(Jan)"), QStringLiteral("2(Feb)"), QStringLiteral("3(Mar)"),
         QStringLiteral("4(Apr)"), QStringLiteral("5(May)"), QStringLiteral("6(Jun)"),
         QStringLiteral("7(Jul)"), QStringLiteral("8(Aug)"), QStringLiteral("9(Sep)"),
         QStringLiteral("10(Oct)"), QStringLiteral("11(Nov)"), QStringLiteral("12(Dec)")});
    m_cmbDay->addItems(TwoDigitRange(1, 31));
    m_cmbHour->addItems(TwoDigitRange(0, 23));
    m_cmbMin->addItems(TwoDigitRange(0, 59));
    m_cmbSec->addItems(TwoDigitRange(0, 59));
    const QStringList countdown = TwoDigitRange(0, 99);
    for (QComboBox* list : m_countdown) {
        list->addItems(countdown);
        list->setCurrentIndex(0);
    }
    for (std::string_view loop : texts::kLoops) {
        m_cmbLoop->addItem(QString::fromUtf8(loop.data(), static_cast<qsizetype>(loop.size())));
    }
    m_cmbAfter->addItems({QStringLiteral("Do Nothing"), QStringLiteral("Shut Down the PC"),
                          QStringLiteral("Reboot"), QStringLiteral("Log Off"),
                          QStringLiteral("Hibernate"), QStringLiteral("Turn Off the Monitor")});

    const DateTime now = m_d.engine.ClockSource().Now();
    m_cmbLoop->setCurrentIndex(0);
    m_cmbYear->setCurrentIndex(now.year >= 2018 && now.year <= 2999 ? now.year - 2018 : 0);
    m_cmbDay->setCurrentIndex(now.day - 1);
    m_cmbMonth->setCurrentIndex(now.month - 1);
    m_cmbHour->setCurrentIndex(now.hour);
    m_cmbMin->setCurrentIndex(now.minute);
    m_cmbSec->setCurrentIndex(0);
    m_cmbAfter->setCurrentIndex(0);
    m_cmbAutoType->setCurrentIndex(0);

    m_optTimer->setChecked(true);
    OnTriggerChanged();
    OnAutoTypeChanged();
}

void TaskEditor::ShowEditor() {
    show();
    raise();
    activateWindow();
}

void TaskEditor::UpdateLan(const LanguageTable& lan) {
    m_lblSelect->setText(Lan(lan, LanText::DragToSelect));
    m_lblDrag->SetCaption(Lan(lan, LanText::WhatsThis));
    m_lblProcess[0]->setText(Lan(lan, LanText::ProgramName));
    m_lblProcess[3]->setText(Lan(lan, LanText::ProcessId));
    m_lblProcess[2]->setText(Lan(lan, LanText::WindowTitle));
    m_lblPrograms->setText(Lan(lan, LanText::ChooseFromList));
    m_chkOnly->setText(Lan(lan, LanText::EmptyTask));
    m_label1->setText(Lan(lan, LanText::ScheduleSetting));
    m_optTimer->setText(Lan(lan, LanText::Interval));
    for (std::size_t i = 0; i < 4; ++i) {
        m_unitLabels[i]->setText(Lan(lan, kUnitEntries[i]));
    }
    m_optTime->setText(Lan(lan, LanText::SpecificTime));
    m_label8->setText(Lan(lan, LanText::AfterTaskFinished));
    m_chkQuit->setText(Lan(lan, LanText::QuitProgram));
    m_cmdOK->setText(Lan(lan, LanText::AddButton));
    m_cmdCancel->setText(Lan(lan, LanText::CancelButton));
    for (int i = 0; i < 6; ++i) {
        m_cmbAfter->setItemText(i, Lan(lan, kAfterEntries[i]));
    }
}

void TaskEditor::RefillProcessList() {
    const auto& programs = m_d.engine.Running().Programs();
    m_LV->setUpdatesEnabled(false);
    m_LV->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(programs.size()));
    for (const RunningPrograms::Program& p : programs) {
        auto* item = new QTreeWidgetItem;
        const QString path = QString::fromStdString(p.path);
        item->setIcon(0, m_d.icons.IconFor(path));
        item->setText(1, QString::fromStdString(p.name));
        item->setText(2, path);
        item->setToolTip(2, path);
        items << item;
    }
    m_LV->addTopLevelItems(items);
    m_LV->setUpdatesEnabled(true);

    // A target chosen before the rescan stays selected while its program runs.
    const QString target = m_lblProcess[1]->text();
    std::vector<std::string> names;
    names.reserve(programs.size());
    for (const RunningPrograms::Program& p : programs) {
        names.push_back(p.name);
    }
    const int row = ProgramTargets::RowNamed(names, target.toStdString());
    if (row >= 0) {
        m_LV->SelectRow(row);
        m_LV->setFocus();
    }
}

void TaskEditor::Unload() {
    m_unloaded = true;
    ResetPointerState();
    if (isVisible()) {
        hide();
    }
    close();
}

TaskBuilder::Input TaskEditor::ReadInput() const {
    TaskBuilder::Input in;
    in.autoType = m_cmbAutoType->currentIndex();
    in.emptyTask = m_chkOnly->isChecked();
    in.processId = m_lblID->text().toStdString();
    in.targetName = m_lblProcess[1]->text().toStdString();
    const QList<QTreeWidgetItem*> selected = m_LV->selectedItems();
    if (!selected.isEmpty()) {
        in.hasSelectedRow = true;
        in.selectedProgram = selected.first()->text(1).toStdString();
        in.selectedPath = selected.first()->text(2).toStdString();
    }
    in.commandLine = m_txtCmd->text().toStdString();
    in.countdown = m_optTimer->isChecked();
    in.days = m_countdown[0]->currentText().toStdString();
    in.hours = m_countdown[1]->currentText().toStdString();
    in.minutes = m_countdown[2]->currentText().toStdString();
    in.seconds = m_countdown[3]->currentText().toStdString();
    in.year = m_cmbYear->currentText().toStdString();
    in.monthIndex = m_cmbMonth->currentIndex();
    in.day = m_cmbDay->currentText().toStdString();
    in.hour = m_cmbHour->currentText().toStdString();
    in.minute = m_cmbMin->currentText().toStdString();
    in.second = m_cmbSec->currentText().toStdString();
    in.loop = m_cmbLoop->currentText().toStdString();
    in.noMouseMoving = m_chkMouse->isChecked();
    in.quit = m_chkQuit->isChecked();
    in.afterIndex = m_cmbAfter->currentIndex();
    return in;
}

void TaskEditor::Inform(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, this);
    box.exec();
}

void TaskEditor::AddTask() {
    const TaskBuilder::Input in = ReadInput();
    const LanguageTable& lan = m_d.engine.Language();
    switch (TaskBuilder::Check(in)) {
    case TaskBuilder::Refusal::None:
        break;
    case TaskBuilder::Refusal::NoTarget:
        Inform(Lan(lan, LanText::NoProgramTitle), Lan(lan, LanText::NoProgramText));
        return;
    case TaskBuilder::Refusal::EmptyCommandLine:
        Inform(QStringLiteral("Empty"), QStringLiteral("The command line cannot be empty."));
        return;
    case TaskBuilder::Refusal::UnstorableCommandLine:
        Inform(QStringLiteral("Morvane"),
               QStringLiteral("The command line cannot contain a tab or a line break: a task "
                              "keeps its texts separated by tabs. Please remove them."));
        return;
    case TaskBuilder::Refusal::DateDoesNotExist:
        Inform(QStringLiteral("Morvane"),
               QStringLiteral("The date %1 does not exist. Please choose a day the month has.")
                   .arg(QString::fromStdString(TaskBuilder::FixedDateText(in)).left(10)));
        return;
    }
    if (TaskBuilder::AsksAboutZeroCountdown(in)) {
        QMessageBox question(QMessageBox::Information, Lan(lan, LanText::ZeroIntervalTitle),
                             Lan(lan, LanText::ZeroIntervalText) + QLatin1Char('\n') +
                                 Lan(lan, LanText::ZeroIntervalQuestion),
                             QMessageBox::Ok | QMessageBox::Cancel, this);
        if (question.exec() != QMessageBox::Ok) {
            return;
        }
    }

    ResetPointerState();
    const int row = m_d.engine.AddTask(in);
    m_d.taskIcons.SetRowIcon(row, in.autoType == 0 ? m_targetIcon : ProgramIcons::Generic());
    m_chkOnly->setChecked(false);
    m_selected = true;
    CloseFromProgram();
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
    // Whatever ends a drag takes its outline off the screen and gives the editor back its
    // list: nothing of a drag may outlast it.
    ErasePickFrame();
    unsetCursor();
    m_imgSelect->setPixmap(m_imgBackUp.pixmap(kPictureSize));
    if (QWidget::mouseGrabber() == m_imgSelect) {
        m_imgSelect->releaseMouse();
    }
    m_dragging = false;
    m_lastHwnd = 0;
    m_timerSelect->stop();
    RestoreAfterDrag();
    ShowMainWindow();
}

void TaskEditor::StartDrag() {
    // The target picture leaves the handle and becomes the pointer, over every window: the
    // grab sends the release here wherever it happens.
    const QPixmap picture = m_imgBackUp.pixmap(kPictureSize);
    m_imgSelect->clear();
    m_dragging = true;
    m_imgSelect->grabMouse(QCursor(picture));
    m_beforeDrag = SavedTarget();
    m_iconWindow = 0;
    m_timerSelect->start();
    HideMainWindow();
    m_lblProcess[2]->setText(Lan(m_d.engine.Language(), LanText::WindowTitle));
    ShortenForDrag();
    PickTick();
}

void TaskEditor::PickTick() {
    if (!m_dragging) {
        return;
    }
    const std::optional<platform::PickedWindow> picked = PickableUnderPointer();
    if (!picked) {
        ErasePickFrame();
        ShowTarget(m_beforeDrag);
        return;
    }
    DrawPickFrame(picked->deepest);
    ShowPicked(*picked);
}

void TaskEditor::FinishDrag() {
    ResetPointerState();
    // The window under the release point is the one chosen.
    if (const std::optional<platform::PickedWindow> picked = PickableUnderPointer()) {
        ShowPicked(*picked);
    } else {
        ShowTarget(m_beforeDrag);
    }
    const QStringList programs = m_LV->Programs();
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(programs.size()));
    for (const QString& p : programs) {
        names.push_back(p.toStdString());
    }
    const int row = ProgramTargets::RowNamed(names, m_lblProcess[1]->text().toStdString());
    if (row >= 0) {
        m_LV->SelectRow(row);
        m_LV->setFocus();
    }
    raise();
    activateWindow();
    m_d.engine.Refresh();
}

std::optional<platform::PickedWindow> TaskEditor::PickableUnderPointer() {
    if (m_picker == nullptr) {
        return std::nullopt;
    }
    std::optional<platform::PickedWindow> picked = m_picker->WindowUnderPointer();
    // Our own windows are no target: dropping the picture back on the editor puts it away.
    // They are not outlined either, since the editor repaints under the outline as it shrinks.
    if (picked && picked->pid == QCoreApplication::applicationPid()) {
        return std::nullopt;
    }
    return picked;
}

void TaskEditor::DrawPickFrame(platform::WindowId window) {
    if (m_frameDrawn && window == m_lastHwnd) {
        return; // already outlined
    }
    ErasePickFrame();
    m_frameDrawn = true;
    m_lastHwnd = window;
    m_picker->DrawFrame(window);
}

void TaskEditor::ErasePickFrame() {
    if (!m_frameDrawn) {
        return;
    }
    m_frameDrawn = false;
    m_lastHwnd = 0;
    if (m_picker != nullptr) {
        m_picker->EraseFrame();
    }
}

void TaskEditor::ShowPicked(const platform::PickedWindow& picked) {
    m_lblProcess[1]->setText(QString::fromStdString(picked.programName));
    // A process that cannot be known leaves no id: Add then asks for a target.
    m_lblID->setText(picked.pid > 0 ? QString::number(picked.pid) : QString());
    m_lblProcess[2]->setText(Lan(m_d.engine.Language(), LanText::WindowTitle));
    m_lblWindow->setText(QString::fromStdString(picked.title));
    m_lblWindow->setVisible(true);
    // The picture is looked up again only for another window, not on every tick.
    if (picked.topLevel != m_iconWindow) {
        m_iconWindow = picked.topLevel;
        SetTargetIcon(PickedWindowIcon::For(picked, m_d.icons));
    }
    PlaceTargetIcon();
}

void TaskEditor::PlaceTargetIcon() {
    // While the editor is short its layout rests, so the name takes the width it needs and
    // the picture follows it at the designed distance.
    if (!m_shortened) {
        return;
    }
    QLabel* name = m_lblProcess[1];
    name->resize(name->sizeHint().width(), name->height());
    m_picIcon->move(name->geometry().right() + 1 + kIconGap, m_picIcon->y());
}

TaskEditor::Target TaskEditor::SavedTarget() const {
    return {m_lblProcess[1]->text(), m_lblID->text(),          m_lblProcess[2]->text(),
            m_lblWindow->text(),     !m_lblWindow->isHidden(), m_targetIcon};
}

void TaskEditor::ShowTarget(const Target& target) {
    m_lblProcess[1]->setText(target.program);
    m_lblID->setText(target.id);
    m_lblProcess[2]->setText(target.caption);
    m_lblWindow->setText(target.window);
    m_lblWindow->setVisible(target.windowShown);
    if (m_iconWindow != 0) {
        SetTargetIcon(target.icon);
        m_iconWindow = 0;
    }
    PlaceTargetIcon();
}

void TaskEditor::ShortenForDrag() {
    if (m_shortened) {
        return;
    }
    m_shortened = true;
    m_cmdRefresh->hide();
    m_cmdClose->hide();
    // The widgets keep their places; the window just ends above the list.
    layout()->setEnabled(false);
    setFixedSize(kEditorSize.width(), m_lblPrograms->geometry().top() + kShortTail);
}

void TaskEditor::RestoreAfterDrag() {
    if (!m_shortened) {
        return;
    }
    m_shortened = false;
    setFixedSize(kEditorSize);
    layout()->setEnabled(true);
    m_cmdRefresh->show();
    m_cmdClose->show();
    layout()->activate();
}

void TaskEditor::HideMainWindow() {
    QWidget* main = parentWidget();
    if (main == nullptr || !main->isVisible()) {
        return;
    }
    m_mainHidden = true;
    m_mainPosition = main->pos();
    main->hide();
}

void TaskEditor::ShowMainWindow() {
    if (!m_mainHidden) {
        return;
    }
    m_mainHidden = false;
    QWidget* main = parentWidget();
    if (main == nullptr || m_unloaded) {
        return;
    }
    // Asked for by position, or the window manager would place it anew.
    if (QWindow* handle = main->windowHandle()) {
        handle->setFramePosition(m_mainPosition);
    }
    main->show();
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
    if (m_selected) {
        m_selected = false;
        Q_EMIT returnedToMainWindow(false);
    } else {
        ResetPointerState();
        Q_EMIT returnedToMainWindow(true);
    }
}

bool TaskEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_imgSelect) {
        const auto type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                if (type == QEvent::MouseButtonPress && !m_dragging && m_imgSelect->isEnabled()) {
                    StartDrag();
                } else if (type == QEvent::MouseButtonRelease && m_dragging) {
                    FinishDrag();
                }
                return true;
            }
        }
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Typed characters other than digits are dropped; Backspace, editing keys and
        // shortcuts (paste included) pass.
        const bool shortcut =
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
        if (!shortcut && !text.isEmpty() && text.at(0).isPrint() &&
            !(text.at(0) >= u'0' && text.at(0) <= u'9')) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TaskEditor::OnTriggerChanged() {
    const bool fixed = m_optTime->isChecked();
    for (QComboBox* list : {m_cmbYear, m_cmbMonth, m_cmbDay, m_cmbHour, m_cmbMin, m_cmbSec}) {
        list->setEnabled(fixed);
    }
    if (fixed) {
        m_chkMouse->setChecked(false);
    }
    for (QComboBox* list : m_countdown) {
        list->setEnabled(!fixed);
    }
    m_chkMouse->setEnabled(!fixed);
}

void TaskEditor::OnAutoTypeChanged() {
    const bool run = m_cmbAutoType->currentIndex() != 0;
    m_txtCmd->setEnabled(run);
    m_cmdCmd->setEnabled(run);
}

void TaskEditor::OnEmptyTaskToggled(bool ticked) {
    if (ticked && m_dragging) {
        // The box was ticked from the keyboard mid-drag: an Empty task has no target to pick.
        ResetPointerState();
        ShowTarget(m_beforeDrag);
    }
    m_LV->setEnabled(!ticked);
    ApplyPickerState();
    if (ticked) {
        m_lblProcess[1]->clear();
        m_lblID->clear();
        m_lblWindow->clear();
        SetTargetIcon(m_imgEmptyIcon);
    } else {
        SetTargetIcon(QIcon());
    }
    m_cmbAutoType->setCurrentIndex(0);
    m_cmbAutoType->setEnabled(!ticked);
    m_txtCmd->setEnabled(false);
    m_cmdCmd->setEnabled(false);
}

void TaskEditor::SetTargetIcon(const QIcon& icon) {
    m_targetIcon = icon;
    m_picIcon->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(kPictureSize));
}

void TaskEditor::OnProgramClicked(QTreeWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    const QString program = item->text(1);
    m_lblWindow->setVisible(true);
    m_lblProcess[1]->setText(program);
    m_lblProcess[2]->setText(Lan(m_d.engine.Language(), LanText::ProgramPath));
    m_lblWindow->setText(item->text(2));
    SetTargetIcon(item->icon(0));
    if (const auto id =
            ProgramTargets::FirstProcessId(m_d.engine.Running(), program.toStdString())) {
        m_lblID->setText(QString::fromStdString(*id));
    }
}

void TaskEditor::OnCloseProgramNow() {
    const LanguageTable& lan = m_d.engine.Language();
    QMessageBox question(QMessageBox::Question, Lan(lan, LanText::CloseNowTitle),
                         Lan(lan, LanText::CloseNowQuestion), QMessageBox::Ok | QMessageBox::Cancel,
                         this);
    if (question.exec() != QMessageBox::Ok) {
        return;
    }
    const QList<QTreeWidgetItem*> selected = m_LV->selectedItems();
    if (!selected.isEmpty()) {
        m_d.engine.CloseProgramNow(selected.first()->text(1).toStdString());
    }
    m_d.engine.Refresh();
}

void TaskEditor::OnBrowse() {
    // Programs here have no extension; the classic filter stays second for Windows programs.
    m_dialogs.Filter = QStringLiteral("Programs|*|*.exe, *.EXE|*.exe");
    if (m_dialogs.ShowOpen(this) && !m_dialogs.FileName.isEmpty()) {
        m_txtCmd->setText(m_dialogs.FileName);
    }
}

} // namespace morvane
