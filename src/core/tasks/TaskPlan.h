#pragma once

#include "core/tasks/DateTime.h"
#include "core/tasks/Task.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvane {

/// How long a gentle close waits before it forces what is left, in seconds.
inline constexpr int kDefaultGraceSeconds = 10;
inline constexpr int kMinGraceSeconds = 1;
inline constexpr int kMaxGraceSeconds = 3600;

/// The power actions a task, or the after-all-tasks choice, can ask for. New ones go last: the
/// editor's list positions follow this order.
enum class PowerAction { None, Shutdown, Reboot, LogOff, Hibernate, MonitorOff, Suspend, Lock };

/// What a task acts on: a program to close, a command line to run, or nothing at all (an Empty
/// task, whose power action is carried by the after-all-tasks choice).
enum class TaskTarget { Close, Run, Empty };
/// When a task becomes due: at its stored time, at a countdown's end, after a period without
/// activity, when a program has exited, or when the network or processor has gone quiet.
enum class TaskTrigger { Time, Countdown, Idle, ProgramExits, Quiet };
/// What a quiet trigger measures.
enum class QuietSource { Network, Processor };

/// Below this traffic (KiB/s) or processor share (%) for kDefaultQuietSeconds, by default.
inline constexpr int kDefaultQuietKiB = 50;
inline constexpr int kDefaultQuietPercent = 10;
inline constexpr int kDefaultQuietSeconds = 300;
inline constexpr int kMaxQuietKiB = 10'000'000;
/// How a task repeats; Unknown is a loop text Morvane does not know, which runs once.
enum class TaskRepeat { None, Month, Day, Hour, Minute, Unknown };

/// A task's seven texts read once: every decision is made on this value, while the texts stay
/// what is stored, written and shown, byte for byte.
struct TaskPlan {
    TaskTarget target = TaskTarget::Run;
    TaskTrigger trigger = TaskTrigger::Time;
    /// The "D-H-M-S" period of a countdown or idle trigger; empty for a fixed time.
    std::string period;
    TaskRepeat repeat = TaskRepeat::None;
    PowerAction power = PowerAction::None;
    bool quit = false;
    /// A close task asks each process to close, and forces only what is left after the grace.
    bool gentle = false;
    int graceSeconds = kDefaultGraceSeconds;
    /// ProgramExits: the program's file name, and the one process waited for (0: every process
    /// of that name).
    std::string watchName;
    std::int64_t watchPid = 0;
    /// Quiet: what is measured, and the level below which it counts as quiet (KiB/s or %).
    QuietSource quietSource = QuietSource::Network;
    int quietLimit = 0;
    /// The due moment; none when the stored time cannot be read, which counts as due at once.
    std::optional<DateTime> due;

    [[nodiscard]] bool IsIdle() const { return trigger == TaskTrigger::Idle; }
    /// Waits for something to happen on the machine rather than for a time.
    [[nodiscard]] bool Watches() const {
        return trigger == TaskTrigger::ProgramExits || trigger == TaskTrigger::Quiet;
    }
    /// Has no time to count down to: an idle or a watching task.
    [[nodiscard]] bool WaitsForEvent() const { return IsIdle() || Watches(); }
    [[nodiscard]] bool Repeats() const {
        return repeat != TaskRepeat::None && repeat != TaskRepeat::Unknown;
    }
    /// An Empty task with something to do: its action waits until every other task is gone.
    [[nodiscard]] bool ActsAfterAll() const {
        return target == TaskTarget::Empty && (power != PowerAction::None || quit);
    }
    /// Never leaves the list by itself: a repeating task moves on to its next time, except an
    /// Empty one, which is removed once its time comes.
    [[nodiscard]] bool StaysForEver() const { return Repeats() && target != TaskTarget::Empty; }
    /// Due at `now`: the due moment has come, or cannot be read.
    [[nodiscard]] bool IsDueAt(const DateTime& now) const {
        return !due || DueNumber(now) >= DueNumber(*due);
    }
};

/// Reads a task's texts; the due time in `order` where it is not the canonical form.
[[nodiscard]] TaskPlan ParseTask(const Task& task, DateOrder order);

/// The type text of a task that waits for a program to exit (see texts::kCloseWhenExits);
/// `pid` 0 waits for every process of `name`.
[[nodiscard]] std::string WhenExitsType(bool close, std::int64_t pid, std::string_view name);
/// The type text of a task that waits for quiet: `limit` in KiB/s or %, `period` "D-H-M-S".
[[nodiscard]] std::string WhenQuietType(bool close, QuietSource source, int limit,
                                        std::string_view period);

/// The power action an `after` text starts with; None when it names none, as for a name a
/// later version stores.
[[nodiscard]] PowerAction PowerOfAfter(std::string_view after);
/// Whether an `after` text asks to quit (its last character is "Q").
[[nodiscard]] inline bool AfterWantsQuit(std::string_view after) {
    return !after.empty() && after.back() == 'Q';
}
/// The grace of an `after` text that asks to close gently (see texts::kGentleMark), within
/// [kMinGraceSeconds, kMaxGraceSeconds]; kDefaultGraceSeconds when the mark has no number.
/// None when it asks to close at once.
[[nodiscard]] std::optional<int> GraceOfAfter(std::string_view after);
/// The text tasks store for a power action ("Shutdown PC" ...); empty for None.
[[nodiscard]] std::string_view PowerName(PowerAction action);
/// The editor's list position of a power action (1 to 7, 0 for None), and the reverse.
[[nodiscard]] int PowerIndex(PowerAction action);
[[nodiscard]] PowerAction PowerAtIndex(int index);

} // namespace morvane
