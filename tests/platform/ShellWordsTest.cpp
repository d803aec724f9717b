#include "platform/common/ShellWords.h"

#include <gtest/gtest.h>

namespace morvane::platform {
namespace {

using Words = std::vector<std::string>;

TEST(ShellWords, QuotesTheWayAShellDoesWithoutExpanding) {
    const struct {
        const char* line;
        std::optional<Words> words;
    } cases[] = {
        {"prog", Words{"prog"}},
        {"  prog   a\tb  ", Words{"prog", "a", "b"}},
        {R"("/opt/My Apps/prog" --x)", Words{"/opt/My Apps/prog", "--x"}},
        {R"(prog 'single "kept"')", Words{"prog", R"(single "kept")"}},
        {R"(prog "a \"b\" \\ \$HOME \n")", Words{"prog", R"(a "b" \ $HOME \n)"}},
        {R"(prog back\ slash)", Words{"prog", "back slash"}},
        {R"(prog '' "")", Words{"prog", "", ""}},
        {R"(prog a"b c"'d')", Words{"prog", "ab cd"}},
        {"prog $HOME ~ *", Words{"prog", "$HOME", "~", "*"}},
        {"", Words{}},
        {"   ", Words{}},
        {R"(prog "open)", std::nullopt},
        {"prog 'open", std::nullopt},
        {R"(prog "ends in backslash\)", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShellWords::Split(c.line), c.words) << c.line;
    }
}

TEST(ShellWords, ReadsQuotedWordsBackWhole) {
    // A browsed path is written quoted; the launcher must read it back as the one program, and
    // the task's name is taken from that same first word.
    const std::string words[] = {
        "/usr/bin/xclock",
        "/home/me/My Apps/tool",
        R"(/opt/it's "new"/x)",
        R"(C:\Tools\a b)",
        R"(/tmp/$HOME `id` *)",
        "/tmp/trailing\\",
        "",
        "  lead\ttab",
    };
    for (const std::string& word : words) {
        const std::string line = ShellWords::Quote(word) + " --flag";
        EXPECT_EQ(ShellWords::Split(line), (Words{word, "--flag"})) << line;
        EXPECT_EQ(ShellWords::First(line), word) << line;
    }
    // Plain paths stay as they are; lines typed by hand name their first word the same way.
    EXPECT_EQ(ShellWords::Quote("/usr/bin/xclock"), "/usr/bin/xclock");
    for (const char* typed : {"xterm -e top", R"(  "a b"'c' d)", R"(back\ slash x)", "'open"}) {
        const auto split = ShellWords::Split(typed);
        EXPECT_EQ(ShellWords::First(typed), split ? split->front() : "open") << typed;
    }
}

} // namespace
} // namespace morvane::platform
