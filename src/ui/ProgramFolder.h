#pragma once

#include <QString>

namespace morvane {

/// Where the program's own files (language files, skin, tutorial) are: beside the executable
/// in a build tree, or in the installed share/morvane.
class ProgramFolder {
public:
    /// The folder beside `executableFolder` that holds them: the executable's own folder when
    /// it has any of them, else ../share/morvane when that exists, else the executable's folder.
    [[nodiscard]] static QString Locate(const QString& executableFolder);
};

} // namespace morvane
