#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace morvane::platform::x11 {

/// Finds a program's icon name through the desktop entries of the installed applications, for
/// windows that carry no icon of their own.
class DesktopEntryIcons final {
public:
    /// Looks in the given "applications" folders, the first one winning over later ones.
    explicit DesktopEntryIcons(std::vector<std::filesystem::path> folders);
    /// The folders the desktop's menu reads: XDG_DATA_HOME, then each of XDG_DATA_DIRS.
    static std::vector<std::filesystem::path> StandardFolders();

    /// The Icon value of the entry that belongs to the program: first one whose StartupWMClass
    /// is the window's class or instance, then one whose file is named after the class,
    /// instance or program, then one whose command runs the program. Letter case is ignored.
    /// Empty when no entry matches. The folders are read once, on the first question.
    std::string IconFor(const std::string& programName, const std::string& wmInstance,
                        const std::string& wmClass);

private:
    struct Entry {
        std::string id; // file name without ".desktop", lower case
        std::string startupWmClass;
        std::string command; // file name of the program the Exec line runs, lower case
        std::string icon;
    };

    void Load();

    std::vector<std::filesystem::path> m_folders;
    std::vector<Entry> m_entries;
    bool m_loaded = false;
};

} // namespace morvane::platform::x11
