#pragma once

#include "platform/CommandOutput.h"

#include <windows.h>

#include <functional>
#include <sstream>
#include <string>

namespace morvane::platform {

/// The command line's answers of a windowed program. Each stream goes where it leads: to the
/// file or pipe it was redirected to; else to the console of the prompt the program was typed
/// in; else, with no console at all (Explorer, a shortcut), into one message box, an error box
/// when anything went wrong. Collected until Finish, so one run shows one box.
class WindowsCommandOutput final : public CommandOutput {
public:
    /// A console to write to (INVALID_HANDLE_VALUE for none); the caller closes it.
    using ConsoleOpener = std::function<HANDLE()>;
    using BoxShower = std::function<void(const std::wstring& text, bool error)>;

    WindowsCommandOutput();
    /// Tests give their own console and box.
    WindowsCommandOutput(ConsoleOpener openConsole, BoxShower showBox);

    std::ostream& Out() override { return m_out; }
    std::ostream& Err() override { return m_err; }
    bool Finish() override;

private:
    bool Deliver(DWORD stream, const std::string& text, bool error);

    ConsoleOpener m_openConsole;
    BoxShower m_showBox;
    std::ostringstream m_out;
    std::ostringstream m_err;
    HANDLE m_console = nullptr; // nullptr: not looked for yet
    std::wstring m_boxText;
    bool m_boxError = false;
};

} // namespace morvane::platform
