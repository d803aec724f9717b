#include "ui/ScheduleFields.h"

#include "types/DateTime.h"
#include "ui/DigitsOnlyFilter.h"
#include "ui/Lan.h"
#include "ui/NamedWidgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

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
    root->addWidget(schedule);

    QObject::connect(m_optTimer, &QRadioButton::toggled, schedule, [this] { OnTriggerChanged(); });
    QObject::connect(m_optTime, &QRadioButton::toggled, schedule, [this] { OnTriggerChanged(); });
    FillLists(now);
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
}

void ScheduleFields::UpdateLan(const LanguageTable& lan) {
    m_label1->setText(Lan(lan, LanText::ScheduleSetting));
    m_optTimer->setText(Lan(lan, LanText::Interval));
    for (std::size_t i = 0; i < 4; ++i) {
        m_unitLabels[i]->setText(Lan(lan, kUnitEntries[i]));
    }
    m_optTime->setText(Lan(lan, LanText::SpecificTime));
}

void ScheduleFields::Read(TaskBuilder::Input& in) const {
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
    in.noMouseMoving = m_chkMouse->isChecked();
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
    m_chkMouse->setChecked(in.noMouseMoving && m_chkMouse->isEnabled());
}

void ScheduleFields::SetIdleUnavailableReason(const QString& reason) {
    m_idleReason = reason;
    m_chkMouse->setToolTip(reason);
    OnTriggerChanged();
}

void ScheduleFields::OnTriggerChanged() {
    const bool fixed = m_optTime->isChecked();
    const bool idleKnown = m_idleReason.isEmpty();
    for (QComboBox* list : DateLists()) {
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

} // namespace morvane
