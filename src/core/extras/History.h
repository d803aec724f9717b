#pragma once

#include "core/storage/TextFile.h"
#include "types/DateTime.h"

#include <cstddef>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace morvane {

/// One thing the program did, or was stopped from doing.
struct HistoryEvent {
    enum class Kind {
        Closed,           ///< A close task ended `count` processes of `subject`.
        NothingToClose,   ///< A close task found no process of `subject` it could end;
                          ///< `detail` says why when some run out of reach (see kOutOfReach).
        Started,          ///< A run task started `subject` (its command line).
        CouldNotStart,    ///< A run task could not start `subject`; `detail` says why.
        PowerRequested,   ///< The power action `subject` was asked of the system.
        PowerRefused,     ///< The system refused the power action `subject`; `detail` says why.
        PowerNoAnswerYet, ///< The system had not answered `subject` within seconds: it may
                          ///< still carry it out.
        PowerDoneLate,    ///< The system carried out `subject` after not answering at first.
        Cancelled,        ///< The user cancelled `subject` in the warning notice.
        Snoozed,          ///< The user put `subject` off by ten minutes in the warning notice.
        NotSaved,         ///< `subject` (the tasks, the settings) could not be written;
                          ///< `detail` says why.
        Added,            ///< A task for `subject` (a program, or the power action of an Empty
                          ///< task) was added; `detail` says from where ("editor",
                          ///< "command-line").
        Loaded,           ///< `count` tasks were loaded from the file `subject`.
        ClosedGently,     ///< A close task asked `count` processes of `subject` to close;
                          ///< `detail` says how that ended (see GentleDetail).
    };

    DateTime time;
    Kind kind = Kind::Closed;
    std::string subject;
    int count = 0;
    std::string detail;

    bool operator==(const HistoryEvent&) const = default;
};

/// The details of a NothingToClose event whose program runs out of reach: with administrator
/// rights we lack, or in another user's session.
inline constexpr std::string_view kRunsElevated = "runs-elevated";
inline constexpr std::string_view kOtherSession = "other-session";

/// How a gentle close ended: of the processes asked, how many closed by themselves, were forced
/// after the grace, had no window to ask, or were left running because the task was changed or
/// removed meanwhile.
struct GentleOutcome {
    int closed = 0;
    int forced = 0;
    int graceSeconds = 0;
    int windowless = 0;
    int left = 0;

    bool operator==(const GentleOutcome&) const = default;
};

/// The detail a ClosedGently event keeps: "1 closed, 1 forced after 10 s", with
/// ", 1 without a window" and ", 1 left running" when there are any.
[[nodiscard]] std::string GentleDetail(const GentleOutcome& outcome);
/// The reverse of GentleDetail; nullopt for any other text.
[[nodiscard]] std::optional<GentleOutcome> ReadGentleDetail(std::string_view detail);

/// The last kLimit events, oldest first, kept in a file beside the kept task list. Each event
/// rewrites the file atomically, so a crash leaves the old or the new file, never a torn line.
class History {
public:
    static constexpr std::size_t kLimit = 1000;

    /// Reads the file; lines that are not events are skipped (and dropped at the next write).
    void Load(const std::filesystem::path& path);
    /// Adds an event, dropping the oldest beyond kLimit, and writes the file when one is set.
    WriteResult Append(HistoryEvent event, platform::FileSync* sync = nullptr);
    /// Adds an event without writing: many events of one tick are written once.
    void Add(HistoryEvent event);
    /// Whether events were added since the file was last written.
    [[nodiscard]] bool HasUnwritten() const { return m_unwritten; }
    /// Writes the file when events were added since it was last written.
    WriteResult Write(platform::FileSync* sync = nullptr);

    [[nodiscard]] const std::deque<HistoryEvent>& Events() const { return m_events; }

private:
    std::filesystem::path m_path;
    std::deque<HistoryEvent> m_events;
    bool m_unwritten = false;
};

} // namespace morvane
