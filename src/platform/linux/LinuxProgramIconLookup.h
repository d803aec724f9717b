#pragma once

#include "platform/ProgramIconLookup.h"
#include "platform/linux/Environment.h"

#include <filesystem>
#include <string>
#include <vector>

namespace morvane::platform {

/// Program icons from the desktop entries of the installed applications, as the desktop's menu
/// finds them.
class LinuxProgramIconLookup final : public ProgramIconLookup {
public:
    /// Reads the "applications" folders of the environment's XDG data folders.
    explicit LinuxProgramIconLookup(const Environment& environment = Environment());
    /// Reads the given "applications" folders; an entry in an earlier one hides an entry with
    /// the same id in a later one. `environment` gives the PATH that bare program names in Exec
    /// lines are found on.
    LinuxProgramIconLookup(std::vector<std::filesystem::path> folders, Environment environment);

    /// The folders the desktop's menu reads: XDG_DATA_HOME's (~/.local/share when unset), then
    /// each of XDG_DATA_DIRS (/usr/local/share:/usr/share when unset).
    [[nodiscard]] static std::vector<std::filesystem::path>
    StandardFolders(const Environment& environment);

    /// The Icon value of the first entry, in this order of trust, whose StartupWMClass is the
    /// window's class or instance; whose id is the class, instance or program name (a
    /// reverse-domain id by its last part too); whose Exec or TryExec runs the executable's
    /// path, through PATH and links; whose Exec or TryExec names a program of the program's or
    /// the executable's file name. Letter case in names is ignored. The folders are read once,
    /// on the first question.
    std::string IconFor(const ProgramIdentity& program) override;

private:
    struct Application {
        std::string id;                 // file name without ".desktop", lower case
        std::string startupWmClass;     // lower case
        std::vector<std::string> paths; // what Exec and TryExec run, found and resolved
        std::vector<std::string> names; // their file names, lower case
        std::string icon;
    };

    void Load();
    void AddProgram(Application& application, const std::string& program) const;
    [[nodiscard]] std::string FindOnPath(const std::string& name) const;

    std::vector<std::filesystem::path> m_folders;
    Environment m_environment;
    std::vector<Application> m_applications;
    bool m_loaded = false;
};

} // namespace morvane::platform
