#pragma once

#include "platform/Processes.h"

#include <windows.h>

#include <optional>
#include <string_view>

namespace morvane::platform::windows {

/// What the system lets a program of the user's own know of a process it may not list or end.
struct ReachFacts {
    std::optional<bool> sameSession; ///< In our session; nullopt when that cannot be read.
    bool listed = false;             ///< Opened as the scan opens it, and ours: within reach.
    bool opened = false;             ///< Opened at least to be asked its name.
    std::optional<bool> ourUser;     ///< Its token names our user; nullopt when unreadable.
    bool elevated = false;           ///< Its token is elevated (read with the user only).
};

/// Why a process with these facts is out of reach; None when it is not, or when nothing can be
/// said. A token that cannot be read from a process that can be opened belongs to a program
/// above our integrity level, which for a program of the desktop is one run as administrator.
[[nodiscard]] OutOfReach JudgeReach(const ReachFacts& facts);

/// The facts of process `pid`, compared with our session `ourSession`.
[[nodiscard]] ReachFacts ReadReach(DWORD pid, DWORD ourSession);

/// Why process `pid`, which refused to be opened to be ended, is out of reach; None when it no
/// longer runs a program called `name` (compared as ProcessQuery::SameName does).
[[nodiscard]] OutOfReach WhyRefused(DWORD pid, std::string_view name);

/// Why processes whose executable is called `name` (compared as ProcessQuery::SameName does)
/// are out of reach: administrator rights before another session, since the user can do
/// something about that; None when every one is within reach or none runs.
[[nodiscard]] OutOfReach WhyOutOfReach(std::string_view name);

} // namespace morvane::platform::windows
