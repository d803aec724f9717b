#include "platform/linux/x11/DesktopEntryIcons.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

namespace morvane::platform::x11 {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::vector<std::string> SplitPath(const char* value, const char* fallback) {
    const std::string text = value != nullptr && *value != '\0' ? value : fallback;
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ':')) {
        if (!part.empty()) {
            parts.push_back(part);
        }
    }
    return parts;
}

// The program an Exec line starts: its first word, past "env" and its assignments.
std::string CommandOf(const std::string& exec) {
    std::stringstream words(exec);
    std::string word;
    while (words >> word) {
        if (!word.empty() && (word.front() == '"' || word.front() == '\'')) {
            word.erase(0, 1);
        }
        if (!word.empty() && (word.back() == '"' || word.back() == '\'')) {
            word.pop_back();
        }
        const std::string name = std::filesystem::path(word).filename().string();
        if (name == "env" || word.find('=') != std::string::npos) {
            continue;
        }
        return Lower(name);
    }
    return {};
}

} // namespace

DesktopEntryIcons::DesktopEntryIcons(std::vector<std::filesystem::path> folders)
    : m_folders(std::move(folders)) {}

std::vector<std::filesystem::path> DesktopEntryIcons::StandardFolders() {
    std::vector<std::filesystem::path> folders;
    if (const char* home = std::getenv("XDG_DATA_HOME"); home != nullptr && *home != '\0') {
        folders.emplace_back(std::filesystem::path(home) / "applications");
    } else if (const char* user = std::getenv("HOME"); user != nullptr && *user != '\0') {
        folders.emplace_back(std::filesystem::path(user) / ".local/share/applications");
    }
    for (const std::string& dir :
         SplitPath(std::getenv("XDG_DATA_DIRS"), "/usr/local/share:/usr/share")) {
        folders.emplace_back(std::filesystem::path(dir) / "applications");
    }
    return folders;
}

void DesktopEntryIcons::Load() {
    m_loaded = true;
    std::set<std::string> seen; // an id in an earlier folder hides the same id later on
    for (const auto& folder : m_folders) {
        std::error_code error;
        std::vector<std::filesystem::path> files;
        for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
             !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
            if (it->path().extension() == ".desktop") {
                files.push_back(it->path());
            }
        }
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            // The desktop file id joins the folders below "applications" with dashes.
            std::string id = std::filesystem::relative(file, folder, error).string();
            if (error) {
                continue;
            }
            std::replace(id.begin(), id.end(), '/', '-');
            id = Lower(id.substr(0, id.size() - std::string(".desktop").size()));
            if (!seen.insert(id).second) {
                continue;
            }
            std::ifstream in(file);
            std::string line;
            bool inMain = false;
            bool hidden = false;
            Entry entry;
            entry.id = id;
            while (std::getline(in, line)) {
                if (!line.empty() && line.back() == '\r') {
                    line.pop_back();
                }
                if (!line.empty() && line.front() == '[') {
                    inMain = line == "[Desktop Entry]";
                    continue;
                }
                const auto equals = line.find('=');
                if (!inMain || equals == std::string::npos) {
                    continue;
                }
                std::string key = line.substr(0, equals);
                while (!key.empty() && key.back() == ' ') {
                    key.pop_back();
                }
                std::string value = line.substr(equals + 1);
                while (!value.empty() && value.front() == ' ') {
                    value.erase(0, 1);
                }
                if (key == "Icon") {
                    entry.icon = value;
                } else if (key == "StartupWMClass") {
                    entry.startupWmClass = Lower(value);
                } else if (key == "Exec") {
                    entry.command = CommandOf(value);
                } else if (key == "Hidden") {
                    hidden = value == "true";
                }
            }
            if (!hidden && !entry.icon.empty()) {
                m_entries.push_back(std::move(entry));
            }
        }
    }
}

std::string DesktopEntryIcons::IconFor(const std::string& programName,
                                       const std::string& wmInstance, const std::string& wmClass) {
    if (!m_loaded) {
        Load();
    }
    const std::string program = Lower(programName);
    const std::string instance = Lower(wmInstance);
    const std::string windowClass = Lower(wmClass);
    auto named = [](const std::string& value, const std::string& wanted) {
        return !wanted.empty() && value == wanted;
    };
    auto idNamed = [&](const std::string& id, const std::string& wanted) {
        // Reverse-domain ids (org.example.Editor) are named after their last part.
        const auto dot = id.rfind('.');
        return named(id, wanted) || (dot != std::string::npos && named(id.substr(dot + 1), wanted));
    };
    for (const Entry& entry : m_entries) {
        if (named(entry.startupWmClass, windowClass) || named(entry.startupWmClass, instance)) {
            return entry.icon;
        }
    }
    for (const Entry& entry : m_entries) {
        if (idNamed(entry.id, windowClass) || idNamed(entry.id, instance) ||
            idNamed(entry.id, program)) {
            return entry.icon;
        }
    }
    for (const Entry& entry : m_entries) {
        if (named(entry.command, program)) {
            return entry.icon;
        }
    }
    return {};
}

} // namespace morvane::platform::x11
