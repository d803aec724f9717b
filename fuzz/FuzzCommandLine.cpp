// A Run task's command line as the shell-quoting launchers split it into words.
#include "Require.h"
#include "platform/common/ShellWords.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using morvane::fuzz::Require;
using morvane::platform::ShellWords;

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
    // A browsed path of any bytes reads back as the one program it was.
    const std::string asProgram = ShellWords::Quote(line) + " x";
    Require(ShellWords::First(asProgram) == line,
            "a quoted word is the first word of its line again");
    Require(ShellWords::Split(asProgram) == std::vector<std::string>{std::string(line), "x"},
            "a quoted word splits back into that one word");

    const auto words = ShellWords::Split(line);
    if (!words) {
        return 0;
    }
    Require(ShellWords::First(line) == (words->empty() ? std::string() : words->front()),
            "the task is named after the word the launcher starts");
    std::string again;
    for (const std::string& word : *words) {
        again += Quoted(word) + ' ';
    }
    Require(ShellWords::Split(again) == words,
            "words quoted as a shell quotes them split back into the same words");
    return 0;
}
