// A desktop entry as the autostart and the installed-application look-ups read it.
#include "Require.h"
#include "platform/linux/DesktopEntry.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

using morvane::fuzz::Require;
using morvane::platform::DesktopEntry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DesktopEntry entry = DesktopEntry::Parse(text);
    static_cast<void>(entry.IsHidden());
    for (const std::string_view key : {"Exec", "TryExec", "Name", "Icon", "StartupWMClass"}) {
        const std::string value = entry.Value(key);
        Require(value.find('\n') == std::string::npos, "a value is one line");
        const std::string program = DesktopEntry::ProgramOf(value);
        const std::vector<std::string> words = DesktopEntry::CommandWords(value);
        Require(program.empty() || std::find(words.begin(), words.end(), program) != words.end(),
                "the program is one of the command's words");
    }
    static_cast<void>(DesktopEntry::ProgramOf(text));
    return 0;
}
