#pragma once

// Where the running instance is reached on the session bus; both sides of the channel and the
// interface file in data/dbus name the same.

#include "platform/Control.h"

#include <array>

namespace morvane::platform::control_bus {

inline constexpr const char* kName = "io.github.morvane.Morvane";
inline constexpr const char* kPath = "/io/github/morvane/Morvane";
inline constexpr const char* kInterface = "io.github.morvane.Morvane1";
/// The instance's "no": nothing changed, and the message says why.
inline constexpr const char* kRefused = "io.github.morvane.Morvane1.Error.Refused";

/// The method that carries each request.
struct Method {
    const char* member;
    ControlVerb verb;
};
inline constexpr std::array<Method, 5> kMethods = {{
    {"AddTask", ControlVerb::Add},
    {"ListTasks", ControlVerb::List},
    {"CancelTask", ControlVerb::Cancel},
    {"CancelAll", ControlVerb::CancelAll},
    {"Show", ControlVerb::Show},
}};

} // namespace morvane::platform::control_bus
