#include "TestSupport.h"
#include "platform/linux/LinuxLauncher.h"
#include "platform/linux/LinuxProcesses.h"

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace morvane::platform {
namespace {

using test::TempDir;
using test::WaitUntil;

TEST(LinuxLauncher, StartsABrowsedProgramFromAFolderWithQuotesAndBlanks) {
    // A browsed path is written the launcher's way; it must read it back as the one program.
    TempDir dir;
    const std::string folder = dir / R"(My Apps "it's" \ $x)";
    std::filesystem::create_directory(folder);
    const std::string probe = test::CopyProgram(MORVANE_ARGV_PROBE, folder, "probe tool");
    const std::string marker = dir / "started";
    LinuxLauncher launcher;
    const std::string line = launcher.QuotedProgram(probe) + " " + launcher.QuotedProgram(marker);
    EXPECT_EQ(launcher.ProgramOf(line), probe);
    const Result started = launcher.Launch(line);
    ASSERT_TRUE(started.Ok()) << started.Message();
    EXPECT_TRUE(WaitUntil([&] { return std::filesystem::exists(marker); }));
}

TEST(ResolveProgram, SearchesPathOnlyForBareNames) {
    const std::string sh = LinuxLauncher::ResolveProgram("sh");
    ASSERT_FALSE(sh.empty());
    EXPECT_EQ(std::filesystem::path(sh).filename(), "sh");
    EXPECT_EQ(access(sh.c_str(), X_OK), 0);
    EXPECT_EQ(LinuxLauncher::ResolveProgram("no-such-program-morvane"), "");
    EXPECT_EQ(LinuxLauncher::ResolveProgram("./relative/prog"), "./relative/prog");
    EXPECT_EQ(LinuxLauncher::ResolveProgram(""), "");
}

std::map<std::string, std::vector<std::string>> ReadMarker(const std::string& path) {
    std::map<std::string, std::vector<std::string>> values;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t eq = line.find('=');
        values[line.substr(0, eq)].push_back(line.substr(eq + 1));
    }
    return values;
}

TEST(LinuxLauncher, StartsTheProgramDetachedWithItsQuotedArguments) {
    TempDir dir;
    const std::string marker = dir / "started";
    // A descriptor of ours without close-on-exec, as a careless library might leave one.
    const int leaky = open("/dev/null", O_RDONLY);
    ASSERT_GE(leaky, 0);
    LinuxLauncher launcher;

    const auto before = std::chrono::steady_clock::now();
    const Result started =
        launcher.Launch(std::string("\"") + MORVANE_ARGV_PROBE + "\" '" + marker +
                        R"(' "two words" 'single "quoted"' back\ slash)");
    const auto took = std::chrono::steady_clock::now() - before;
    close(leaky);

    ASSERT_TRUE(started.Ok()) << started.Message();
    EXPECT_LT(took, std::chrono::seconds(2));
    EXPECT_TRUE(test::ZombieChildren().empty());
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(marker); }));
    const auto seen = ReadMarker(marker);
    EXPECT_EQ(seen.at("arg"),
              (std::vector<std::string>{"two words", R"(single "quoted")", "back slash"}));
    EXPECT_NE(seen.at("ppid")[0], std::to_string(getpid()));
    EXPECT_NE(seen.at("sid")[0], std::to_string(getsid(0)));
    EXPECT_EQ(seen.at("stdin")[0], "/dev/null");
    EXPECT_EQ(seen.at("stdout")[0], "/dev/null");
    EXPECT_EQ(seen.at("fds")[0], "");
}

TEST(LinuxLauncher, ReturnsAtOnceWhileTheProgramRuns) {
    TempDir dir;
    const std::string name = "morvane-long-runner";
    const std::string path = test::CopyProgram("/usr/bin/sleep", dir.Path(), name);
    LinuxLauncher launcher;
    LinuxProcesses processes;

    const auto before = std::chrono::steady_clock::now();
    ASSERT_TRUE(launcher.Launch(path + " 120").Ok());
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));

    // It is not our child, so it is found and ended the way a close task would.
    ProcessInfo found;
    ASSERT_TRUE(WaitUntil([&] {
        for (const ProcessInfo& p : processes.ScanRunningPrograms()) {
            if (p.path == path) {
                found = p;
            }
        }
        return found.pid != 0;
    }));
    processes.TerminateProcess(found);
    EXPECT_TRUE(WaitUntil([&] { return processes.ProcessName(found.pid) != name; }));
    EXPECT_TRUE(test::ZombieChildren().empty());
}

TEST(LinuxLauncher, ReportsWhatCannotBeStarted) {
    TempDir dir;
    const std::string plain = dir / "not-executable";
    std::ofstream(plain) << "just text\n";
    const std::string cases[] = {
        "",
        "   ",
        "/nonexistent/morvane/program",
        "no-such-program-morvane --flag",
        "\"unterminated quote",
        plain,
        dir.Path(),
    };
    LinuxLauncher launcher;
    for (const std::string& line : cases) {
        const Result result = launcher.Launch(line);
        EXPECT_FALSE(result.Ok()) << line;
        EXPECT_NE(result.Code(), 0) << line;
        EXPECT_FALSE(result.Message().empty()) << line;
    }
    EXPECT_TRUE(test::ZombieChildren().empty());
}

} // namespace
} // namespace morvane::platform
