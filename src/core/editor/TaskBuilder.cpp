#include "core/editor/TaskBuilder.h"

#include "core/Options.h"
#include "core/scheduler/PowerDispatch.h"
#include "platform/Launcher.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

namespace morvane {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<std::int64_t> WholeNumber(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool IsCloseType(const TaskBuilder::Input& in) {
    return in.autoType == 0;
}

std::string CountdownText(const TaskBuilder::Input& in) {
    return in.days + "-" + in.hours + "-" + in.minutes + "-" + in.seconds;
}

// now + D days + H hours + M minutes + S seconds; a unit that is not a number, or that would
// leave the calendar, adds nothing.
DateTime CountdownDue(const TaskBuilder::Input& in, DateTime t) {
    const std::pair<const std::string*, std::int64_t> units[] = {
        {&in.days, 86400}, {&in.hours, 3600}, {&in.minutes, 60}, {&in.seconds, 1}};
    for (const auto& [text, scale] : units) {
        const auto n = WholeNumber(*text);
        // Beyond a million units the sum would leave years 100 to 9999 anyway.
        if (!n || *n > 1'000'000'000 || *n < -1'000'000'000) {
            continue;
        }
        if (const auto next = AddSeconds(t, *n * scale)) {
            t = *next;
        }
    }
    return t;
}

std::string TwoDigits(int n) {
    std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}

// The specific time's moment; nullopt when the entries do not make one.
std::optional<DateTime> FixedDate(const TaskBuilder::Input& in) {
    const auto year = WholeNumber(in.year);
    const auto day = WholeNumber(in.day);
    const auto hour = WholeNumber(in.hour);
    const auto minute = WholeNumber(in.minute);
    const auto second = WholeNumber(in.second);
    if (!year || !day || !hour || !minute || !second) {
        return std::nullopt;
    }
    return MakeDateTime(static_cast<int>(*year), in.monthIndex + 1, static_cast<int>(*day),
                        static_cast<int>(*hour), static_cast<int>(*minute),
                        static_cast<int>(*second));
}

std::string PeriodText(std::int64_t seconds) {
    seconds = std::max<std::int64_t>(0, seconds);
    return TwoDigits(static_cast<int>(seconds / 86400)) + "-" +
           TwoDigits(static_cast<int>(seconds % 86400 / 3600)) + "-" +
           TwoDigits(static_cast<int>(seconds % 3600 / 60)) + "-" +
           TwoDigits(static_cast<int>(seconds % 60));
}

std::string WatchType(const TaskBuilder::Input& in, bool close) {
    using Watch = TaskBuilder::Input::Watch;
    if (in.watch == Watch::ProgramExits) {
        return WhenExitsType(close, WholeNumber(in.watchId).value_or(0), in.watchName);
    }
    const bool network = in.watch == Watch::Network;
    const int limit = in.quietLimit > 0 ? std::min(in.quietLimit, network ? kMaxQuietKiB : 100)
                                        : (network ? kDefaultQuietKiB : kDefaultQuietPercent);
    return WhenQuietType(close, network ? QuietSource::Network : QuietSource::Processor, limit,
                         PeriodText(in.quietSeconds));
}

} // namespace

bool TaskBuilder::IsWholeNumber16(std::string_view text) {
    const auto n = WholeNumber(text);
    return n && *n >= -32768 && *n <= 32767;
}

TaskBuilder::Refusal TaskBuilder::Check(const Input& in) {
    if (IsCloseType(in)) {
        if (in.processId.empty() && !in.emptyTask) {
            return Refusal::NoTarget;
        }
    } else {
        if (in.commandLine.empty()) {
            return Refusal::EmptyCommandLine;
        }
        // A task line has no escaping: these would split the stored line or change the command.
        if (in.commandLine.find_first_of("\t\r\n") != std::string::npos) {
            return Refusal::UnstorableCommandLine;
        }
    }
    if (in.watch == Input::Watch::ProgramExits) {
        if (in.watchName.empty() || in.watchName.find_first_of("\t\r\n") != std::string::npos ||
            (!in.watchId.empty() && !WholeNumber(in.watchId))) {
            return Refusal::NoWatchedProgram;
        }
        return Refusal::None;
    }
    if (in.watch != Input::Watch::None) {
        return Refusal::None;
    }
    if (!in.countdown) {
        // A date the calendar lacks would be stored, read as unreadable and so fire at once.
        if (!FixedDate(in)) {
            return Refusal::DateDoesNotExist;
        }
    }
    return Refusal::None;
}

bool TaskBuilder::AsksAboutZeroCountdown(const Input& in) {
    if (in.watch != Input::Watch::None) {
        return false;
    }
    const std::string* entries[] = {&in.days, &in.hours, &in.minutes, &in.seconds};
    bool allZero = true;
    for (const std::string* e : entries) {
        if (!IsWholeNumber16(*e)) {
            return true;
        }
        allZero = allZero && WholeNumber(*e) == 0;
    }
    return in.countdown && allZero;
}

bool TaskBuilder::AsksAboutPastTime(const Input& in, const DateTime& now) {
    if (in.countdown || in.watch != Input::Watch::None) {
        return false;
    }
    // The scheduler runs a task whose time has come, to the second: now itself is not ahead.
    const std::optional<DateTime> due = FixedDate(in);
    return due && *due <= now;
}

std::string TaskBuilder::FixedDateText(const Input& in) {
    return in.year + "/" + TwoDigits(in.monthIndex + 1) + "/" + in.day + " " + in.hour + ":" +
           in.minute + ":" + in.second;
}

Task TaskBuilder::Build(const Input& in, const DateTime& now, const platform::Launcher& launcher) {
    Task task;
    if (IsCloseType(in)) {
        if (in.emptyTask) {
            task.program = texts::kEmptyProgram;
            task.path = texts::kNone;
            task.id = texts::kNone;
        } else {
            task.program = in.targetName;
            task.path = in.targetPath;
            task.id = in.processId;
        }
    } else {
        task.program = FileNameFromPath(launcher.ProgramOf(in.commandLine));
        task.path = in.commandLine;
        task.id = texts::kNone;
    }

    task.closeTime = in.countdown ? FormatCanonical(CountdownDue(in, now)) : FixedDateText(in);
    task.loop = in.loop;

    const bool close = IsCloseType(in);
    if (in.noMouseMoving) {
        task.type = std::string(close ? texts::kCloseIdle : texts::kRunIdle) + CountdownText(in);
    } else if (in.countdown) {
        task.type = std::string(close ? texts::kCloseAfter : texts::kRunAfter) + CountdownText(in);
    } else {
        task.type = close ? texts::kCloseNormal : texts::kRunNormal;
    }

    if (in.watch != Input::Watch::None) {
        // It waits for what it names, not for a time, and runs once.
        task.closeTime = texts::kWaitingTime;
        task.loop = texts::kNone;
        task.type = WatchType(in, close);
    }

    task.after = PowerName(PowerAtIndex(in.afterIndex));
    // Only a program to close can be asked first: run and Empty tasks keep the older text.
    if (close && !in.emptyTask && in.gentle) {
        task.after +=
            std::string(texts::kGentleMark) +
            std::to_string(std::clamp(in.graceSeconds, kMinGraceSeconds, kMaxGraceSeconds));
    }
    if (in.quit) {
        task.after += texts::kQuitFlag;
    }
    return task;
}

TaskBuilder::Input TaskBuilder::InputOf(const Task& task, DateOrder order) {
    Input in;
    const bool close = StartsWith(task.type, texts::kClose);
    in.autoType = close ? 0 : 1;
    if (close) {
        in.emptyTask = task.program == texts::kEmptyProgram;
        if (!in.emptyTask) {
            in.targetName = task.program;
            in.processId = task.id;
            in.targetPath = task.path;
        }
    } else {
        in.commandLine = task.path;
    }

    std::string_view period;
    for (const std::string_view prefix :
         {texts::kCloseIdle, texts::kRunIdle, texts::kCloseAfter, texts::kRunAfter}) {
        if (StartsWith(task.type, prefix)) {
            period = std::string_view(task.type).substr(prefix.size());
            in.noMouseMoving = prefix == texts::kCloseIdle || prefix == texts::kRunIdle;
            break;
        }
    }
    in.countdown = task.type != texts::kCloseNormal && task.type != texts::kRunNormal;
    // "dd-hh-mm-ss": each part in its own entry, a missing one left at "00".
    std::string* units[] = {&in.days, &in.hours, &in.minutes, &in.seconds};
    for (std::string* unit : units) {
        if (period.empty()) {
            break;
        }
        const std::size_t dash = period.find('-');
        *unit = std::string(period.substr(0, dash));
        period = dash == std::string_view::npos ? std::string_view() : period.substr(dash + 1);
    }

    const TaskPlan plan = ParseTask(task, order);
    if (plan.trigger == TaskTrigger::ProgramExits) {
        in.watch = Input::Watch::ProgramExits;
        in.watchName = plan.watchName;
        in.watchId = plan.watchPid > 0 ? std::to_string(plan.watchPid) : std::string();
    } else if (plan.trigger == TaskTrigger::Quiet) {
        in.watch = plan.quietSource == QuietSource::Network ? Input::Watch::Network
                                                            : Input::Watch::Processor;
        in.quietLimit = plan.quietLimit;
        in.quietSeconds = static_cast<int>(
            std::min<std::int64_t>(PeriodSeconds(plan.period), std::numeric_limits<int>::max()));
    }
    if (const auto due = ParseDateText(task.closeTime, order)) {
        in.year = std::to_string(due->year);
        in.monthIndex = due->month - 1;
        in.day = TwoDigits(due->day);
        in.hour = TwoDigits(due->hour);
        in.minute = TwoDigits(due->minute);
        in.second = TwoDigits(due->second);
    }
    in.loop = task.loop;
    in.quit = AfterWantsQuit(task.after);
    in.afterIndex = PowerIndex(PowerOfAfter(task.after));
    const std::optional<int> grace = GraceOfAfter(task.after);
    in.gentle = grace.has_value();
    in.graceSeconds = grace.value_or(kDefaultGraceSeconds);
    return in;
}

void TaskBuilder::SetAfterMarks(const Input& in, Options& options) {
    if (in.quit) {
        options.SetChecked(Mark::Quit, true);
    }
    if (const auto mark = MarkOf(PowerAtIndex(in.afterIndex))) {
        // Clears all six marks, the quit mark just set included: the power action wins.
        options.UncheckAfterMenus();
        options.SetChecked(*mark, true);
    }
}

} // namespace morvane
