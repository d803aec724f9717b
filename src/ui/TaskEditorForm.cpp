#include "ui/TaskEditorForm.h"

#include "types/DateTime.h"
#include "ui/DigitsOnlyFilter.h"
#include "ui/FontGrowth.h"
#include "ui/Lan.h"
#include "ui/LinkLabel.h"
#include "ui/ProcessListView.h"
#include "ui/ShownText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <utility>

namespace morvane {

namespace {

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

} // namespace

TaskEditorForm::TaskEditorForm(const DateTime& now, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMouseSelect"));
    // Fixed size: a close box, no minimise or maximise buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(16, 12, 16, 12);
    root->setSpacing(6);
    BuildTarget(root);
    BuildTaskKind(root);
    BuildSchedule(root);
    BuildAfterAndButtons(root);

    connect(m_optTimer, &QRadioButton::toggled, this, [this] { OnTriggerChanged(); });
    connect(m_optTime, &QRadioButton::toggled, this, [this] { OnTriggerChanged(); });
    connect(m_cmbAutoType, &QComboBox::currentIndexChanged, this, [this] { OnAutoTypeChanged(); });
    connect(m_cmbAutoType, &QComboBox::activated, this, [this] { OnAutoTypeChanged(); });

    FillLists(now);
    Retranslate();
    FitToFont();
}

void TaskEditorForm::FitToFont() {
    // The designed size at the standard font; a larger font gets the room its texts need.
    m_fullSize = kSize;
    if (FontGrowth(font()) > 1.0) {
        // The lists' designed widths are too narrow for their items at a larger font.
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
    }
    setFixedSize(m_fullSize);
}

void TaskEditorForm::BuildTarget(QVBoxLayout* root) {
    // The target: picker, its read-out, and the list of running programs.
    auto* target = new QGridLayout;
    target->setHorizontalSpacing(10);
    target->setVerticalSpacing(3);
    m_imgSelect = NewLabel(QStringLiteral("imgSelect"), QString(), this);
    m_imgSelect->setFixedSize(36, 36);
    m_imgSelect->setAlignment(Qt::AlignCenter);
    m_cmdPickLater = new QPushButton(this);
    m_cmdPickLater->setObjectName(QStringLiteral("cmdPickLater"));
    m_cmdPickLater->setAutoDefault(false);
    m_lblSelect =
        NewLabel(QStringLiteral("lblSelect"),
                 QStringLiteral("Drag this Cursor onto a running Program Window to Select:"), this);
    m_lblSelect->setWordWrap(true);
    m_lblDrag = new LinkLabel(QStringLiteral("lblDrag"), QStringLiteral("What's This?"), this);

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
    target->addWidget(m_cmdPickLater, 1, 3, Qt::AlignRight | Qt::AlignVCenter);
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

    m_cmdClose = new QToolButton(this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setIcon(QIcon(QStringLiteral(":/icons/closenow.svg")));

    for (QToolButton* b : {m_cmdRefresh, m_cmdClose}) {
        b->setIconSize(QSize(22, 22));
        b->setFixedSize(34, 34);
        listButtons->addWidget(b);
    }
    listButtons->addStretch(1);
    listRow->addLayout(listButtons);
    root->addLayout(listRow, 1);
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
    kind->setColumnStretch(1, 1);
    root->addLayout(kind);
}

void TaskEditorForm::BuildSchedule(QVBoxLayout* root) {
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
    auto* digitsOnly = new DigitsOnlyFilter(this);
    for (std::size_t i = 0; i < 4; ++i) {
        m_countdown[i] = NewCountdownList(countdownNames[i], schedule);
        // The list hands the keys typed on it to its line edit itself, past the edit's filters.
        m_countdown[i]->installEventFilter(digitsOnly);
        m_countdown[i]->lineEdit()->installEventFilter(digitsOnly);
        m_unitLabels[i] = NewLabel(unitNames[i], unitCaptions[i], schedule);
        m_unitLabels[i]->setBuddy(m_countdown[i]);
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

void TaskEditorForm::FillLists(const DateTime& now) {
    QStringList years;
    years.reserve(982);
    for (int y = 2018; y <= 2999; ++y) {
        years << QString::number(y);
    }
    m_cmbYear->addItems(years);
    for (int month = 0; month < 12; ++month) {
        m_cmbMonth->addItem(QString()); // named by Retranslate
    }
    m_cmbDay->addItems(TwoDigitRange(1, 31));
    m_cmbHour->addItems(TwoDigitRange(0, 23));
    m_cmbMin->addItems(TwoDigitRange(0, 59));
    m_cmbSec->addItems(TwoDigitRange(0, 59));
    const QStringList countdown = TwoDigitRange(0, 99);
    for (QComboBox* list : m_countdown) {
        list->addItems(countdown);
        list->setCurrentIndex(0);
    }
    for (std::size_t i = 0; i < texts::kLoops.size(); ++i) {
        m_cmbLoop->addItem(QString()); // named by Retranslate; Add reads the position
    }
    m_cmbAfter->addItems({QStringLiteral("Do Nothing"), QStringLiteral("Shut Down the PC"),
                          QStringLiteral("Reboot"), QStringLiteral("Log Off"),
                          QStringLiteral("Hibernate"), QStringLiteral("Turn Off the Monitor")});

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

void TaskEditorForm::Retranslate() {
    // The texts the language file does not carry.
    setWindowTitle(tr("Add a Task"));
    m_cmdPickLater->setText(tr("Pick the window under the pointer in 3 s"));
    m_cmdPickLater->setToolTip(tr("Press, then point at a program's window within three "
                                  "seconds: the window under the pointer is picked."));
    m_imgSelect->setAccessibleName(tr("Target picker"));
    m_imgSelect->setAccessibleDescription(
        tr("Drag it onto a program's window to pick that program, or use the button that "
           "picks the window under the pointer in 3 seconds."));
    m_picIcon->setAccessibleName(tr("Picture of the chosen program"));
    m_cmdRefresh->setToolTip(tr("Refresh The List"));
    m_cmdRefresh->setAccessibleName(tr("Refresh The List"));
    m_cmdClose->setToolTip(tr("Close the Selected Program Now"));
    m_cmdClose->setAccessibleName(tr("Close the Selected Program Now"));
    m_LV->setAccessibleName(tr("Running programs"));
    m_LV->setHeaderLabels({tr("Icon"), tr("Program"), tr("Path")});
    m_lblAutoType->setText(tr("Auto Type:"));
    m_cmbAutoType->setItemText(0, tr("Auto Close Task - Close a program at a specific time"));
    m_cmbAutoType->setItemText(1, tr("Auto Run Task - Run a Program at a specific time"));
    m_lblCmd->setText(tr("Command line:"));
    m_cmdCmd->setText(tr("Select a Program"));
    m_lblLoop->setText(tr("Loop:"));
    const char* const loops[] = {QT_TR_NOOP("None"), QT_TR_NOOP("Every Month"),
                                 QT_TR_NOOP("Every Day"), QT_TR_NOOP("Every Hour"),
                                 QT_TR_NOOP("Every Minute")};
    static_assert(std::size(loops) == texts::kLoops.size());
    for (int i = 0; i < m_cmbLoop->count(); ++i) {
        m_cmbLoop->setItemText(i, tr(loops[i]));
    }
    const char* const months[] = {
        QT_TR_NOOP("1(Jan)"), QT_TR_NOOP("2(Feb)"),  QT_TR_NOOP("3(Mar)"),  QT_TR_NOOP("4(Apr)"),
        QT_TR_NOOP("5(May)"), QT_TR_NOOP("6(Jun)"),  QT_TR_NOOP("7(Jul)"),  QT_TR_NOOP("8(Aug)"),
        QT_TR_NOOP("9(Sep)"), QT_TR_NOOP("10(Oct)"), QT_TR_NOOP("11(Nov)"), QT_TR_NOOP("12(Dec)")};
    for (int i = 0; i < 12; ++i) {
        m_cmbMonth->setItemText(i, tr(months[i]));
    }
    // Each field is read with what it holds: the countdown with its unit, the date by its part.
    const QString units[4] = {tr("Days"), tr("Hours"), tr("Minutes"), tr("Seconds")};
    for (std::size_t i = 0; i < 4; ++i) {
        m_countdown[i]->setAccessibleName(units[i]);
        m_countdown[i]->setAccessibleDescription(units[i]);
        m_countdown[i]->lineEdit()->setAccessibleName(units[i]);
    }
    const std::pair<QComboBox*, QString> dateParts[] = {
        {m_cmbYear, tr("Year")}, {m_cmbMonth, tr("Month")}, {m_cmbDay, tr("Day")},
        {m_cmbHour, tr("Hour")}, {m_cmbMin, tr("Minute")},  {m_cmbSec, tr("Second")}};
    // Over AT-SPI a list's name is its value; what it is for is read from its description.
    for (const auto& [list, name] : dateParts) {
        list->setAccessibleName(name);
        list->setAccessibleDescription(name);
    }
}

void TaskEditorForm::UpdateLan(const LanguageTable& lan) {
    Retranslate();
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
    FitToFont();
}

TaskBuilder::Input TaskEditorForm::ReadInput() const {
    TaskBuilder::Input in;
    in.autoType = m_cmbAutoType->currentIndex();
    in.emptyTask = m_chkOnly->isChecked();
    in.targetName = m_target.program.toStdString();
    in.processId = m_target.id.toStdString();
    in.targetPath = m_target.path.toStdString();
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
    in.loop = std::string(texts::kLoops.at(static_cast<std::size_t>(m_cmbLoop->currentIndex())));
    in.noMouseMoving = m_chkMouse->isChecked();
    in.quit = m_chkQuit->isChecked();
    in.afterIndex = m_cmbAfter->currentIndex();
    return in;
}

void TaskEditorForm::FillInput(const TaskBuilder::Input& in) {
    auto choose = [](QComboBox* list, const std::string& text) {
        if (const int i = list->findText(QString::fromStdString(text)); i >= 0) {
            list->setCurrentIndex(i);
        }
    };
    // The Empty box first: ticking it resets the kind and the target that follow.
    m_chkOnly->setChecked(in.emptyTask);
    m_cmbAutoType->setCurrentIndex(in.autoType == 0 ? 0 : 1);
    SetTarget({QString::fromStdString(in.targetName), QString::fromStdString(in.processId),
               QString::fromStdString(in.targetPath)});
    m_txtCmd->setText(QString::fromStdString(in.commandLine));
    (in.countdown ? m_optTimer : m_optTime)->setChecked(true);
    const std::string* countdown[4] = {&in.days, &in.hours, &in.minutes, &in.seconds};
    for (std::size_t i = 0; i < 4; ++i) {
        m_countdown[i]->setCurrentText(QString::fromStdString(*countdown[i]));
    }
    choose(m_cmbYear, in.year);
    if (in.monthIndex >= 0 && in.monthIndex < m_cmbMonth->count()) {
        m_cmbMonth->setCurrentIndex(in.monthIndex);
    }
    choose(m_cmbDay, in.day);
    choose(m_cmbHour, in.hour);
    choose(m_cmbMin, in.minute);
    choose(m_cmbSec, in.second);
    choose(m_cmbLoop, in.loop);
    m_chkMouse->setChecked(in.noMouseMoving && m_chkMouse->isEnabled());
    m_chkQuit->setChecked(in.quit);
    if (in.afterIndex >= 0 && in.afterIndex < m_cmbAfter->count()) {
        m_cmbAfter->setCurrentIndex(in.afterIndex);
    }
}

void TaskEditorForm::SetTarget(const Target& target) {
    m_target = target;
    m_lblProcess[1]->setText(ShownText(target.program));
    m_lblID->setText(target.id);
}

void TaskEditorForm::SetTargetIcon(const QIcon& icon) {
    m_targetIcon = icon;
    m_picIcon->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(kPictureSize));
}

void TaskEditorForm::SetIdleUnavailableReason(const QString& reason) {
    m_idleReason = reason;
    m_chkMouse->setToolTip(reason);
    OnTriggerChanged();
}

void TaskEditorForm::OnTriggerChanged() {
    const bool fixed = m_optTime->isChecked();
    const bool idleKnown = m_idleReason.isEmpty();
    for (QComboBox* list : {m_cmbYear, m_cmbMonth, m_cmbDay, m_cmbHour, m_cmbMin, m_cmbSec}) {
        list->setEnabled(fixed);
    }
    if (fixed || !idleKnown) {
        m_chkMouse->setChecked(false);
    }
    for (QComboBox* list : m_countdown) {
        list->setEnabled(!fixed);
    }
    m_chkMouse->setEnabled(!fixed && idleKnown);
}

void TaskEditorForm::OnAutoTypeChanged() {
    const bool run = m_cmbAutoType->currentIndex() != 0;
    m_txtCmd->setEnabled(run);
    m_cmdCmd->setEnabled(run);
}

} // namespace morvane
