#pragma once

#include "types/Result.h"

#include <string>

namespace morvane::platform {

/// Registration to start with the user's session.
class Autostart {
public:
    Autostart() = default;
    virtual ~Autostart() = default;
    Autostart(const Autostart&) = delete;
    Autostart& operator=(const Autostart&) = delete;

    /// Whether the registration starts us as Windows starts (its Run key) rather than at the
    /// logon of a desktop session, for the menu item's words.
    [[nodiscard]] virtual bool StartsWithWindows() const { return false; }
    /// Whether a registration called `name` exists; any failure reads as not registered.
    virtual bool IsAutostartRegistered(const std::string& name) = 0;
    /// Registers `folder`'s executable `name` (flag true) or removes the registration (false).
    /// An error carries the message to show ("Error 13 opening key\r\n").
    virtual Result SetAutostart(const std::string& name, const std::string& folder, bool flag) = 0;
};

} // namespace morvane::platform
