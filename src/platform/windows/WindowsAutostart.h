#pragma once

#include "platform/Autostart.h"

#include <windows.h>

#include <string>

namespace morvane::platform {

/// Start at logon through the current user's Run key: the registration called NAME is the
/// REG_SZ value NAME, holding the program's full path. The Task Manager's Startup page turns an
/// entry off without removing it, in a binary value of the same name under StartupApproved\Run;
/// such an entry is not registered. Error messages carry the registry's result code.
class WindowsAutostart final : public Autostart {
public:
    /// The key the registrations live in.
    static constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    /// The key where the user's choice to turn an entry off is kept.
    static constexpr const wchar_t* kApprovedKey =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

    /// `root`, `keyPath` and `approvedKeyPath` name the keys; tests give their own.
    explicit WindowsAutostart(HKEY root = HKEY_CURRENT_USER, std::wstring keyPath = kRunKey,
                              std::wstring approvedKeyPath = kApprovedKey);

    [[nodiscard]] bool StartsWithWindows() const override { return true; }
    /// Whether the value exists and has not been turned off.
    bool IsAutostartRegistered(const std::string& name) override;
    /// Sets the value `name` to `folder`\`name`.exe (flag true) or deletes it (false); either way
    /// the turned-off mark goes, so an entry turned on again really starts.
    Result SetAutostart(const std::string& name, const std::string& folder, bool flag) override;

    /// What the value holds for `folder` and `name`: the path with backslashes, quoted when it
    /// holds a blank, so the logon does not start a shorter path's program instead.
    [[nodiscard]] static std::wstring CommandFor(const std::string& name,
                                                 const std::string& folder);

private:
    /// Whether the approval value `name` says the entry was turned off: its first byte is not
    /// 2 or 6. No value, or none readable, is on.
    [[nodiscard]] bool IsTurnedOff(const std::wstring& name) const;

    HKEY m_root;
    std::wstring m_keyPath;
    std::wstring m_approvedKeyPath;
};

} // namespace morvane::platform
