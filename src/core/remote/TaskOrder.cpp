#include "core/remote/TaskOrder.h"

#include "core/tasks/DateTime.h"
#include "core/tasks/Task.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace morvane {

namespace {

// A countdown entry holds at most 32767 of its unit; days are the largest.
constexpr std::int64_t kLongestDuration = 32767LL * 86400;

std::optional<int> Digits(std::string_view text, std::size_t minWidth, std::size_t maxWidth) {
    if (text.size() < minWidth || text.size() > maxWidth ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string TwoDigits(std::int64_t n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

bool HasLineBreakOrTab(std::string_view text) {
    return text.find_first_of("\t\r\n") != std::string_view::npos;
}

struct Named {
    std::string_view name;
    PowerAction power;
};
constexpr std::array<Named, 7> kActions = {{{"shutdown", PowerAction::Shutdown},
                                            {"reboot", PowerAction::Reboot},
                                            {"logoff", PowerAction::LogOff},
                                            {"hibernate", PowerAction::Hibernate},
                                            {"monitor-off", PowerAction::MonitorOff},
                                            {"suspend", PowerAction::Suspend},
                                            {"lock", PowerAction::Lock}}};
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kRepeats = {
    {{"minute", texts::kEveryMinute},
     {"hour", texts::kEveryHour},
     {"day", texts::kEveryDay},
     {"month", texts::kEveryMonth}}};
constexpr std::array<std::string_view, 6> kTriggers = {"now",  "in",         "at",
                                                       "idle", "when-exits", "when-quiet"};
constexpr std::array<std::string_view, 7> kOthers = {"action", "close", "run", "for",
                                                     "repeat", "grace", "quit"};

// What one reading needs from the fields: each name at most once.
class FieldReader {
public:
    explicit FieldReader(const OrderFields& fields) : m_fields(fields) {}

    [[nodiscard]] const std::string* Find(std::string_view name) const {
        for (const auto& [key, value] : m_fields) {
            if (key == name) {
                return &value;
            }
        }
        return nullptr;
    }
    // The first field that is unknown or given twice; empty when there is none.
    [[nodiscard]] std::string FirstFault() const {
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            const std::string& key = m_fields[i].first;
            const auto known = [&key](const auto& names) {
                return std::find(names.begin(), names.end(), key) != names.end();
            };
            if (!known(kTriggers) && !known(kOthers)) {
                return "unknown option --" + key;
            }
            for (std::size_t j = 0; j < i; ++j) {
                if (m_fields[j].first == key) {
                    return "--" + key + " is given twice";
                }
            }
        }
        return {};
    }

private:
    const OrderFields& m_fields;
};

std::optional<bool> Flag(const std::string* value) {
    if (value == nullptr || *value == "false") {
        return false;
    }
    if (value->empty() || *value == "true") {
        return true;
    }
    return std::nullopt;
}

// Reads `value` of "--name" as a duration into `seconds`; false with `why` set otherwise.
bool ReadDuration(std::string_view name, const std::string& value, std::int64_t& seconds,
                  std::string& why) {
    const auto parsed = ParseDuration(value);
    if (!parsed) {
        why = "--" + std::string(name) + " \"" + value +
              "\" is not a duration: write it like 90s, 30m, 1h30m or 2d (more than zero, at "
              "most 32767 days)";
        return false;
    }
    seconds = *parsed;
    return true;
}

bool ReadTarget(const FieldReader& fields, TaskOrder& order, std::string& why) {
    const std::string* close = fields.Find("close");
    const std::string* run = fields.Find("run");
    if (close != nullptr && run != nullptr) {
        why = "give --close or --run, not both";
        return false;
    }
    if (close != nullptr) {
        if (close->empty() || HasLineBreakOrTab(*close)) {
            why = "--close needs the name of a running program";
            return false;
        }
        order.target = TaskOrder::Target::Close;
        order.program = *close;
    } else if (run != nullptr) {
        if (run->empty() || HasLineBreakOrTab(*run)) {
            why = run->empty() ? "--run needs a command line"
                               : "--run: a command line cannot hold a tab or a line break";
            return false;
        }
        // The running instance does not start from the caller's folder: "./x" would be
        // another file there, or none.
        const std::string_view program =
            std::string_view(*run).substr(std::min(run->find_first_not_of("'\" "), run->size()));
        if (program.rfind("./", 0) == 0 || program.rfind("../", 0) == 0) {
            why = "--run: give the program's full path, not one relative to this folder";
            return false;
        }
        order.target = TaskOrder::Target::Run;
        order.commandLine = *run;
    }
    return true;
}

bool ReadAction(const FieldReader& fields, TaskOrder& order, std::string& why) {
    const std::string* action = fields.Find("action");
    if (action == nullptr) {
        return true;
    }
    for (const Named& named : kActions) {
        if (*action == named.name) {
            order.power = named.power;
            return true;
        }
    }
    why = "unknown action \"" + *action + "\"";
    return false;
}

// The trigger's own checks.
bool ReadTrigger(const FieldReader& fields, const DateTime& now, TaskOrder& order,
                 std::string& why) {
    std::string_view chosen;
    for (const std::string_view name : kTriggers) {
        if (fields.Find(name) == nullptr) {
            continue;
        }
        if (!chosen.empty()) {
            why = "give one trigger only, not both --" + std::string(chosen) + " and --" +
                  std::string(name);
            return false;
        }
        chosen = name;
    }
    if (chosen.empty()) {
        why = "say when: give --now, --in, --at, --idle, --when-exits or --when-quiet";
        return false;
    }
    if (fields.Find("for") != nullptr && chosen != "when-quiet") {
        why = "--for goes with --when-quiet only";
        return false;
    }
    const std::string& value = *fields.Find(chosen);
    if (chosen == "now") {
        if (!Flag(&value)) {
            why = "--now takes no value";
            return false;
        }
        order.trigger = TaskOrder::Trigger::Now;
    } else if (chosen == "in" || chosen == "idle") {
        order.trigger = chosen == "in" ? TaskOrder::Trigger::In : TaskOrder::Trigger::Idle;
        return ReadDuration(chosen, value, order.seconds, why);
    } else if (chosen == "at") {
        const auto at = ParseOrderTime(value, now);
        if (!at) {
            why = "--at \"" + value +
                  "\" is not a time: write HH:MM[:SS] or YYYY-MM-DD HH:MM[:SS], a time and a "
                  "date that exist";
            return false;
        }
        if (*at <= now) {
            // The scheduler runs a task whose time has come at once: not what a date asks for.
            why = "--at \"" + value + "\" has passed";
            return false;
        }
        order.trigger = TaskOrder::Trigger::At;
        order.at = *at;
    } else if (chosen == "when-exits") {
        order.trigger = TaskOrder::Trigger::Exits;
        if (value.empty() || HasLineBreakOrTab(value)) {
            why = "--when-exits needs a process id or a program name";
            return false;
        }
        // All digits is an id; a program called by digits alone is not one to wait for.
        if (const auto pid = Digits(value, 1, 9)) {
            if (*pid <= 0) {
                why = "--when-exits: " + value + " is not a process id";
                return false;
            }
            order.watchPid = *pid;
        } else {
            order.watchName = value;
        }
    } else {
        order.trigger = TaskOrder::Trigger::Quiet;
        const std::size_t equals = value.find('=');
        const std::string_view kind = std::string_view(value).substr(0, equals);
        const bool network = kind == "network";
        order.quietSource = network ? QuietSource::Network : QuietSource::Processor;
        const int max = network ? kMaxQuietKiB : 100;
        order.quietLimit = network ? kDefaultQuietKiB : kDefaultQuietPercent;
        if (equals != std::string::npos) {
            const auto level = Digits(std::string_view(value).substr(equals + 1), 1, 8);
            order.quietLimit = level ? *level : 0;
        }
        if ((!network && kind != "cpu") || order.quietLimit < 1 || order.quietLimit > max) {
            why = "--when-quiet takes network[=KIB_PER_S] (1 to " + std::to_string(kMaxQuietKiB) +
                  ") or cpu[=PERCENT] (1 to 100)";
            return false;
        }
        order.seconds = kDefaultQuietSeconds;
        if (const std::string* span = fields.Find("for")) {
            return ReadDuration("for", *span, order.seconds, why);
        }
    }
    return true;
}

} // namespace

std::optional<std::int64_t> ParseDuration(std::string_view text) {
    std::int64_t total = 0;
    if (text.empty()) {
        return std::nullopt;
    }
    while (!text.empty()) {
        std::size_t digits = 0;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
            ++digits;
        }
        if (digits == 0 || digits > 9 || digits == text.size()) {
            return std::nullopt;
        }
        std::int64_t n = 0;
        std::from_chars(text.data(), text.data() + digits, n);
        const char unit = text[digits];
        const std::int64_t scale = unit == 's'   ? 1
                                   : unit == 'm' ? 60
                                   : unit == 'h' ? 3600
                                   : unit == 'd' ? 86400
                                                 : 0;
        if (scale == 0) {
            return std::nullopt;
        }
        total += n * scale;
        if (total > kLongestDuration) {
            return std::nullopt;
        }
        text.remove_prefix(digits + 1);
    }
    return total > 0 ? std::optional(total) : std::nullopt;
}

std::string DurationText(std::int64_t seconds) {
    std::string text;
    const std::pair<std::int64_t, char> units[] = {{86400, 'd'}, {3600, 'h'}, {60, 'm'}, {1, 's'}};
    for (const auto& [scale, unit] : units) {
        if (seconds >= scale) {
            text += std::to_string(seconds / scale) + unit;
            seconds %= scale;
        }
    }
    return text.empty() ? "0s" : text;
}

std::optional<DateTime> ParseOrderTime(std::string_view text, const DateTime& now) {
    std::optional<DateTime> date;
    const std::size_t gap = text.find_first_of(" T");
    if (gap != std::string_view::npos) {
        const std::string_view day = text.substr(0, gap);
        if (day.size() != 10 || day[4] != '-' || day[7] != '-') {
            return std::nullopt;
        }
        const auto y = Digits(day.substr(0, 4), 4, 4);
        const auto m = Digits(day.substr(5, 2), 2, 2);
        const auto d = Digits(day.substr(8, 2), 2, 2);
        if (!y || !m || !d) {
            return std::nullopt;
        }
        date = MakeDateTime(*y, *m, *d);
        if (!date) {
            return std::nullopt;
        }
        text.remove_prefix(gap + 1);
    }
    // HH:MM or HH:MM:SS, each part of one or two digits.
    std::array<int, 3> parts{0, 0, 0};
    std::size_t count = 0;
    while (count < parts.size()) {
        const std::size_t colon = text.find(':');
        const auto part = Digits(text.substr(0, colon), 1, 2);
        if (!part) {
            return std::nullopt;
        }
        parts.at(count++) = *part;
        if (colon == std::string_view::npos) {
            text = {};
            break;
        }
        text.remove_prefix(colon + 1);
    }
    if (count < 2 || !text.empty() || parts[0] > 23 || parts[1] > 59 || parts[2] > 59) {
        return std::nullopt;
    }
    const DateTime day = date.value_or(now);
    const auto at = MakeDateTime(day.year, day.month, day.day, parts[0], parts[1], parts[2]);
    if (!at || date) {
        return at;
    }
    // A time of day alone is its next coming: tomorrow once today's has passed.
    return *at > now ? at : AddSeconds(*at, 86400);
}

std::optional<TaskOrder> ReadTaskOrder(const OrderFields& fields, const DateTime& now,
                                       std::string& why) {
    const FieldReader reader(fields);
    why = reader.FirstFault();
    if (!why.empty()) {
        return std::nullopt;
    }
    TaskOrder order;
    if (!ReadAction(reader, order, why) || !ReadTarget(reader, order, why)) {
        return std::nullopt;
    }
    if (order.power == PowerAction::None && order.target == TaskOrder::Target::Empty) {
        why = "say what to do: give an action (--shutdown, --reboot, --logoff, --hibernate, "
              "--suspend, --lock, --monitor-off) or a target (--close, --run)";
        return std::nullopt;
    }
    if (!ReadTrigger(reader, now, order, why)) {
        return std::nullopt;
    }
    order.loop = texts::kNone;
    if (const std::string* repeat = reader.Find("repeat")) {
        const auto* found = std::find_if(kRepeats.begin(), kRepeats.end(),
                                         [&](const auto& r) { return r.first == *repeat; });
        if (found == kRepeats.end()) {
            why = "--repeat takes minute, hour, day or month";
            return std::nullopt;
        }
        if (order.trigger == TaskOrder::Trigger::Exits ||
            order.trigger == TaskOrder::Trigger::Quiet) {
            why = "--repeat does not go with --when-exits or --when-quiet: they happen once";
            return std::nullopt;
        }
        order.loop = found->second;
    }
    if (const std::string* grace = reader.Find("grace")) {
        if (order.target != TaskOrder::Target::Close) {
            why = "--grace goes with --close only";
            return std::nullopt;
        }
        if (!ReadDuration("grace", *grace, order.graceSeconds, why)) {
            return std::nullopt;
        }
        if (order.graceSeconds > kMaxGraceSeconds) {
            why =
                "--grace \"" + *grace + "\" is too long: at most " + DurationText(kMaxGraceSeconds);
            return std::nullopt;
        }
    }
    const auto quit = Flag(reader.Find("quit"));
    if (!quit) {
        why = "--quit takes no value";
        return std::nullopt;
    }
    order.quit = *quit;
    return order;
}

TaskBuilder::Input TaskOrder::ToInput() const {
    TaskBuilder::Input in;
    in.autoType = target == Target::Run ? 1 : 0;
    in.emptyTask = target == Target::Empty;
    in.targetName = program;
    in.commandLine = commandLine;
    in.countdown = trigger != Trigger::At;
    in.noMouseMoving = trigger == Trigger::Idle;
    if (trigger == Trigger::In || trigger == Trigger::Idle) {
        in.days = TwoDigits(seconds / 86400);
        in.hours = TwoDigits(seconds % 86400 / 3600);
        in.minutes = TwoDigits(seconds % 3600 / 60);
        in.seconds = TwoDigits(seconds % 60);
    }
    if (trigger == Trigger::At) {
        in.year = std::to_string(at.year);
        in.monthIndex = at.month - 1;
        in.day = TwoDigits(at.day);
        in.hour = TwoDigits(at.hour);
        in.minute = TwoDigits(at.minute);
        in.second = TwoDigits(at.second);
    }
    if (trigger == Trigger::Exits) {
        in.watch = TaskBuilder::Input::Watch::ProgramExits;
        in.watchId = watchPid > 0 ? std::to_string(watchPid) : std::string();
        in.watchName = watchName;
    } else if (trigger == Trigger::Quiet) {
        in.watch = quietSource == QuietSource::Network ? TaskBuilder::Input::Watch::Network
                                                       : TaskBuilder::Input::Watch::Processor;
        in.quietLimit = quietLimit;
        in.quietSeconds = static_cast<int>(std::min<std::int64_t>(seconds, INT32_MAX));
    }
    in.loop = loop;
    in.quit = quit;
    in.gentle = graceSeconds > 0;
    in.graceSeconds = graceSeconds > 0 ? static_cast<int>(graceSeconds) : kDefaultGraceSeconds;
    in.afterIndex = PowerIndex(power);
    return in;
}

} // namespace morvane
