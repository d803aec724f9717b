#pragma once

#include "platform/Processes.h"

#include <string>
#include <vector>

namespace morvane {

/// The running-programs lists as of the last scan: every process as the scan saw it (path, id and
/// start time, so that a kill can check it is still that process), and each distinct file name
/// once. Rebuilt, never updated.
class RunningPrograms {
public:
    /// One row of the editor's process list: a distinct file name and the first path seen for it.
    struct Program {
        std::string name;
        std::string path;
    };

    /// Replaces every list with the processes of a fresh scan. `pathMapper` maps the shown
    /// path of each row (the identity where paths have one form).
    void Rebuild(const std::vector<platform::ProcessInfo>& processes,
                 const platform::Processes* pathMapper = nullptr);

    /// The scanned processes, in the system's order.
    [[nodiscard]] const std::vector<platform::ProcessInfo>& Scanned() const { return m_scanned; }
    /// Each distinct file name once, in the order the scan first saw it.
    [[nodiscard]] const std::vector<std::string>& LstName() const { return m_names; }
    /// One entry per distinct file name (exact comparison), sorted by name for the editor.
    [[nodiscard]] const std::vector<Program>& Programs() const { return m_programs; }

private:
    std::vector<platform::ProcessInfo> m_scanned;
    std::vector<std::string> m_names;
    std::vector<Program> m_programs;
};

} // namespace morvane
