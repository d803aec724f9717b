#include "ui/ScheduleFields.h"

#include "types/DateTime.h"
#include "ui/DigitsOnlyFilter.h"
#include "ui/Lan.h"
#include "ui/NamedWidgets.h"
#include "ui/ShownText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
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

// The countdown lists take typed numbers too; completion would turn a typed 2 into 20.
QComboBox* NewCountdownList(const QString& name, QWidget* parent) {
    QComboBox* list = NewList(name, parent, 62);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    return list;
}

constexpr LanText kUnitEntries[4] = {LanText::Days, LanText::Hours, LanText::Minutes,
                                     LanText::Seconds};

// How long quiet must last, in whole minutes: up to a day.
constexpr int kMaxQuietMinutes = 1440;

using Watch = TaskBuilder::Input::Watch;

} // namespace

ScheduleFields::ScheduleFields(QVBoxLayout* root, QWidget* form, const DateTime& now) {
    m_label1 = NewLabel(QStringLiteral("Label1"), QStringLiteral("Time Schedule Setting:"), form);
    QFont heading = m_label1->font();
    heading.setBold(true);
    m_label1->setFont(heading);
    root->addSpacing(2);
    root->addWidget(m_label1);
    auto* schedule = new QGroupBox(form);
    schedule->setObjectName(QStringLiteral("fraSchedule"));
    auto* sched = new QVBoxLayout(schedule);
    sched->setContentsMargins(12, 8, 12, 8);
    sched->setSpacing(4);
    m_optTimer =
        new QRadioButton(QStringLiteral("Interval (Close After Day/Hour/Minute/Second)"), schedule);
    m_optTimer->setObjectName(QStringLiteral("optTimer"));
    m_chkMouse = new QCheckBox(schedule); // named by Retranslate
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
    auto* digitsOnly = new DigitsOnlyFilter(form);
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
    BuildWhenRow(sched, schedule);
    root->addWidget(schedule);

    for (QRadioButton* option : {m_optTimer, m_optTime, m_optWhen}) {
        QObject::connect(option, &QRadioButton::toggled, schedule, [this] { OnTriggerChanged(); });
    }
    QObject::connect(m_cmbWhen, &QComboBox::currentIndexChanged, schedule,
                     [this] { OnWhenChanged(); });
    QObject::connect(m_cmbWatch, &QComboBox::currentTextChanged, schedule,
                     [this] { ShowWatched(); });
    FillLists(now);
}

void ScheduleFields::BuildWhenRow(QVBoxLayout* sched, QWidget* schedule) {
    auto* row = new QHBoxLayout;
    m_optWhen = new QRadioButton(schedule);
    m_optWhen->setObjectName(QStringLiteral("optWhen"));
    m_cmbWhen = NewList(QStringLiteral("cmbWhen"), schedule, 0);
    m_cmbWhen->addItems({QString(), QString(), QString()}); // named by Retranslate
    // One page for the program to wait for, one for the quiet's level and length.
    m_whenPages = new QStackedWidget(schedule);
    m_whenPages->setObjectName(QStringLiteral("fraWhen"));
    auto* program = new QWidget(m_whenPages);
    auto* programRow = new QHBoxLayout(program);
    programRow->setContentsMargins(0, 0, 0, 0);
    m_cmbWatch = NewList(QStringLiteral("cmbWatch"), program, 150);
    m_cmbWatch->setEditable(true);
    m_cmbWatch->setInsertPolicy(QComboBox::NoInsert);
    m_lblWatch = NewLabel(QStringLiteral("lblWatch"), QString(), program);
    programRow->addWidget(m_cmbWatch);
    programRow->addWidget(m_lblWatch, 1);
    auto* quiet = new QWidget(m_whenPages);
    auto* quietRow = new QHBoxLayout(quiet);
    quietRow->setContentsMargins(0, 0, 0, 0);
    m_spnQuietLimit = new QSpinBox(quiet);
    m_spnQuietLimit->setObjectName(QStringLiteral("spnQuietLimit"));
    m_lblQuietFor = NewLabel(QStringLiteral("lblQuietFor"), QString(), quiet);
    m_spnQuietFor = new QSpinBox(quiet);
    m_spnQuietFor->setObjectName(QStringLiteral("spnQuietFor"));
    m_spnQuietFor->setRange(1, kMaxQuietMinutes);
    m_spnQuietFor->setValue(kDefaultQuietSeconds / 60);
    m_lblQuietFor->setBuddy(m_spnQuietFor);
    quietRow->addWidget(m_spnQuietLimit);
    quietRow->addWidget(m_lblQuietFor);
    quietRow->addWidget(m_spnQuietFor);
    quietRow->addStretch(1);
    m_whenPages->addWidget(program);
    m_whenPages->addWidget(quiet);
    row->addWidget(m_optWhen);
    row->addWidget(m_cmbWhen);
    row->addSpacing(8);
    row->addWidget(m_whenPages, 1);
    sched->addLayout(row);
}

std::array<QComboBox*, 6> ScheduleFields::DateLists() const {
    return {m_cmbYear, m_cmbMonth, m_cmbDay, m_cmbHour, m_cmbMin, m_cmbSec};
}

void ScheduleFields::FillLists(const DateTime& now) {
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

    m_cmbYear->setCurrentIndex(now.year >= 2018 && now.year <= 2999 ? now.year - 2018 : 0);
    m_cmbDay->setCurrentIndex(now.day - 1);
    m_cmbMonth->setCurrentIndex(now.month - 1);
    m_cmbHour->setCurrentIndex(now.hour);
    m_cmbMin->setCurrentIndex(now.minute);
    m_cmbSec->setCurrentIndex(0);

    m_cmbWhen->setCurrentIndex(0);
    OnWhenChanged();
    m_optTimer->setChecked(true);
    OnTriggerChanged();
}

void ScheduleFields::Retranslate() {
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

    // Where any input counts, a caption naming the mouse would promise less than is watched.
    m_chkMouse->setText(m_idleAnyInput ? tr("After No Input") : tr("After No Mouse Moving"));
    // "When a program exits": the option and the list read as one sentence.
    m_optWhen->setText(tr("When"));
    m_cmbWhen->setItemText(0, tr("a program exits"));
    m_cmbWhen->setItemText(1, tr("the network goes quiet"));
    m_cmbWhen->setItemText(2, tr("the processor goes quiet"));
    m_cmbWhen->setAccessibleName(tr("What the task waits for"));
    m_cmbWhen->setAccessibleDescription(tr("What the task waits for"));
    m_cmbWatch->setAccessibleName(tr("Program to wait for"));
    m_cmbWatch->setAccessibleDescription(tr("Program to wait for"));
    m_cmbWatch->lineEdit()->setAccessibleName(tr("Program to wait for"));
    m_cmbWatch->setToolTip(tr("The program whose end the task waits for"));
    m_lblQuietFor->setText(tr("for"));
    m_spnQuietFor->setSuffix(tr(" min"));
    m_spnQuietFor->setAccessibleName(tr("Minutes it must stay quiet"));
    ShowQuietUnit();
    ShowWatched();
}

void ScheduleFields::ShowQuietUnit() {
    if (m_shownQuiet == 1) {
        m_spnQuietLimit->setSuffix(tr(" %"));
        m_spnQuietLimit->setAccessibleName(tr("Processor use below, in percent"));
    } else {
        m_spnQuietLimit->setSuffix(tr(" KiB/s"));
        m_spnQuietLimit->setAccessibleName(tr("Network traffic below, in KiB/s"));
    }
}

void ScheduleFields::ShowWatched() {
    const auto which = [](const QString& id) {
        return id.isEmpty() ? tr("every process") : tr("process %1").arg(id);
    };
    m_cmbWatch->setVisible(!m_watchedTarget);
    if (!m_watchedTarget) {
        const QString name = m_cmbWatch->currentText().trimmed();
        m_lblWatch->setText(
            QStringLiteral("(%1)").arg(which(name == m_keptIdName ? m_keptId : QString())));
    } else if (m_watchedTarget->program.isEmpty()) {
        m_lblWatch->setText(tr("Pick the program to wait for above"));
    } else {
        m_lblWatch->setText(
            tr("Waits for: %1 (%2)")
                .arg(ShownText(m_watchedTarget->program), which(m_watchedTarget->id)));
    }
}

void ScheduleFields::UpdateLan(const LanguageTable& lan) {
    m_label1->setText(Lan(lan, LanText::ScheduleSetting));
    m_optTimer->setText(Lan(lan, LanText::Interval));
    for (std::size_t i = 0; i < 4; ++i) {
        m_unitLabels[i]->setText(Lan(lan, kUnitEntries[i]));
    }
    m_optTime->setText(Lan(lan, LanText::SpecificTime));
}

TaskBuilder::Input::Watch ScheduleFields::ChosenWatch() const {
    return m_optWhen->isChecked() ? static_cast<Watch>(m_cmbWhen->currentIndex() + 1) : Watch::None;
}

void ScheduleFields::SetWatchedTarget(const std::optional<EditorTarget>& target) {
    m_watchedTarget = target;
    ShowWatched();
}

void ScheduleFields::SetPrograms(const QStringList& names) {
    const QString typed = m_cmbWatch->currentText();
    m_cmbWatch->clear();
    m_cmbWatch->addItems(names);
    m_cmbWatch->setCurrentText(typed);
}

void ScheduleFields::Read(TaskBuilder::Input& in) const {
    // A watch task reads as a countdown one, as the core's InputOf gives it.
    in.countdown = !m_optTime->isChecked();
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
    in.noMouseMoving = m_chkMouse->isChecked();
    in.watch = ChosenWatch();
    if (in.watch == Watch::ProgramExits) {
        if (m_watchedTarget) {
            in.watchName = m_watchedTarget->program.toStdString();
            in.watchId = m_watchedTarget->id.toStdString();
        } else {
            const QString name = m_cmbWatch->currentText().trimmed();
            in.watchName = name.toStdString();
            in.watchId = name == m_keptIdName ? m_keptId.toStdString() : std::string();
        }
    } else if (in.watch != Watch::None) {
        in.quietLimit = m_spnQuietLimit->value();
        in.quietSeconds = m_spnQuietFor->value() * 60;
    }
}

void ScheduleFields::Fill(const TaskBuilder::Input& in) {
    auto choose = [](QComboBox* list, const std::string& text) {
        if (const int i = list->findText(QString::fromStdString(text)); i >= 0) {
            list->setCurrentIndex(i);
        }
    };
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
    if (in.watch != Watch::None) {
        m_cmbWhen->setCurrentIndex(static_cast<int>(in.watch) - 1);
        m_optWhen->setChecked(true);
    }
    if (in.watch == Watch::ProgramExits) {
        m_keptIdName = QString::fromStdString(in.watchName);
        m_keptId = QString::fromStdString(in.watchId);
        m_cmbWatch->setCurrentText(m_keptIdName);
    } else if (in.watch != Watch::None) {
        const bool network = in.watch == Watch::Network;
        m_spnQuietLimit->setValue(in.quietLimit > 0 ? in.quietLimit
                                  : network         ? kDefaultQuietKiB
                                                    : kDefaultQuietPercent);
        // Whole minutes: a period typed on the command line is rounded to the nearest.
        m_spnQuietFor->setValue(std::clamp((in.quietSeconds + 30) / 60, 1, kMaxQuietMinutes));
    }
    m_chkMouse->setChecked(in.noMouseMoving && m_chkMouse->isEnabled());
}

void ScheduleFields::SetIdleState(const QString& reason, bool anyInput) {
    if (anyInput != m_idleAnyInput) {
        m_idleAnyInput = anyInput;
        Retranslate();
    }
    m_idleReason = reason;
    m_chkMouse->setToolTip(reason);
    OnTriggerChanged();
}

void ScheduleFields::OnTriggerChanged() {
    const bool fixed = m_optTime->isChecked();
    const bool watch = m_optWhen->isChecked();
    const bool counts = !fixed && !watch;
    const bool idleKnown = m_idleReason.isEmpty();
    for (QComboBox* list : DateLists()) {
        list->setEnabled(fixed);
    }
    if (!counts || !idleKnown) {
        m_chkMouse->setChecked(false);
    }
    for (QComboBox* list : m_countdown) {
        list->setEnabled(counts);
    }
    m_chkMouse->setEnabled(counts && idleKnown);
    m_cmbWhen->setEnabled(watch);
    m_whenPages->setEnabled(watch);
    if (m_watchChanged) {
        m_watchChanged();
    }
}

void ScheduleFields::OnWhenChanged() {
    // 0 the network, 1 the processor, -1 a program.
    const int quiet = m_cmbWhen->currentIndex() - 1;
    if (m_shownQuiet >= 0) {
        m_quietLimits.at(static_cast<std::size_t>(m_shownQuiet)) = m_spnQuietLimit->value();
    }
    m_shownQuiet = quiet;
    if (quiet >= 0) {
        m_spnQuietLimit->setRange(1, quiet == 0 ? kMaxQuietKiB : 100);
        m_spnQuietLimit->setValue(m_quietLimits.at(static_cast<std::size_t>(quiet)));
        ShowQuietUnit();
    }
    m_whenPages->setCurrentIndex(quiet >= 0 ? 1 : 0);
    if (m_watchChanged) {
        m_watchChanged();
    }
}

} // namespace morvane
