// A Run task's command line as the launcher splits it into words.
#include "Require.h"
#include "platform/linux/LinuxLauncher.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using morvane::fuzz::Require;
using morvane::platform::LinuxLauncher;

namespace {

// A word in single quotes, each quote in it closed, escaped and opened again.
std::string Quoted(const std::string& word) {
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto words = LinuxLauncher::SplitCommandLine(line);
    if (!words) {
        return 0;
    }
    std::string again;
    for (const std::string& word : *words) {
        again += Quoted(word) + ' ';
    }
    Require(LinuxLauncher::SplitCommandLine(again) == words,
            "words quoted as a shell quotes them split back into the same words");
    return 0;
}
