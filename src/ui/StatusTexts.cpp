#include "ui/StatusTexts.h"

#include "core/Engine.h"
#include "core/scheduler/IdleTrigger.h"
#include "ui/Lan.h"
#include "ui/ShownText.h"

#include <algorithm>
#include <array>

namespace morvane {

namespace {

// The five power actions in the order of texts::kPowerNames, kPowerMarks and the language file.
constexpr std::array<LanText, 5> kPowerTexts = {LanText::Shutdown, LanText::Reboot, LanText::LogOff,
                                                LanText::Hibernate, LanText::MonitorOff};

int PowerIndex(std::string_view power) {
    const auto it = std::find(texts::kPowerNames.begin(), texts::kPowerNames.end(), power);
    return it == texts::kPowerNames.end() ? -1 : static_cast<int>(it - texts::kPowerNames.begin());
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

QString StatusTexts::MarkCaption(const LanguageTable& lan, Mark mark) {
    const auto it = std::find(kPowerMarks.begin(), kPowerMarks.end(), mark);
    return it == kPowerMarks.end()
               ? QString()
               : Lan(lan, kPowerTexts[static_cast<std::size_t>(it - kPowerMarks.begin())]);
}

QString StatusTexts::PowerCaption(const LanguageTable& lan, std::string_view power) {
    const int i = PowerIndex(power);
    return i < 0 ? ShownText(power) : Lan(lan, kPowerTexts[static_cast<std::size_t>(i)]);
}

QString StatusTexts::PowerDoing(std::string_view power) {
    switch (PowerIndex(power)) {
    case 0:
        return tr("shut down the computer");
    case 1:
        return tr("restart the computer");
    case 2:
        return tr("log you off");
    case 3:
        return tr("hibernate the computer");
    case 4:
        return tr("turn off the monitor");
    default:
        return ShownText(power);
    }
}

QString StatusTexts::NextDue(const Engine& engine) {
    const int row = engine.NextDueRow();
    if (!engine.Tasks().IsValidRow(row)) {
        return {};
    }
    const QString name = ShownText(engine.Tasks().FieldOf(row, Field::Program));
    if (const auto left = engine.SecondsLeft(row)) {
        return tr("Next: %1 in %2").arg(name, TimeLeft(*left));
    }
    if (IdleTrigger::IdlePeriod(engine.Tasks().FieldOf(row, Field::Type))) {
        return tr("Next: %1 waits for idle").arg(name);
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

QString StatusTexts::RowTimeLeft(const Engine& engine, int row) {
    if (!engine.Tasks().IsValidRow(row)) {
        return {};
    }
    if (const auto left = engine.SecondsLeft(row)) {
        return tr("Time left: %1").arg(TimeLeft(*left));
    }
    if (IdleTrigger::IdlePeriod(engine.Tasks().FieldOf(row, Field::Type))) {
        return tr("Waiting for idle");
    }
    return {};
}

} // namespace morvane
