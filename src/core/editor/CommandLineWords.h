#pragma once

#include <string>
#include <string_view>

namespace morvane {

/// The words of a task's command line, quoted the way the launcher reads them back: blanks
/// separate words; single quotes keep everything; double quotes keep everything but a
/// backslash before ", \, $ or `; a backslash outside quotes keeps the next character; nothing
/// is expanded.
class CommandLineWords {
public:
    /// `word` as command-line text that reads back as that one word: unchanged when it is not
    /// empty and holds no blank, quote or backslash, else in double quotes with ", \, $ and `
    /// escaped.
    [[nodiscard]] static std::string Quote(std::string_view word);

    /// The first word of `line` with its quoting taken off; from a quote left open, the rest of
    /// the line as written.
    [[nodiscard]] static std::string First(std::string_view line);
};

} // namespace morvane
