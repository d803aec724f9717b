#include "ui/StatusTexts.h"

#include "core/Engine.h"
#include "core/tasks/DateTime.h"
#include "ui/Lan.h"
#include "ui/ShownText.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace morvane {

namespace {

// The five power actions the language file names, in the editor's order (PowerIndex 1 to 5);
// the ones after them are named by the translations.
constexpr std::array<LanText, 5> kPowerTexts = {LanText::Shutdown, LanText::Reboot, LanText::LogOff,
                                                LanText::Hibernate, LanText::MonitorOff};

// The action a stored name means; None for a text that is not exactly one.
PowerAction ActionNamed(std::string_view power) {
    const PowerAction action = PowerOfAfter(power);
    return PowerName(action) == power ? action : PowerAction::None;
}

} // namespace

QString StatusTexts::TimeLeft(std::int64_t seconds) {
    seconds = std::max<std::int64_t>(seconds, 0);
    const std::int64_t days = seconds / 86400;
    const QString clock = QStringLiteral("%1:%2:%3")
                              .arg((seconds / 3600) % 24)
                              .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
                              .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return days > 0 ? tr("%1 d %2").arg(days).arg(clock) : clock;
}

QString StatusTexts::Duration(std::int64_t seconds) {
    seconds = std::max<std::int64_t>(seconds, 0);
    const std::int64_t parts[4] = {seconds / 86400, (seconds / 3600) % 24, (seconds / 60) % 60,
                                   seconds % 60};
    const QString units[4] = {tr("%1 d"), tr("%1 h"), tr("%1 min"), tr("%1 s")};
    QStringList words;
    for (std::size_t i = 0; i < 4; ++i) {
        if (parts[i] > 0) {
            words.push_back(units[i].arg(parts[i]));
        }
    }
    return words.isEmpty() ? units[3].arg(0) : words.join(QLatin1Char(' '));
}

QString StatusTexts::ActionCaption(const LanguageTable& lan, PowerAction action) {
    switch (action) {
    case PowerAction::Shutdown:
    case PowerAction::Reboot:
    case PowerAction::LogOff:
    case PowerAction::Hibernate:
    case PowerAction::MonitorOff:
        return Lan(lan, kPowerTexts.at(static_cast<std::size_t>(PowerIndex(action) - 1)));
    case PowerAction::Suspend:
        return tr("Suspend (Sleep)");
    case PowerAction::Lock:
        return tr("Lock the Screen");
    case PowerAction::None:
        break;
    }
    return {};
}

QString StatusTexts::MarkCaption(const LanguageTable& lan, Mark mark) {
    return ActionCaption(lan, ActionOf(mark));
}

QString StatusTexts::PowerCaption(const LanguageTable& lan, std::string_view power) {
    const PowerAction action = ActionNamed(power);
    return action == PowerAction::None ? ShownText(power) : ActionCaption(lan, action);
}

QString StatusTexts::PowerDoing(PowerAction power) {
    switch (power) {
    case PowerAction::Shutdown:
        return tr("shut down the computer");
    case PowerAction::Reboot:
        return tr("restart the computer");
    case PowerAction::LogOff:
        return tr("log you off");
    case PowerAction::Hibernate:
        return tr("hibernate the computer");
    case PowerAction::MonitorOff:
        return tr("turn off the monitor");
    case PowerAction::Suspend:
        return tr("suspend the computer");
    case PowerAction::Lock:
        return tr("lock the screen");
    case PowerAction::None:
        break;
    }
    return {};
}

QString StatusTexts::NextDue(const Engine& engine) {
    // One pass over the rows at one reading of the clock, once per tick or change.
    const ScheduleStatus status = engine.Status();
    const int row = status.nextRow;
    if (!engine.Tasks().IsValidRow(row)) {
        return {};
    }
    const QString name = ShownText(engine.Tasks().FieldOf(row, Field::Program));
    if (status.secondsLeft) {
        return tr("Next: %1 in %2").arg(name, TimeLeft(*status.secondsLeft));
    }
    const TaskPlan& plan = engine.Tasks().PlanOf(row);
    if (plan.IsIdle()) {
        return tr("Next: %1 waits for idle").arg(name);
    }
    if (StillWaits(plan)) {
        return tr("Next: %1, %2").arg(name, WaitsFor(plan));
    }
    return tr("Next: %1").arg(name);
}

QString StatusTexts::Armed(const Engine& engine) {
    const std::optional<Mark> armed = engine.ArmedAfterAllAction();
    const QString caption = armed ? MarkCaption(engine.Language(), *armed) : QString();
    if (engine.EmptyActionWaiting()) {
        return tr("The Empty task's %1 waits until the other tasks have finished")
            .arg(caption.isEmpty() ? tr("action") : caption);
    }
    return caption.isEmpty() ? QString() : tr("After all tasks: %1").arg(caption);
}

QString StatusTexts::AlertText(const Alert& alert) {
    const QString subject = ShownText(alert.subject);
    const QString detail = ShownText(alert.detail);
    switch (alert.kind) {
    case Alert::Kind::ListSetAside:
        return tr("%1 could not be read wholly and was kept as %2").arg(subject, detail);
    case Alert::Kind::NotSaved:
        if (alert.subject == "tasks") {
            return tr("Tasks could not be saved: %1").arg(detail);
        }
        if (alert.subject == "settings") {
            return tr("Settings could not be saved: %1").arg(detail);
        }
        return tr("%1 could not be saved: %2").arg(subject, detail);
    case Alert::Kind::NotAlone:
        return tr("Another Morvane may be using the same tasks: %1").arg(detail);
    }
    return {};
}

QString StatusTexts::RowTimeLeft(const Engine& engine, int row) {
    if (!engine.Tasks().IsValidRow(row)) {
        return {};
    }
    if (const auto left = engine.SecondsLeft(row)) {
        return tr("Time left: %1").arg(TimeLeft(*left));
    }
    const TaskPlan& plan = engine.Tasks().PlanOf(row);
    if (plan.IsIdle()) {
        return tr("Waiting for idle");
    }
    if (StillWaits(plan)) {
        return tr("Waiting: %1").arg(WaitsFor(plan));
    }
    return {};
}

bool StatusTexts::StillWaits(const TaskPlan& plan) {
    return plan.Watches() && plan.due && FormatCanonical(*plan.due) == texts::kWaitingTime;
}

QString StatusTexts::WaitsFor(const TaskPlan& plan) {
    if (!StillWaits(plan)) {
        return {};
    }
    if (plan.trigger == TaskTrigger::ProgramExits) {
        const QString name = ShownText(plan.watchName);
        return plan.watchPid > 0
                   ? tr("when %1 (%2) exits").arg(name, QString::number(plan.watchPid))
                   : tr("when every %1 has exited").arg(name);
    }
    const QString limit = QString::number(plan.quietLimit);
    const QString period = Duration(PeriodSeconds(plan.period));
    return plan.quietSource == QuietSource::Network
               ? tr("when the network stays below %1 KiB/s for %2").arg(limit, period)
               : tr("when the processor stays below %1% for %2").arg(limit, period);
}

} // namespace morvane
