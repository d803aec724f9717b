#include "platform/linux/x11/ProcFiles.h"

#include <fstream>
#include <system_error>

namespace morvane::platform::x11 {

std::filesystem::path ProcFiles::Dir(std::int64_t pid) const {
    return m_root / std::to_string(pid);
}

bool ProcFiles::Exists(std::int64_t pid) const {
    std::error_code error;
    return pid > 0 && std::filesystem::is_directory(Dir(pid), error);
}

std::string ProcFiles::ExecutablePath(std::int64_t pid) const {
    if (pid <= 0) {
        return {};
    }
    std::error_code error;
    std::string path = std::filesystem::read_symlink(Dir(pid) / "exe", error).string();
    if (error) {
        return {};
    }
    // The kernel marks a program whose file was replaced (an upgrade) after it started.
    constexpr std::string_view kDeleted = " (deleted)";
    if (path.size() > kDeleted.size() && path.ends_with(kDeleted) &&
        !std::filesystem::exists(path, error)) {
        path.resize(path.size() - kDeleted.size());
    }
    return path;
}

std::string ProcFiles::ProgramName(std::int64_t pid) const {
    if (pid <= 0) {
        return {};
    }
    const std::string path = ExecutablePath(pid);
    if (!path.empty()) {
        return std::filesystem::path(path).filename().string();
    }
    std::ifstream comm(Dir(pid) / "comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

} // namespace morvane::platform::x11
