#pragma once

#include "core/extras/History.h"
#include "core/scheduler/TaskActions.h"
#include "core/tasks/DateTime.h"
#include "platform/Processes.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace morvane {

class AppExit;
class Clock;
class PowerDispatch;
class Recorder;
class Rescan;
class RunningPrograms;
class TaskList;
namespace platform {
class Launcher;
}

/// The close and run actions: end or start, then remove or re-arm the row and perform the task's
/// own after-action. The list is kept by whoever changed it, once a tick; the scan that a close
/// reads is the scheduler's. A gentle close asks first and finishes its row later, at the tick
/// its processes have closed or been forced (see FollowUp).
class TaskRunner final : public TaskActions {
public:
    struct Deps {
        TaskList& tasks;
        const RunningPrograms& running;
        platform::Processes& processes;
        platform::Launcher& launcher;
        const Clock& clock;
        PowerDispatch& power;
        Rescan& rescan;
        AppExit& exit;
        /// Where what could not be done is written; may be empty.
        std::function<void(const std::string&)> log = {};
        /// Keeps what each action came to; none when null.
        Recorder* recorder = nullptr;
    };

    explicit TaskRunner(Deps deps) : m_d(std::move(deps)) {}

    void CloseProgram(const std::string& program, int row) override;
    void RunProgram(const std::string& commandLine, int row) override;
    [[nodiscard]] bool IsUnderWay(TaskId task) const override;

    /// Carries the gentle closes on at one tick, never waiting: counts the processes that have
    /// closed, forces those left once their grace is over, and finishes each task whose
    /// processes are all gone (its row, its power action, its quit). A task removed or replaced
    /// meanwhile is not finished and nothing more is forced for it. True when a row finished.
    bool FollowUp();
    /// Whether a gentle close waits for its processes, so the ticks must go on.
    [[nodiscard]] bool HasFollowUps() const { return !m_gentle.empty(); }
    /// The task at `row` is being replaced: its gentle close, if any, ends here.
    void Replacing(int row);
    /// Finishes the task at `row` as if it had acted, without ending, starting or powering
    /// anything: a one-off row goes, a repeating one moves on, and the list is kept.
    void Skip(int row);

    /// The task's `id` as a process we may end: a positive decimal number that is not our own
    /// pid and that still runs `program` (ids are reused, so the name must still match). Its
    /// path is the name it runs now, which the kill checks again; no start time is known.
    [[nodiscard]] std::optional<platform::ProcessInfo> RecordedProcess(const std::string& idText,
                                                                       const std::string& program);

private:
    /// A gentle close under way.
    struct GentleClose {
        TaskId task = 0;
        std::string program;
        int asked = 0;
        GentleOutcome outcome;
        DateTime forceAt;
        /// The processes asked that still run, each with the identity a forced end checks.
        std::vector<platform::ProcessInfo> waiting;
    };

    /// What a close task ends: each scanned process of `program`, and the recorded one.
    [[nodiscard]] std::vector<platform::ProcessInfo> Targets(const std::string& program, int row);
    /// Asks each target to close; false when none could be asked.
    bool StartGentle(const std::vector<platform::ProcessInfo>& targets, const std::string& program,
                     int row, const TaskPlan& plan);
    /// Repeats or removes the row, then its power action and its quit.
    void Finish(int row, const TaskPlan& plan);
    void RecordGentle(const GentleClose& close);
    /// Removes a one-off row or moves a repeating one to its next occurrence. A loop text that
    /// is not one of the four steps has no next occurrence and ends the task like "None".
    void Repeat(int row);
    /// Whether a process may be asked or made to end at all: never a group, never ourselves.
    [[nodiscard]] bool MayEnd(const platform::ProcessInfo& target) const;
    /// Asks the process to end if it may be ended (see Processes::TerminateProcess): nullopt when
    /// it was not asked, else why the system refused (None when it did not).
    std::optional<platform::OutOfReach> Terminate(const platform::ProcessInfo& target);
    void Record(HistoryEvent::Kind kind, std::string subject, int count, std::string detail);
    /// The NothingToClose detail for `program`: why the kill was `refused`, or else why
    /// processes of it run out of the scan's reach, if any.
    [[nodiscard]] std::string OutOfReachDetail(const std::string& program,
                                               platform::OutOfReach refused);

    Deps m_d;
    std::vector<GentleClose> m_gentle;
};

/// Reads a process id written as decimal text; nullopt for anything else (also for 0 and
/// negative numbers, which would address process groups).
[[nodiscard]] std::optional<platform::ProcessId> ParseProcessId(std::string_view text);

} // namespace morvane
