#include "platform/linux/LinuxProgramIconLookup.h"

#include "platform/linux/DesktopEntry.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <system_error>
#include <unistd.h>

namespace morvane::platform {

namespace {

namespace fs = std::filesystem;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::vector<std::string> SplitPath(const std::string& value) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find(':', start), value.size());
        if (end > start) {
            parts.push_back(value.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

// A path in one spelling: "/usr//bin/./x/" and "/usr/bin/x" are the same program.
std::string Clean(const fs::path& path) {
    std::string text = path.lexically_normal().string();
    if (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

bool Contains(const std::vector<std::string>& values, const std::string& wanted) {
    return !wanted.empty() && std::find(values.begin(), values.end(), wanted) != values.end();
}

bool Named(const std::string& value, const std::string& wanted) {
    return !wanted.empty() && value == wanted;
}

// Reverse-domain ids (org.example.Editor) are named after their last part too.
bool IdNamed(const std::string& id, const std::string& wanted) {
    const std::size_t dot = id.rfind('.');
    return Named(id, wanted) || (dot != std::string::npos && Named(id.substr(dot + 1), wanted));
}

} // namespace

LinuxProgramIconLookup::LinuxProgramIconLookup(const Environment& environment)
    : LinuxProgramIconLookup(StandardFolders(environment), environment) {}

LinuxProgramIconLookup::LinuxProgramIconLookup(std::vector<fs::path> folders,
                                               Environment environment)
    : m_folders(std::move(folders)), m_environment(std::move(environment)) {}

std::vector<fs::path> LinuxProgramIconLookup::StandardFolders(const Environment& environment) {
    std::vector<fs::path> folders;
    if (const std::string home = environment.Get("XDG_DATA_HOME"); !home.empty()) {
        folders.emplace_back(fs::path(home) / "applications");
    } else if (const std::string user = environment.Get("HOME"); !user.empty()) {
        folders.emplace_back(fs::path(user) / ".local/share/applications");
    }
    std::string dirs = environment.Get("XDG_DATA_DIRS");
    if (dirs.empty()) {
        dirs = "/usr/local/share:/usr/share";
    }
    for (const std::string& dir : SplitPath(dirs)) {
        folders.emplace_back(fs::path(dir) / "applications");
    }
    return folders;
}

std::string LinuxProgramIconLookup::FindOnPath(const std::string& name) const {
    for (const std::string& dir : SplitPath(m_environment.Get("PATH"))) {
        const fs::path candidate = fs::path(dir) / name;
        std::error_code error;
        if (fs::is_regular_file(candidate, error) && access(candidate.c_str(), X_OK) == 0) {
            return candidate.string();
        }
    }
    return {};
}

void LinuxProgramIconLookup::AddProgram(Application& application,
                                        const std::string& program) const {
    if (program.empty()) {
        return;
    }
    // The running executable is often a link's target (/usr/bin/x -> /usr/lib/x/x-bin), so
    // both the program and what it resolves to are known paths.
    const std::string found = program.starts_with('/')                 ? program
                              : program.find('/') == std::string::npos ? FindOnPath(program)
                                                                       : std::string{};
    if (!found.empty()) {
        application.paths.push_back(Clean(found));
        std::error_code error;
        const fs::path resolved = fs::canonical(found, error);
        if (!error) {
            application.paths.push_back(resolved.string());
        }
    }
    application.names.push_back(Lower(fs::path(program).filename().string()));
}

void LinuxProgramIconLookup::Load() {
    m_loaded = true;
    std::set<std::string> seen; // an id in an earlier folder hides the same id later on
    for (const fs::path& folder : m_folders) {
        std::error_code error;
        std::vector<fs::path> files;
        for (auto it = fs::recursive_directory_iterator(folder, error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            if (it->path().extension() == ".desktop") {
                files.push_back(it->path());
            }
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            // The desktop file id joins the folders below "applications" with dashes.
            std::string id = fs::relative(file, folder, error).replace_extension().string();
            if (error) {
                continue;
            }
            std::replace(id.begin(), id.end(), '/', '-');
            if (!seen.insert(Lower(id)).second) {
                continue;
            }
            const std::optional<DesktopEntry> entry = DesktopEntry::Read(file);
            if (!entry || entry->IsHidden() || entry->Value("Icon").empty()) {
                continue;
            }
            Application application;
            application.id = Lower(id);
            application.startupWmClass = Lower(entry->Value("StartupWMClass"));
            application.icon = entry->Value("Icon");
            AddProgram(application, DesktopEntry::ProgramOf(entry->Value("Exec")));
            AddProgram(application, entry->Value("TryExec"));
            m_applications.push_back(std::move(application));
        }
    }
}

std::string LinuxProgramIconLookup::IconFor(const ProgramIdentity& program) {
    if (!m_loaded) {
        Load();
    }
    const std::string name = Lower(program.programName);
    const std::string instance = Lower(program.windowInstance);
    const std::string windowClass = Lower(program.windowClass);
    const std::string path = program.executablePath.empty() ? "" : Clean(program.executablePath);
    const std::string file = Lower(fs::path(path).filename().string());
    for (const Application& app : m_applications) {
        if (Named(app.startupWmClass, windowClass) || Named(app.startupWmClass, instance)) {
            return app.icon;
        }
    }
    for (const Application& app : m_applications) {
        if (IdNamed(app.id, windowClass) || IdNamed(app.id, instance) || IdNamed(app.id, name)) {
            return app.icon;
        }
    }
    for (const Application& app : m_applications) {
        if (Contains(app.paths, path)) {
            return app.icon;
        }
    }
    for (const Application& app : m_applications) {
        if (Contains(app.names, name) || Contains(app.names, file)) {
            return app.icon;
        }
    }
    return {};
}

} // namespace morvane::platform
