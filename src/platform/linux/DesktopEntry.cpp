#include "platform/linux/DesktopEntry.h"

#include <fstream>
#include <sstream>

namespace morvane::platform {

namespace {

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<DesktopEntry> DesktopEntry::Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

DesktopEntry DesktopEntry::Parse(std::string_view text) {
    DesktopEntry entry;
    bool inMain = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.starts_with('[')) {
            inMain = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inMain || line.starts_with('#') || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = Trim(line.substr(0, equals));
        if (!key.empty()) {
            entry.m_values.insert_or_assign(std::string(key),
                                            std::string(Trim(line.substr(equals + 1))));
        }
    }
    return entry;
}

std::string DesktopEntry::Value(std::string_view key) const {
    const auto it = m_values.find(key);
    return it != m_values.end() ? it->second : std::string{};
}

bool DesktopEntry::IsHidden() const {
    return Value("Hidden") == "true";
}

std::vector<std::string> DesktopEntry::CommandWords(std::string_view command) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool inWord = false;
    for (std::size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (quoted) {
            if (c == '\\' && i + 1 < command.size()) {
                word += command[++i];
            } else if (c == '"') {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == '"') {
            quoted = true;
            inWord = true;
        } else if (c == ' ' || c == '\t') {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

std::string DesktopEntry::ProgramOf(std::string_view command) {
    const std::vector<std::string> words = CommandWords(command);
    std::size_t i = 0;
    // "env VAR=x prog" starts prog.
    if (i < words.size() && std::filesystem::path(words[i]).filename() == "env") {
        ++i;
        while (i < words.size() &&
               (words[i].find('=') != std::string::npos || words[i].starts_with('-'))) {
            ++i;
        }
    }
    return i < words.size() ? words[i] : std::string{};
}

} // namespace morvane::platform
