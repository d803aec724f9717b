#include "platform/common/Interpreters.h"

#include <gtest/gtest.h>

namespace morvane::platform {
namespace {

struct Shape {
    const char* exe;  // the executable's file name
    const char* comm; // the kernel's short name
    std::vector<std::string> argv;
    std::optional<std::string> script;
};

TEST(Interpreters, TheScriptIsFoundPastTheInterpretersOptions) {
    const Shape shapes[] = {
        {"python3.11", "python3", {"python3", "app.py", "--flag"}, "app.py"},
        {"python3.11",
         "python3",
         {"python3", "-u", "-W", "ignore", "-X", "dev", "app.py"},
         "app.py"},
        {"python3.11", "python3", {"python3", "-Wignore", "-Bu", "app.py"}, "app.py"},
        {"python3.11", "python3", {"python3", "--", "-odd.py"}, "-odd.py"},
        {"python3.11", "python3", {"python3", "-c", "import app", "app.py"}, std::nullopt},
        {"python3.11", "python3", {"python3", "-Bc", "import app"}, std::nullopt},
        {"python3.11", "python3", {"python3", "-m", "http.server"}, std::nullopt},
        {"python3.11", "python3", {"python3", "-", "app.py"}, std::nullopt},
        {"python3.11", "python3", {"python3"}, std::nullopt},
        {"perl5.36.0", "perl", {"perl", "-Mfeature=say", "-I", "lib", "tool.pl"}, "tool.pl"},
        {"perl", "perl", {"perl", "-lne", "print", "file"}, std::nullopt},
        // Through "#!": the line's one optional argument may hold spaces.
        {"perl",
         "long-script-nam",
         {"/usr/bin/perl", "-w -T", "/opt/long-script-name.pl"},
         "/opt/long-script-name.pl"},
        {"java", "Script", {"/usr/bin/java", "--source 17", "/home/u/Script"}, "/home/u/Script"},
        {"bash", "bash", {"-bash"}, std::nullopt},
        {"bash", "bash", {"bash", "-o", "posix", "+x", "run.sh", "a"}, "run.sh"},
        {"bash", "bash", {"bash", "--rcfile", "rc", "run.sh"}, "run.sh"},
        {"dash", "sh", {"/bin/sh", "-c", "exec tool", "run.sh"}, std::nullopt},
        {"node",
         "node",
         {"node", "--inspect=9229", "-r", "dotenv/config", "server.js"},
         "server.js"},
        {"node", "node", {"node", "--eval", "run()"}, std::nullopt},
        {"lua5.4", "lua", {"lua", "-l", "socket", "x.lua"}, "x.lua"},
        {"php8.2", "php", {"php", "-d", "x=1", "-f", "index.php"}, "index.php"},
        {"java", "java", {"java", "-cp", "lib.jar", "-Dx=y", "-jar", "app.jar", "arg"}, "app.jar"},
        {"java", "java", {"java", "-cp", "app.jar", "org.Main"}, std::nullopt},
        {"php-fpm8.2", "php-fpm8.2", {"php-fpm8.2", "x.php"}, std::nullopt},
        {"sleep", "sleep", {"sleep", "600"}, std::nullopt},
        // Windows keeps no short name.
        {"pythonw", "", {"C:\\Python\\pythonw.exe", "-u", "app.pyw"}, "app.pyw"},
        {"javaw", "", {"javaw", "-jar", "C:\\tools\\app.jar"}, "C:\\tools\\app.jar"},
    };
    for (const Shape& s : shapes) {
        std::string line;
        for (const std::string& word : s.argv) {
            line += "[" + word + "]";
        }
        EXPECT_EQ(Interpreters::ScriptOf(s.exe, s.comm, s.argv), s.script) << s.exe << " " << line;
    }
}

} // namespace
} // namespace morvane::platform
