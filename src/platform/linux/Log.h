#pragma once

#include <functional>
#include <string>

namespace morvane::platform {

/// Where the Linux back end writes what it could not do: the user sees nothing, but a terminal
/// or the session log does. Tests pass their own sink to read it.
using LogSink = std::function<void(const std::string& line)>;

/// Writes each line to standard error, prefixed with the program's name.
[[nodiscard]] LogSink StderrLog();

} // namespace morvane::platform
