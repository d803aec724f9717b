#pragma once

#include <filesystem>
#include <string>

namespace morvane::platform {

/// The user's folders as the host names them, read in the host's own form of names (UTF-16 on
/// Windows, never through the ANSI code page), so a folder such as "C:\Users\Zoé Łukasz 東京"
/// arrives whole.
class UserFolders {
public:
    UserFolders() = default;
    virtual ~UserFolders() = default;
    UserFolders(const UserFolders&) = delete;
    UserFolders& operator=(const UserFolders&) = delete;

    /// The folder the environment variable `name` holds; empty when it is unset or empty.
    [[nodiscard]] virtual std::filesystem::path FromEnvironment(const std::string& name) const = 0;
    /// The user's roaming application-data folder as the system knows it (Windows' RoamingAppData
    /// known folder); empty where the host has none or it cannot be read.
    [[nodiscard]] virtual std::filesystem::path RoamingAppData() const = 0;
};

} // namespace morvane::platform
