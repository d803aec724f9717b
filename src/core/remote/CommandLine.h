#pragma once

#include "platform/Control.h"
#include "types/DateTime.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace morvane {

/// What the program's arguments ask for.
struct CommandLine {
    enum class Kind {
        Start,   ///< No arguments: start, or bring the running window forward.
        Help,    ///< --help
        Version, ///< --version
        Request, ///< Something for the running instance: `request`.
        Bad,     ///< Arguments that make no sense: `why`.
    };
    Kind kind = Kind::Start;
    platform::ControlRequest request;
    std::string why;
};

/// Reads the arguments after the program's name. --help and --version win wherever they are.
[[nodiscard]] CommandLine ReadCommandLine(const std::vector<std::string>& args);

/// The text --help prints.
[[nodiscard]] std::string HelpText();

/// Carries out a request of the command line through `client`, starting `executable` when no
/// instance runs and the request adds a task or shows the window. Prints what the answer holds
/// on `out` and a one-line reason on `err`. Returns the exit status: 0 done, 2 refused (bad
/// arguments, or a task the instance would not add), 1 no instance reached or started. A task
/// is checked against `now` before anything is sent, so a refused one changes nothing.
int RunCommandLine(const CommandLine& line, platform::ControlClient& client,
                   const std::string& executable, const DateTime& now, std::ostream& out,
                   std::ostream& err);

} // namespace morvane
