#pragma once

#include "core/tasks/DateTime.h"
#include "core/tasks/Task.h"
#include "core/tasks/TaskPlan.h"

#include <string>
#include <string_view>

namespace morvane {

class Options;
namespace platform {
class Launcher;
} // namespace platform

/// Turns what the task editor holds into one task: the checks that may stop Add, the seven
/// texts, and the after-all-tasks marks a new task sets. The editor only reads its widgets into
/// an Input and shows the messages.
class TaskBuilder {
public:
    /// The editor's fields, as plain values.
    struct Input {
        int autoType = 0;       ///< cmbAutoType position: 0 close, any other run.
        bool emptyTask = false; ///< chkOnly.
        // The target the editor shows, whole: a close task is made of these three alone.
        std::string targetName;  ///< The program's file name (lblProcess 1).
        std::string processId;   ///< lblID.
        std::string targetPath;  ///< The program's path; empty when unknown.
        std::string commandLine; ///< txtCmd.
        /// chkGentle and spinGrace: a close task asks first and forces after the grace.
        bool gentle = false;
        int graceSeconds = kDefaultGraceSeconds;
        bool countdown = true;          ///< optTimer selected (else optTime).
        std::string days = "00";        ///< cmbTDay text, as typed.
        std::string hours = "00";       ///< cmbTHour.
        std::string minutes = "00";     ///< cmbTMin.
        std::string seconds = "00";     ///< cmbTSec.
        std::string year;               ///< cmbYear text.
        int monthIndex = 0;             ///< cmbMonth position, 0 for January.
        std::string day;                ///< cmbDay text.
        std::string hour;               ///< cmbHour text.
        std::string minute;             ///< cmbMin text.
        std::string second;             ///< cmbSec text.
        std::string loop{texts::kNone}; ///< cmbLoop text.
        bool noMouseMoving = false;     ///< chkMouse.
        bool quit = false;              ///< chkQuit.
        int afterIndex = 0;             ///< cmbAfter position: 0 nothing, 1 to 7 a power action.
        /// optWhen and cmbWhen: what the task waits for instead of a time; None uses the
        /// countdown or the specific time.
        enum class Watch { None, ProgramExits, Network, Processor };
        Watch watch = Watch::None;
        std::string watchName; ///< ProgramExits: the program's file name.
        std::string watchId;   ///< Its process id; empty waits for every process of the name.
        int quietLimit = 0;    ///< Network KiB/s or Processor %; 0 or less takes the default.
        int quietSeconds = kDefaultQuietSeconds; ///< How long it must stay quiet.
    };

    /// Why Add refuses the input; the editor shows the matching message and adds nothing.
    enum class Refusal {
        None,
        NoTarget,              ///< A close task with no program picked and not an Empty task.
        EmptyCommandLine,      ///< A run task without a command line.
        UnstorableCommandLine, ///< A TAB or line break would split the task line.
        DateDoesNotExist,      ///< A fixed date the calendar does not have (2026/02/31).
        NoWatchedProgram,      ///< Waits for a program to exit, but names none.
    };

    /// The checks that stop Add before anything changes, in the order the editor makes them.
    [[nodiscard]] static Refusal Check(const Input& in);

    /// Whether Add must ask before making a task that is due at once: the countdown is chosen
    /// and all four entries are zero, or any entry is not a 16-bit whole number (whichever
    /// trigger is chosen).
    [[nodiscard]] static bool AsksAboutZeroCountdown(const Input& in);

    /// Whether Add must ask before making a task whose specific time is not in the future, so
    /// that it would run the moment it is added. Asks nothing for a countdown or for a date
    /// Check refuses.
    [[nodiscard]] static bool AsksAboutPastTime(const Input& in, const DateTime& now);

    /// The new task's seven texts; `icon` is left for the caller. A run task is named after
    /// the file its command line starts, as `launcher` reads the line.
    [[nodiscard]] static Task Build(const Input& in, const DateTime& now,
                                    const platform::Launcher& launcher);

    /// The editor's fields for an existing task, the inverse of Build: Build of the result at
    /// the same moment gives the task again (a countdown from that moment). The specific-time
    /// fields hold the due time whenever it can be read, so switching to them shows it.
    [[nodiscard]] static Input InputOf(const Task& task, DateOrder order);

    /// The fixed date's text: year "/" month as two digits "/" day " " hour ":" minute ":"
    /// second, the entry texts as they stand.
    [[nodiscard]] static std::string FixedDateText(const Input& in);

    /// A new task's effect on the after-all-tasks choice: its quit box checks the quit mark;
    /// then a power action clears all six marks and checks its own.
    static void SetAfterMarks(const Input& in, Options& options);

    /// Whether a countdown entry reads as a 16-bit whole number.
    [[nodiscard]] static bool IsWholeNumber16(std::string_view text);
};

} // namespace morvane
