#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace morvane::platform::x11 {

/// What /proc tells about a process, for the picker's read-out.
class ProcFiles final {
public:
    /// Reads below `procRoot` instead of /proc (tests).
    explicit ProcFiles(std::filesystem::path procRoot = "/proc") : m_root(std::move(procRoot)) {}

    /// True while the process exists.
    [[nodiscard]] bool Exists(std::int64_t pid) const;
    /// The executable's full path (the target of exe, without the " (deleted)" mark of a
    /// replaced file); empty when it cannot be read (another user's process, a kernel thread).
    [[nodiscard]] std::string ExecutablePath(std::int64_t pid) const;
    /// The executable's file name; the short name in comm when the path cannot be read; empty
    /// when the process is gone.
    [[nodiscard]] std::string ProgramName(std::int64_t pid) const;

private:
    [[nodiscard]] std::filesystem::path Dir(std::int64_t pid) const;

    std::filesystem::path m_root;
};

} // namespace morvane::platform::x11
