#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::platform {

/// Command lines quoted the way a POSIX shell quotes them, with nothing expanded: blanks
/// separate words; single quotes keep everything; double quotes keep everything but a backslash
/// before ", \, $ or `; a backslash outside quotes keeps the next character.
class ShellWords final {
public:
    ShellWords() = delete;

    /// The words of `line`; nullopt for a quote left open.
    [[nodiscard]] static std::optional<std::vector<std::string>> Split(std::string_view line);

    /// The first word of `line` with its quoting taken off; from a quote left open, the rest of
    /// the line as written; empty when the line has no word.
    [[nodiscard]] static std::string First(std::string_view line);

    /// `word` as command-line text that reads back as that one word: unchanged when it is not
    /// empty and holds no blank, quote or backslash, else in double quotes with ", \, $ and `
    /// escaped.
    [[nodiscard]] static std::string Quote(std::string_view word);
};

} // namespace morvane::platform
