#include "core/tasks/TaskPlan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <utility>

namespace morvane {

namespace {

// The stored names in the editor's list order: position i + 1 is the action's index.
constexpr std::array<std::pair<PowerAction, std::string_view>, 7> kPowerTexts = {{
    {PowerAction::Shutdown, texts::kShutdown},
    {PowerAction::Reboot, texts::kReboot},
    {PowerAction::LogOff, texts::kLogOff},
    {PowerAction::Hibernate, texts::kHibernate},
    {PowerAction::MonitorOff, texts::kMonitorOff},
    {PowerAction::Suspend, texts::kSuspend},
    {PowerAction::Lock, texts::kLock},
}};

TaskRepeat RepeatOf(std::string_view loop) {
    if (loop == texts::kNone) {
        return TaskRepeat::None;
    }
    if (loop == texts::kEveryMonth) {
        return TaskRepeat::Month;
    }
    if (loop == texts::kEveryDay) {
        return TaskRepeat::Day;
    }
    if (loop == texts::kEveryHour) {
        return TaskRepeat::Hour;
    }
    if (loop == texts::kEveryMinute) {
        return TaskRepeat::Minute;
    }
    return TaskRepeat::Unknown;
}

std::optional<std::int64_t> Number(std::string_view text, std::int64_t max) {
    if (text.empty() || text.size() > 12 ||
        text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    std::int64_t n = 0;
    std::from_chars(text.data(), text.data() + text.size(), n);
    return n <= max ? std::optional(n) : std::nullopt;
}

// "4242 wget" or "All wget"; false when the text names no program.
bool ReadWhenExits(std::string_view rest, TaskPlan& plan) {
    const std::size_t gap = rest.find(' ');
    if (gap == std::string_view::npos || gap + 1 == rest.size()) {
        return false;
    }
    const std::string_view who = rest.substr(0, gap);
    if (who != texts::kEveryProcess) {
        const auto pid = Number(who, std::numeric_limits<std::int32_t>::max());
        if (!pid || *pid <= 0) {
            return false;
        }
        plan.watchPid = *pid;
    }
    plan.watchName = rest.substr(gap + 1);
    return true;
}

// "Network 50 00-00-05-00"; false when a part does not read.
bool ReadWhenQuiet(std::string_view rest, TaskPlan& plan) {
    const std::size_t first = rest.find(' ');
    const std::size_t second = rest.find(' ', first == std::string_view::npos ? 0 : first + 1);
    if (second == std::string_view::npos) {
        return false;
    }
    const std::string_view source = rest.substr(0, first);
    if (source != texts::kNetwork && source != texts::kProcessor) {
        return false;
    }
    plan.quietSource = source == texts::kNetwork ? QuietSource::Network : QuietSource::Processor;
    const auto limit = Number(rest.substr(first + 1, second - first - 1),
                              plan.quietSource == QuietSource::Network ? kMaxQuietKiB : 100);
    if (!limit) {
        return false;
    }
    plan.quietLimit = static_cast<int>(*limit);
    plan.period = rest.substr(second + 1);
    return true;
}

} // namespace

std::string WhenExitsType(bool close, std::int64_t pid, std::string_view name) {
    std::string type(close ? texts::kCloseWhenExits : texts::kRunWhenExits);
    type += pid > 0 ? std::to_string(pid) : std::string(texts::kEveryProcess);
    type += ' ';
    type += name;
    return type;
}

std::string WhenQuietType(bool close, QuietSource source, int limit, std::string_view period) {
    std::string type(close ? texts::kCloseWhenQuiet : texts::kRunWhenQuiet);
    type += source == QuietSource::Network ? texts::kNetwork : texts::kProcessor;
    type += ' ' + std::to_string(limit) + ' ';
    type += period;
    return type;
}

PowerAction PowerOfAfter(std::string_view after) {
    for (const auto& [action, name] : kPowerTexts) {
        if (StartsWith(after, name)) {
            return action;
        }
    }
    return PowerAction::None;
}

std::optional<int> GraceOfAfter(std::string_view after) {
    // The mark without its last blank, so a hand-written " - Gentle" alone still asks first.
    const std::string_view mark = texts::kGentleMark.substr(0, texts::kGentleMark.size() - 1);
    const std::size_t at = after.find(mark);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view rest = after.substr(at + mark.size());
    while (!rest.empty() && rest.front() == ' ') {
        rest.remove_prefix(1);
    }
    const std::size_t digits = std::min(rest.find_first_not_of("0123456789"), rest.size());
    if (digits == 0) {
        return kDefaultGraceSeconds;
    }
    // More digits than any grace needs is as long as a grace may be.
    int seconds = kMaxGraceSeconds;
    if (digits <= 5) {
        seconds = 0;
        for (const char c : rest.substr(0, digits)) {
            seconds = seconds * 10 + (c - '0');
        }
    }
    return std::clamp(seconds, kMinGraceSeconds, kMaxGraceSeconds);
}

std::string_view PowerName(PowerAction action) {
    for (const auto& [a, name] : kPowerTexts) {
        if (a == action) {
            return name;
        }
    }
    return {};
}

int PowerIndex(PowerAction action) {
    for (std::size_t i = 0; i < kPowerTexts.size(); ++i) {
        if (kPowerTexts[i].first == action) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

PowerAction PowerAtIndex(int index) {
    return index >= 1 && index <= static_cast<int>(kPowerTexts.size())
               ? kPowerTexts[static_cast<std::size_t>(index - 1)].first
               : PowerAction::None;
}

TaskPlan ParseTask(const Task& task, DateOrder order) {
    TaskPlan plan;
    const std::string_view type = task.type;
    if (StartsWith(type, texts::kClose)) {
        plan.target = task.program == texts::kEmptyProgram ? TaskTarget::Empty : TaskTarget::Close;
    }
    // The idle prefixes begin with the countdown ones: they are asked first.
    for (const std::string_view prefix : {texts::kCloseIdle, texts::kRunIdle}) {
        if (StartsWith(type, prefix)) {
            plan.trigger = TaskTrigger::Idle;
            plan.period = type.substr(prefix.size());
        }
    }
    if (plan.trigger != TaskTrigger::Idle) {
        for (const std::string_view prefix : {texts::kCloseAfter, texts::kRunAfter}) {
            if (StartsWith(type, prefix)) {
                plan.trigger = TaskTrigger::Countdown;
                plan.period = type.substr(prefix.size());
            }
        }
    }
    for (const std::string_view prefix : {texts::kCloseWhenExits, texts::kRunWhenExits}) {
        if (StartsWith(type, prefix) && ReadWhenExits(type.substr(prefix.size()), plan)) {
            plan.trigger = TaskTrigger::ProgramExits;
        }
    }
    for (const std::string_view prefix : {texts::kCloseWhenQuiet, texts::kRunWhenQuiet}) {
        if (StartsWith(type, prefix) && ReadWhenQuiet(type.substr(prefix.size()), plan)) {
            plan.trigger = TaskTrigger::Quiet;
        }
    }
    // Something that has happened does not come round again: such a task runs once. A text
    // that does not read stays a fixed-time task at its stored time, as older versions see it.
    plan.repeat = plan.Watches() ? TaskRepeat::None : RepeatOf(task.loop);
    plan.power = PowerOfAfter(task.after);
    plan.quit = AfterWantsQuit(task.after);
    const std::optional<int> grace = GraceOfAfter(task.after);
    plan.gentle = grace.has_value();
    plan.graceSeconds = grace.value_or(kDefaultGraceSeconds);
    plan.due = ParseDateText(task.closeTime, order);
    return plan;
}

} // namespace morvane
