#include "core/editor/CommandLineWords.h"

namespace morvane {

namespace {

constexpr std::string_view kBlanks = " \t\n";

} // namespace

std::string CommandLineWords::Quote(std::string_view word) {
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

std::string CommandLineWords::First(std::string_view line) {
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
                if (line[j] == '\\' && j + 1 < line.size() &&
                    std::string_view("\"\\$`").find(line[j + 1]) != std::string_view::npos) {
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

} // namespace morvane
