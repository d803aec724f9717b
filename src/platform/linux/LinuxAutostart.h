#pragma once

#include "platform/Autostart.h"

#include <string>
#include <string_view>

namespace morvane::platform {

/// Start at logon through the XDG autostart folder: the registration called NAME is the file
/// $XDG_CONFIG_HOME/autostart/NAME.desktop. Error messages carry the errno value as their code.
class LinuxAutostart final : public Autostart {
public:
    bool IsAutostartRegistered(const std::string& name) override;
    /// Writes the entry atomically (flag true) or removes it (false). `folder` must be absolute;
    /// the entry starts `folder`/`name`.
    Result SetAutostart(const std::string& name, const std::string& folder, bool flag) override;

    /// The autostart folder: $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when that
    /// variable is unset, empty or not absolute.
    [[nodiscard]] static std::string AutostartFolder();
    /// One desktop-entry Exec argument for `path`: quoted and escaped where the entry format
    /// asks for it, so a path with spaces or quotes still names one file.
    [[nodiscard]] static std::string ExecArgument(std::string_view path);
};

} // namespace morvane::platform
