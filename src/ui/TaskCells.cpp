#include "ui/TaskCells.h"

#include "core/storage/TaskFile.h"
#include "core/tasks/DateTime.h"
#include "ui/ShownText.h"
#include "ui/StatusTexts.h"

namespace morvane {

namespace {

// One caption per target, each a whole sentence for the translators.
struct Wording {
    const char* time;
    const char* countdown;
    const char* idlePointer;
    const char* idleInput;
    const char* exitsOne;
    const char* exitsAll;
    const char* network;
    const char* processor;
};

constexpr Wording kClose = {
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Close at the set time"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Close in %1"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Close after %1 without mouse movement"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Close after %1 without input"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Close when %1 exits"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Close when every %1 has exited"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Close when the network is quiet"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Close when the processor is quiet")};
constexpr Wording kRun = {
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Run at the set time"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Run in %1"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Run after %1 without mouse movement"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Run after %1 without input"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Run when %1 exits"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Run when every %1 has exited"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Run when the network is quiet"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "Run when the processor is quiet")};
constexpr Wording kEmpty = {
    QT_TRANSLATE_NOOP("morvane::TaskCells", "At the set time"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "In %1"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "After %1 without mouse movement"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "After %1 without input"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "When %1 exits"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "When every %1 has exited"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "When the network is quiet"),
    QT_TRANSLATE_NOOP("morvane::TaskCells", "When the processor is quiet")};

const Wording& WordingOf(TaskTarget target) {
    switch (target) {
    case TaskTarget::Close:
        return kClose;
    case TaskTarget::Empty:
        return kEmpty;
    case TaskTarget::Run:
        break;
    }
    return kRun;
}

QString Translated(const char* source) {
    return QCoreApplication::translate("morvane::TaskCells", source);
}

} // namespace

QString TaskCells::Type(const TaskPlan& plan, std::string_view stored, bool idleAnyInput) {
    if (!IsTaskType(stored)) {
        return ShownText(stored);
    }
    const Wording& words = WordingOf(plan.target);
    const QString period = StatusTexts::Duration(PeriodSeconds(plan.period));
    QString text;
    switch (plan.trigger) {
    case TaskTrigger::Time:
        text = Translated(words.time);
        break;
    case TaskTrigger::Countdown:
        text = Translated(words.countdown).arg(period);
        break;
    case TaskTrigger::Idle:
        text = Translated(idleAnyInput ? words.idleInput : words.idlePointer).arg(period);
        break;
    case TaskTrigger::ProgramExits:
        text = Translated(plan.watchPid > 0 ? words.exitsOne : words.exitsAll)
                   .arg(ShownText(plan.watchName));
        break;
    case TaskTrigger::Quiet:
        text =
            Translated(plan.quietSource == QuietSource::Network ? words.network : words.processor);
        break;
    }
    if (plan.gentle && plan.target == TaskTarget::Close) {
        text = tr("%1, asking first (%2 s)").arg(text).arg(plan.graceSeconds);
    }
    return text;
}

QString TaskCells::Loop(const TaskPlan& plan, std::string_view stored) {
    // A waiting task runs once whatever its line says.
    switch (plan.Watches() ? TaskRepeat::None : plan.repeat) {
    case TaskRepeat::None:
        return tr("once");
    case TaskRepeat::Month:
        return tr("every month");
    case TaskRepeat::Day:
        return tr("every day");
    case TaskRepeat::Hour:
        return tr("every hour");
    case TaskRepeat::Minute:
        return tr("every minute");
    case TaskRepeat::Unknown:
        break;
    }
    return ShownText(stored);
}

QString TaskCells::After(const LanguageTable& lan, const TaskPlan& plan, std::string_view stored) {
    // A power name of a later version reads as none: show what is stored rather than "nothing".
    const bool readable = plan.power != PowerAction::None || stored.empty() ||
                          StartsWith(stored, texts::kNone) || StartsWith(stored, " - ");
    if (!readable) {
        return ShownText(stored);
    }
    const QString action = StatusTexts::ActionCaption(lan, plan.power);
    if (!plan.quit) {
        return action.isEmpty() ? tr("nothing") : action;
    }
    return action.isEmpty() ? tr("quit Morvane") : tr("%1, then quit Morvane").arg(action);
}

} // namespace morvane
