#pragma once

#include "platform/Autostart.h"

#include <windows.h>

#include <string>

namespace morvane::platform {

/// Start at logon through the current user's Run key: the registration called NAME is the
/// REG_SZ value NAME, holding the program's full path. Error messages carry the registry's
/// result code.
class WindowsAutostart final : public Autostart {
public:
    /// The key the registrations live in.
    static constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

    /// `root` and `keyPath` name the key; tests give their own.
    explicit WindowsAutostart(HKEY root = HKEY_CURRENT_USER, std::wstring keyPath = kRunKey);

    [[nodiscard]] bool StartsWithWindows() const override { return true; }
    bool IsAutostartRegistered(const std::string& name) override;
    /// Sets the value `name` to `folder`\`name`.exe (flag true) or deletes it (false).
    Result SetAutostart(const std::string& name, const std::string& folder, bool flag) override;

    /// What the value holds for `folder` and `name`: the path with backslashes, quoted when it
    /// holds a blank, so the logon does not start a shorter path's program instead.
    [[nodiscard]] static std::wstring CommandFor(const std::string& name,
                                                 const std::string& folder);

private:
    HKEY m_root;
    std::wstring m_keyPath;
};

} // namespace morvane::platform
