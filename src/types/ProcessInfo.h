#pragma once

#include <cstdint>
#include <string>

namespace morvane::platform {

using ProcessId = std::int64_t;

/// One process as the running-programs scan reports it.
struct ProcessInfo {
    std::string path; ///< Full image path of the executable.
    ProcessId pid = 0;
};

} // namespace morvane::platform
