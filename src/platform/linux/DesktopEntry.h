#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::platform {

/// The main group ([Desktop Entry]) of a desktop-entry file: the one reader of the format, for
/// autostart entries and the installed applications alike. Other groups (actions) are skipped.
class DesktopEntry final {
public:
    /// Reads `file`; nullopt when it cannot be opened.
    [[nodiscard]] static std::optional<DesktopEntry> Read(const std::filesystem::path& file);
    /// Reads an entry's text.
    [[nodiscard]] static DesktopEntry Parse(std::string_view text);

    /// The value of `key` as written, without the blanks around it; empty when absent.
    [[nodiscard]] std::string Value(std::string_view key) const;
    /// Hidden=true: the entry counts as deleted, and hides any entry of the same name that
    /// comes after it.
    [[nodiscard]] bool IsHidden() const;
    /// The words of an Exec-style value, its double quotes and their backslashes undone.
    [[nodiscard]] static std::vector<std::string> CommandWords(std::string_view command);
    /// The program an Exec-style value starts: its first word, past "env" and its settings;
    /// empty when there is none.
    [[nodiscard]] static std::string ProgramOf(std::string_view command);

private:
    std::map<std::string, std::string, std::less<>> m_values;
};

} // namespace morvane::platform
