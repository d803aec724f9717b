#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

/// The seven texts of a task, in task-line and column order (1-based like the list columns).
enum class Field { Program = 1, Path, Id, CloseTime, Loop, Type, After };

inline constexpr int kFieldCount = 7;

/// A field read from bytes that its text does not encode back to (a line that was not valid in
/// the file's encoding): while the field still reads `text`, `bytes` is what is written.
struct FieldBytes {
    Field field = Field::Program;
    std::string text;
    std::string bytes;

    bool operator==(const FieldBytes&) const = default;
};

/// One scheduled entry, as it is stored, written and shown. Decisions read its TaskPlan, made once
/// from these texts; nothing else is stored but the bytes a few fields were read from, for the
/// file writer alone.
struct Task {
    std::string program;
    std::string path;
    std::string id;
    std::string closeTime;
    std::string loop;
    std::string type;
    std::string after;
    /// Empty for every task not read from such a line.
    std::vector<FieldBytes> readFrom{};

    [[nodiscard]] const std::string& Get(Field f) const;
    [[nodiscard]] std::string& Get(Field f);
    /// The bytes field `f` was read from, while its text is still the one read; else null.
    [[nodiscard]] const std::string* BytesReadFor(Field f) const;

    /// Equal when the seven texts are: the bytes kept beside them change how a field is
    /// written, not what it says.
    [[nodiscard]] bool operator==(const Task& other) const;
};

/// The seven fields joined by one TAB each, without the line end. TAB, CR and LF inside a
/// field become spaces: a task line has no escaping, and a raw one would split the record.
[[nodiscard]] std::string JoinTaskLine(const Task& task);
/// One field as JoinTaskLine writes it.
[[nodiscard]] std::string TaskLineField(std::string_view field);

/// Splits a record (without its line end) at every TAB: part k becomes field k, missing parts
/// stay empty, parts beyond the seventh are ignored.
[[nodiscard]] Task SplitTaskLine(std::string_view line);

/// The text after the last path separator ('\\' or '/'), the whole text when there is none.
[[nodiscard]] std::string FileNameFromPath(std::string_view path);

/// Case-insensitive (ASCII) equality, as the close action compares program file names.
[[nodiscard]] bool EqualsIgnoreCase(std::string_view a, std::string_view b);

/// True when the first n characters of text equal prefix exactly (prefix.size() == n).
[[nodiscard]] inline bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

namespace texts {
inline constexpr std::string_view kEmptyProgram = "Empty";
inline constexpr std::string_view kNone = "None";
inline constexpr std::string_view kClose = "Close";
inline constexpr std::string_view kCloseNormal = "Close - Normal";
inline constexpr std::string_view kCloseAfter = "Close - After ";
inline constexpr std::string_view kCloseIdle = "Close - AfterNoMouseMoving ";
inline constexpr std::string_view kRunNormal = "Run - Normal";
inline constexpr std::string_view kRunAfter = "Run - After ";
inline constexpr std::string_view kRunIdle = "Run - AfterNoMouseMoving ";
/// The "when it has finished" triggers: the type names what is waited for, and the stored time
/// stays kWaitingTime until it has happened. Older versions read such a type as a fixed time,
/// so they wait for the year 9999 and never act on it.
/// "Close - WhenExits 4242 wget" waits for process 4242 (of wget); "All wget" for every wget.
inline constexpr std::string_view kCloseWhenExits = "Close - WhenExits ";
inline constexpr std::string_view kRunWhenExits = "Run - WhenExits ";
inline constexpr std::string_view kEveryProcess = "All";
/// "Close - WhenQuiet Network 50 00-00-05-00": traffic below 50 KiB/s for five minutes;
/// "Processor 10 ..." below 10% of the processor.
inline constexpr std::string_view kCloseWhenQuiet = "Close - WhenQuiet ";
inline constexpr std::string_view kRunWhenQuiet = "Run - WhenQuiet ";
inline constexpr std::string_view kNetwork = "Network";
inline constexpr std::string_view kProcessor = "Processor";
inline constexpr std::string_view kWaitingTime = "9999/12/31 23:59:59";
inline constexpr std::string_view kQuitFlag = " - Q";
/// Between the power name and the quit flag of a close task that asks first: " - Gentle 10" is
/// followed by the grace in whole seconds. Older versions read the power name as a prefix and
/// the quit flag as the last character, so they still find both and close at once.
inline constexpr std::string_view kGentleMark = " - Gentle ";

inline constexpr std::string_view kEveryMonth = "Every Month";
inline constexpr std::string_view kEveryDay = "Every Day";
inline constexpr std::string_view kEveryHour = "Every Hour";
inline constexpr std::string_view kEveryMinute = "Every Minute";
/// The loop texts in the editor's list order; "None" is a one-off task.
inline constexpr std::array<std::string_view, 5> kLoops = {kNone, kEveryMonth, kEveryDay,
                                                           kEveryHour, kEveryMinute};

inline constexpr std::string_view kShutdown = "Shutdown PC";
inline constexpr std::string_view kReboot = "Reboot";
inline constexpr std::string_view kLogOff = "Log Off";
inline constexpr std::string_view kHibernate = "Hibernate";
inline constexpr std::string_view kMonitorOff = "Turn Off the Monitor";
inline constexpr std::string_view kSuspend = "Suspend";
inline constexpr std::string_view kLock = "Lock the Screen";
} // namespace texts

} // namespace morvane
