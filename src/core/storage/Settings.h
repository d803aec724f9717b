#pragma once

#include "core/storage/TextFile.h"

#include <filesystem>

namespace morvane {

class Options;

/// Writes the eight settings marks as eight lines of "1" or "0". Failures are returned so a
/// caller may log them; the old file is never left truncated.
WriteResult SaveSettings(const std::filesystem::path& path, const Options& options,
                         platform::FileSync* sync = nullptr);

/// What reading the settings file found.
enum class SettingsRead {
    Missing, ///< No file: the marks are left as they are.
    Read,    ///< Lines of "0" and "1": read into the marks.
    Corrupt, ///< Anything else: the marks are left as they are, since none of them is known.
};

/// Reads the settings file into the marks: line k checks mark k when it is "1" and clears it
/// when it is "0"; a missing line counts as "0". The six after-all-tasks marks are then
/// cleared: that choice never survives a restart. A file that cannot be read, has no line, or has
/// any line that is not "0" or "1" changes nothing and is reported as corrupt.
SettingsRead ReadSettings(const std::filesystem::path& path, Options& options);

} // namespace morvane
