#pragma once

#include "platform/Cursor.h"
#include "platform/IdleSource.h"
#include "platform/common/PointerIdleSource.h"

#include <windows.h>

#include <memory>
#include <optional>

namespace morvane::platform {

/// Activity as the pointer shows it, and where the pointer cannot be read (a locked desktop, a
/// remote session that was disconnected) as the session's last input shows it: input since the
/// previous sample is activity, none is none. When neither can be read the user is taken to be
/// away, so a locked screen never keeps an idle task from running.
class WindowsIdleSource final : public IdleSource {
public:
    using LastInputCall = BOOL(WINAPI*)(PLASTINPUTINFO);

    /// `lastInput` is GetLastInputInfo unless a test puts a stand-in in.
    explicit WindowsIdleSource(std::unique_ptr<Cursor> cursor,
                               LastInputCall lastInput = ::GetLastInputInfo);

    [[nodiscard]] bool IsAvailable() const override { return true; }
    [[nodiscard]] std::string UnavailableReason() const override { return {}; }
    Activity Sample() override;
    void Reset() override;

private:
    [[nodiscard]] std::optional<DWORD> LastInput() const;

    PointerIdleSource m_pointer;
    LastInputCall m_lastInput;
    // The session's last input time as the previous sample read it; nullopt when unread.
    std::optional<DWORD> m_seenInput;
};

} // namespace morvane::platform
