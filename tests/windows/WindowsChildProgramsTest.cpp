#include "core/editor/TaskBuilder.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"
#include "platform/windows/WindowsLauncher.h"
#include "platform/windows/WindowsSingleInstance.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace morvane::platform {
namespace {

constexpr DWORD kDeadlineMs = 30000;

// Our probe program, built beside this test.
std::filesystem::path ProbePath() {
    std::wstring self(MAX_PATH, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    return std::filesystem::path(self).parent_path() / L"morvane_windows_system_probe.exe";
}

// Runs the probe with `arguments` and waits for its exit code; nullopt when it never ends.
std::optional<DWORD> RunProbe(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + ProbePath().native() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info) == FALSE) {
        ADD_FAILURE() << "cannot start the probe: " << windows::SystemMessage(GetLastError());
        return std::nullopt;
    }
    const windows::UniqueHandle process(info.hProcess);
    const windows::UniqueHandle thread(info.hThread);
    if (WaitForSingleObject(process.get(), kDeadlineMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1); // ours, started just above
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

std::wstring UniqueName(const wchar_t* what) {
    return std::wstring(L"Local\\morvane-test-") + what + L"-" +
           std::to_wstring(GetCurrentProcessId());
}

TEST(WindowsSingleInstance, ASecondProcessSeesTheFirstUntilItIsGone) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        (L"morvane-test-" + std::to_wstring(GetCurrentProcessId()));
    const std::wstring name =
        WindowsSingleInstance::DefaultLockPath("morvane", windows::Narrow(folder.wstring()));
    {
        WindowsSingleInstance first(name);
        ASSERT_TRUE(first.TryAcquire());
        EXPECT_TRUE(first.TryAcquire()) << "holding it already";
        EXPECT_EQ(RunProbe(L"instance \"" + name + L"\""), 3U) << "another process is refused";
    }
    EXPECT_EQ(RunProbe(L"instance \"" + name + L"\""), 0U) << "the lock went with its holder";
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

TEST(WindowsLauncher, TheProgramIsTheFirstWordOrTheQuotedPathAndTheRestItsParameters) {
    const struct {
        const char* line;
        const char* program;
        const char* parameters;
    } cases[] = {
        {R"("C:\Program Files\x.exe" -a "b c")", R"(C:\Program Files\x.exe)", R"(-a "b c")"},
        {"  C:\\Apps\\tool.exe \t /x  y", "C:\\Apps\\tool.exe", "/x  y"},
        {"notepad", "notepad", ""},
        {"\"C:\\Apps\\tool.exe\"", "C:\\Apps\\tool.exe", ""},
        {"   ", "", ""},
    };
    for (const auto& c : cases) {
        const std::optional<WindowsLauncher::Parts> parts = WindowsLauncher::Split(c.line);
        ASSERT_TRUE(parts) << c.line;
        EXPECT_EQ(parts->program, c.program) << c.line;
        EXPECT_EQ(parts->parameters, c.parameters) << c.line;
    }
    EXPECT_FALSE(WindowsLauncher::Split("\"C:\\Program Files\\x.exe -a"));
}

TEST(WindowsLauncher, NamesTheProgramWithBackslashesKeptAndQuotesAPathToReadBackWhole) {
    WindowsLauncher windowsLauncher;
    const Launcher& launcher = windowsLauncher;
    EXPECT_EQ(launcher.ProgramOf(R"(C:\Apps\tool.exe -x)"), R"(C:\Apps\tool.exe)");
    EXPECT_EQ(launcher.ProgramOf(R"( "C:\Program Files\x.exe" -a)"), R"(C:\Program Files\x.exe)");
    EXPECT_EQ(launcher.ProgramOf(R"("C:\Program Files\x.exe -a)"), R"(C:\Program Files\x.exe -a)");
    EXPECT_EQ(launcher.ProgramOf("  "), "");
    for (const std::string path : {R"(C:\Program Files\x.exe)", R"(C:\Apps\tool.exe)", ""}) {
        EXPECT_EQ(launcher.ProgramOf(launcher.QuotedProgram(path) + " -x"), path) << path;
    }
    EXPECT_EQ(launcher.QuotedProgram(R"(C:\Program Files\x.exe)"), R"("C:\Program Files\x.exe")");
    EXPECT_EQ(launcher.QuotedProgram(R"(C:\Apps\tool.exe)"), R"(C:\Apps\tool.exe)");

    // The core names a run task after the program this launcher reads.
    TaskBuilder::Input run;
    run.autoType = 1;
    run.commandLine = R"(C:\Apps\tool.exe -x)";
    EXPECT_EQ(TaskBuilder::Build(run, DateTime{2026, 12, 7, 10, 0, 0}, launcher).program,
              "tool.exe");
}

TEST(WindowsLauncher, StartsAProgramOfOursWithItsArgumentsAndSaysWhyOneCannotStart) {
    const std::wstring eventName = UniqueName(L"launch");
    const windows::UniqueHandle started(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
    ASSERT_TRUE(started);
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() /
        ("morvane-launch-" + std::to_string(GetCurrentProcessId()) + ".txt");
    WindowsLauncher launcher;
    const Result launched = launcher.Launch("\"" + windows::PathText(ProbePath()) + "\" args \"" +
                                            windows::PathText(out) + "\" " +
                                            windows::Narrow(eventName) + " \"two words\" żółw");
    ASSERT_TRUE(launched.Ok()) << launched.Message();
    ASSERT_EQ(WaitForSingleObject(started.get(), kDeadlineMs), WAIT_OBJECT_0);
    std::vector<std::string> args;
    {
        std::ifstream in(out);
        for (std::string line; std::getline(in, line);) {
            args.push_back(line);
        }
    }
    std::filesystem::remove(out);
    EXPECT_EQ(args, (std::vector<std::string>{"two words", "żółw"}));

    const Result missing = launcher.Launch("C:\\no\\such\\program.exe --flag");
    EXPECT_FALSE(missing.Ok());
    EXPECT_TRUE(missing.Code() == ERROR_FILE_NOT_FOUND || missing.Code() == ERROR_PATH_NOT_FOUND)
        << missing.Code();
    EXPECT_EQ(missing.Message().rfind("cannot start C:\\no\\such\\program.exe: the ", 0), 0U)
        << missing.Message();
    EXPECT_NE(missing.Message().find("not found"), std::string::npos) << missing.Message();
    EXPECT_FALSE(launcher.Launch("  ").Ok());
    EXPECT_FALSE(launcher.Launch("\"C:\\Apps\\tool.exe").Ok());
}

} // namespace
} // namespace morvane::platform
