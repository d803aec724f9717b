#pragma once

#include <cstdint>
#include <string>

namespace morvane::platform {

using ProcessId = std::int64_t;

/// One process as the running-programs scan reports it. It is also what a kill checks again at
/// the moment it is sent, because process ids are reused.
struct ProcessInfo {
    /// Full path of the program: the executable's, or the script's (or jar's) for a program run
    /// by an interpreter. Its file name is the program name.
    std::string path;
    ProcessId pid = 0;
    /// When the process started, in the back end's own unit; 0 when not known.
    std::uint64_t startTime = 0;

    bool operator==(const ProcessInfo&) const = default;
};

} // namespace morvane::platform
