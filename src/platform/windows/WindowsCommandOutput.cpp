#include "platform/windows/WindowsCommandOutput.h"

#include "platform/windows/WideText.h"

#include <algorithm>
#include <utility>

namespace morvane::platform {

namespace {

HANDLE OpenConsoleBuffer() {
    // Read access too: GetConsoleMode needs it to tell a console from a file.
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

// A windowed program starts without a console: the one of the prompt it was typed in is
// borrowed. A program that has one already keeps it.
HANDLE OpenCallersConsole() {
    if (const HANDLE own = OpenConsoleBuffer(); own != INVALID_HANDLE_VALUE) {
        return own;
    }
    return AttachConsole(ATTACH_PARENT_PROCESS) != FALSE ? OpenConsoleBuffer()
                                                         : INVALID_HANDLE_VALUE;
}

void ShowMessageBox(const std::wstring& text, bool error) {
    MessageBoxW(nullptr, text.c_str(), L"Morvane",
                MB_OK | MB_SETFOREGROUND | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

bool WriteAll(HANDLE handle, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (WriteFile(handle, bytes.data() + done, chunk, &written, nullptr) == FALSE ||
            written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// A console is written in UTF-16, so names beyond its code page show as they are; a file or a
// pipe gets the UTF-8 bytes with Windows line ends.
bool WriteTo(HANDLE handle, const std::string& text) {
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode) != FALSE) {
        const std::wstring wide = windows::Widen(text);
        DWORD written = 0;
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written,
                             nullptr) != FALSE;
    }
    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') {
            lines += '\r';
        }
        lines += c;
    }
    return WriteAll(handle, lines);
}

} // namespace

WindowsCommandOutput::WindowsCommandOutput()
    : WindowsCommandOutput(OpenCallersConsole, ShowMessageBox) {}

WindowsCommandOutput::WindowsCommandOutput(ConsoleOpener openConsole, BoxShower showBox)
    : m_openConsole(std::move(openConsole)), m_showBox(std::move(showBox)) {}

bool WindowsCommandOutput::Finish() {
    const bool outDelivered = Deliver(STD_OUTPUT_HANDLE, m_out.str(), false);
    const bool errDelivered = Deliver(STD_ERROR_HANDLE, m_err.str(), true);
    if (!m_boxText.empty()) {
        while (!m_boxText.empty() && m_boxText.back() == L'\n') {
            m_boxText.pop_back();
        }
        m_showBox(m_boxText, m_boxError);
    }
    if (m_console != nullptr && m_console != INVALID_HANDLE_VALUE) {
        CloseHandle(m_console);
        m_console = INVALID_HANDLE_VALUE;
    }
    return outDelivered && errDelivered;
}

bool WindowsCommandOutput::Deliver(DWORD stream, const std::string& text, bool error) {
    if (text.empty()) {
        return true;
    }
    // A redirected stream is a handle the program was given.
    if (const HANDLE given = GetStdHandle(stream);
        given != nullptr && given != INVALID_HANDLE_VALUE) {
        return WriteTo(given, text);
    }
    if (m_console == nullptr) {
        m_console = m_openConsole();
        if (m_console == nullptr) {
            m_console = INVALID_HANDLE_VALUE;
        }
    }
    if (m_console != INVALID_HANDLE_VALUE) {
        return WriteTo(m_console, text);
    }
    m_boxText += windows::Widen(text);
    m_boxError = m_boxError || error;
    return true;
}

} // namespace morvane::platform
