// An interpreter's process as the scan names it by its script. The input is the executable's
// file name on the first line, the kernel's short name on the second, then the cmdline file.
#include "Require.h"
#include "platform/common/Interpreters.h"
#include "platform/linux/ProcFs.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using morvane::fuzz::Require;
using morvane::platform::Interpreters;

namespace {

std::string_view NextLine(std::string_view& text) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string_view exeName = NextLine(text);
    const std::string_view comm = NextLine(text);
    const std::vector<std::string> argv = morvane::platform::ProcFs::ParseCommandLine(text);
    const auto script = Interpreters::ScriptOf(exeName, comm, argv);
    Require(!script || Interpreters::Knows(exeName), "only an interpreter runs a script");
    Require(!script || !script->empty(), "a script has a name");
    return 0;
}
