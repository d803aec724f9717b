#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::platform {

/// The interpreters whose processes are named after the script they run (python, perl, ruby,
/// the shells, node, lua, php, tclsh, java -jar), and how each one's command line names that
/// script. Pure text work, the same on every system: the back end's process reader hands in what
/// it read (on Windows the file name without ".exe", in small letters, and no short name).
class Interpreters final {
public:
    Interpreters() = delete;

    /// Whether an executable's file name is a known interpreter; a version suffix is allowed
    /// (python3.11, perl5.36.0, lua5.4).
    [[nodiscard]] static bool Knows(std::string_view exeName);

    /// The script (or jar) a process of the interpreter `exeName` runs, as its command line
    /// `argv` names it (perhaps relative to the process's working folder); nullopt when
    /// `exeName` is no known interpreter or it runs no script: interactive, code given on the
    /// command line (-c, -e), a module (-m), standard input, a Java class. `comm` is the
    /// kernel's short name of the process, which is the script's when it was started through
    /// its "#!" line; empty where the system keeps none.
    [[nodiscard]] static std::optional<std::string>
    ScriptOf(std::string_view exeName, std::string_view comm, const std::vector<std::string>& argv);
};

} // namespace morvane::platform
