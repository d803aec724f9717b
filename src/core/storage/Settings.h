#pragma once

#include "core/storage/TextFile.h"

#include <filesystem>

namespace morvane {

class Options;

/// Writes the eight settings marks as eight lines of "1" or "0". Failures are returned so a
/// caller may log them; the old file is never left truncated.
WriteResult SaveSettings(const std::filesystem::path& path, const Options& options);

/// Reads the settings file into the marks: exactly "1" checks a mark, anything else (or a
/// missing line) clears it; a missing file leaves every mark as it is. The six after-all-tasks
/// marks are then cleared: that choice never survives a restart.
void ReadSettings(const std::filesystem::path& path, Options& options);

} // namespace morvane
