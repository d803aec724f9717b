#pragma once

#include <string>

namespace morvane::platform {

/// What is known of a program whose icon is wanted; a part left empty is unknown.
struct ProgramIdentity {
    std::string executablePath; ///< The running executable's full path.
    std::string programName;    ///< Its file name, or the short name the system gives it.
    std::string windowInstance; ///< Its window's instance name (the first part of WM_CLASS).
    std::string windowClass;    ///< Its window's class name (the second part).
};

/// The icons the installed applications give their programs (their desktop entries on Linux).
class ProgramIconLookup {
public:
    ProgramIconLookup() = default;
    virtual ~ProgramIconLookup() = default;
    ProgramIconLookup(const ProgramIconLookup&) = delete;
    ProgramIconLookup& operator=(const ProgramIconLookup&) = delete;

    /// The icon of the application the program belongs to: an icon theme's name, or the
    /// absolute path of an icon file; empty when no installed application names one.
    [[nodiscard]] virtual std::string IconFor(const ProgramIdentity& program) = 0;
};

} // namespace morvane::platform
