#include "platform/common/ShellWords.h"

namespace morvane::platform {

namespace {

constexpr std::string_view kBlanks = " \t\n";

// Inside double quotes a backslash escapes only what the shell lets it escape.
bool EscapedInDoubleQuotes(std::string_view line, std::size_t backslash) {
    return line[backslash] == '\\' && backslash + 1 < line.size() &&
           std::string_view("\"\\$`").find(line[backslash + 1]) != std::string_view::npos;
}

} // namespace

std::optional<std::vector<std::string>> ShellWords::Split(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (kBlanks.find(c) != std::string_view::npos) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
            continue;
        }
        inWord = true;
        if (c == '\'') {
            const std::size_t close = line.find('\'', i + 1);
            if (close == std::string_view::npos) {
                return std::nullopt;
            }
            word.append(line.substr(i + 1, close - i - 1));
            i = close;
        } else if (c == '"') {
            std::size_t j = i + 1;
            for (; j < line.size() && line[j] != '"'; ++j) {
                if (EscapedInDoubleQuotes(line, j)) {
                    ++j;
                }
                word.push_back(line[j]);
            }
            if (j >= line.size()) {
                return std::nullopt;
            }
            i = j;
        } else if (c == '\\' && i + 1 < line.size()) {
            word.push_back(line[++i]);
        } else {
            word.push_back(c);
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

std::string ShellWords::First(std::string_view line) {
    std::string word;
    std::size_t i = line.find_first_not_of(kBlanks);
    for (; i < line.size() && kBlanks.find(line[i]) == std::string_view::npos; ++i) {
        const char c = line[i];
        if (c == '\'') {
            const std::size_t close = line.find('\'', i + 1);
            word.append(
                line.substr(i + 1, close == std::string_view::npos ? close : close - i - 1));
            if (close == std::string_view::npos) {
                break;
            }
            i = close;
        } else if (c == '"') {
            std::size_t j = i + 1;
            for (; j < line.size() && line[j] != '"'; ++j) {
                if (EscapedInDoubleQuotes(line, j)) {
                    ++j;
                }
                word += line[j];
            }
            i = j;
        } else if (c == '\\' && i + 1 < line.size()) {
            word += line[++i];
        } else {
            word += c;
        }
    }
    return word;
}

std::string ShellWords::Quote(std::string_view word) {
    if (!word.empty() && word.find_first_of(" \t\n'\"\\") == std::string_view::npos) {
        return std::string(word);
    }
    // Double quotes keep the text readable; the four characters they still treat specially
    // are escaped, which a shell reads the same way.
    std::string quoted = "\"";
    quoted.reserve(word.size() + 2);
    for (const char c : word) {
        if (c == '"' || c == '\\' || c == '$' || c == '`') {
            quoted += '\\';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

} // namespace morvane::platform
