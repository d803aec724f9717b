// The user's folders and the program's own files where names go beyond the ANSI code page: a
// profile called "Zoé Łukasz 東京", the program installed under such a folder, a task list saved
// to one. Every folder must arrive whole, through the wide calls, never through narrow text.
#include "ChildProcess.h"
#include "core/storage/AppPaths.h"
#include "core/storage/TextFile.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"
#include "platform/windows/WindowsTextEncoding.h"
#include "platform/windows/WindowsUserFolders.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace morvane::platform {
namespace {

using windows::Narrow;

// Letters of three scripts: only "é" is in the western code page, none of them in the ASCII one.
const std::wstring kName = L"Zo\u00e9 \u0141ukasz \u6771\u4eac";

// Sets an environment variable of ours for one test, restoring it after.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const wchar_t* value) : m_name(name) {
        std::wstring old(32768, L'\0');
        const DWORD length = GetEnvironmentVariableW(name, old.data(), 32768);
        if (length > 0 && length < 32768) {
            m_old = old.substr(0, length);
        }
        SetEnvironmentVariableW(name, value);
    }
    ~ScopedVariable() { SetEnvironmentVariableW(m_name, m_old ? m_old->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const wchar_t* m_name;
    std::optional<std::wstring> m_old;
};

TEST(WindowsUserFolders, TheEnvironmentAndTheRoamingFolderArriveWhole) {
    const WindowsUserFolders folders;
    {
        const ScopedVariable set(L"MORVANE_TEST_FOLDER", (L"C:\\Users\\" + kName).c_str());
        EXPECT_EQ(folders.FromEnvironment("MORVANE_TEST_FOLDER").native(), L"C:\\Users\\" + kName);
    }
    EXPECT_TRUE(folders.FromEnvironment("MORVANE_TEST_FOLDER").empty());

    const std::filesystem::path roaming = folders.RoamingAppData();
    const std::filesystem::path appData = folders.FromEnvironment("APPDATA");
    ASSERT_FALSE(roaming.empty());
    EXPECT_EQ(roaming, appData) << "the known folder and the variable name the same folder";
    // scripts/with-wine.sh --user gives the prefix's profile that name: both hold it whole.
    const std::filesystem::path user = folders.FromEnvironment("MORVANE_WINE_USER");
    if (!user.empty()) {
        EXPECT_NE(roaming.native().find(user.native()), std::wstring::npos)
            << Narrow(roaming.native());
        EXPECT_NE(appData.native().find(user.native()), std::wstring::npos)
            << Narrow(appData.native());
    }

    // The program's folder: APPDATA first, the known folder when the variable is gone.
    EXPECT_EQ(DefaultAppDataFolder(folders), appData);
    const ScopedVariable unset(L"APPDATA", nullptr);
    EXPECT_EQ(DefaultAppDataFolder(folders), roaming);
}

// A name as the program's files hold it: the text of `candidates` the ANSI code page holds first
// (all of kName when the code page is UTF-8), since a task's text beyond it becomes "?" by design.
std::wstring HeldByTheAnsiCodePage(const std::vector<std::wstring>& candidates) {
    const WindowsTextEncoding ansi;
    for (const std::wstring& text : candidates) {
        const std::optional<std::string> bytes = ansi.Encode(Narrow(text));
        if (bytes && ansi.Decode(*bytes) == Narrow(text)) {
            return text;
        }
    }
    return candidates.back();
}

// Runs the probe `exe` with `arguments` and APPDATA set to `appData`, in the rest of our own
// environment; its exit code, or -1 when it did not run.
int RunWithAppData(const std::wstring& exe, const std::wstring& arguments,
                   const std::wstring& appData) {
    std::vector<std::wstring> variables;
    {
        const std::unique_ptr<wchar_t, decltype(&FreeEnvironmentStringsW)> block(
            GetEnvironmentStringsW(), &FreeEnvironmentStringsW);
        for (const wchar_t* entry = block.get(); *entry != L'\0'; entry += wcslen(entry) + 1) {
            if (_wcsnicmp(entry, L"APPDATA=", 8) != 0) {
                variables.emplace_back(entry);
            }
        }
    }
    variables.push_back(L"APPDATA=" + appData);
    // The system wants the block sorted by name, case aside.
    std::sort(variables.begin(), variables.end(), [](const std::wstring& a, const std::wstring& b) {
        return _wcsicmp(a.c_str(), b.c_str()) < 0;
    });
    std::wstring environment;
    for (const std::wstring& variable : variables) {
        environment += variable;
        environment += L'\0';
    }
    environment += L'\0';

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring line = L"\"" + exe + L"\" " + arguments;
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr,
                        &startup, &info)) {
        return -1;
    }
    const windows::UniqueHandle process(info.hProcess);
    const windows::UniqueHandle thread(info.hThread);
    if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 99);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    return static_cast<int>(code);
}

std::wstring Quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

std::map<std::string, std::string> ReadReport(const std::filesystem::path& path) {
    std::map<std::string, std::string> report;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        const std::string::size_type equals = line.find('=');
        if (equals != std::string::npos) {
            report[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return report;
}

class WindowsUserFilesTest : public ::testing::Test {
protected:
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kKeyBase);
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    static constexpr const wchar_t* kKeyBase = L"Software\\MorvaneUserFilesTest";
    const std::wstring m_key = std::wstring(kKeyBase) + L"\\Run";
    const std::filesystem::path m_root =
        std::filesystem::temp_directory_path() /
        (L"morvane " + kName + L" " + std::to_wstring(GetCurrentProcessId()));
};

// The program in a folder, and its user's files in another, whose names the ANSI code page cannot
// hold: the settings, the kept task list and the language mark land in the user's folder and read
// back whole, the language file is read from the program's folder, the start-at-logon value
// names the program, and a task list saved beside them loads again.
TEST_F(WindowsUserFilesTest, FoldersBeyondTheAnsiCodePageKeepEveryFileWhereItBelongs) {
    const std::filesystem::path program = m_root / L"Program Files" / kName;
    const std::filesystem::path appData = m_root / kName / L"AppData" / L"Roaming";
    const std::filesystem::path saved =
        m_root / (L"Zadania " + kName) / L"lista \u017c\u00f3\u0142w";
    const std::wstring probe = L"morvane_user_files_probe";
    ASSERT_TRUE(std::filesystem::create_directories(program))
        << "Wine keeps names in the Unix locale's character set: run through scripts/with-wine.sh";
    ASSERT_TRUE(std::filesystem::create_directories(saved.parent_path()));
    std::filesystem::copy_file(test::OwnFolder() + L"\\" + probe + L".exe",
                               program / (probe + L".exe"));
    std::filesystem::copy_file(std::filesystem::path(MORVANE_DATA_DIR) / "fr.ini",
                               program / "fr.ini");
    const std::wstring task = HeldByTheAnsiCodePage(
        {L"C:\\" + kName + L"\\kopia.exe", L"C:\\Zo\u00e9\\kopia.exe", L"C:\\Zoe\\kopia.exe"});

    const std::wstring exe = (program / (probe + L".exe")).native();
    ASSERT_EQ(RunWithAppData(exe,
                             L"save " + Quoted(m_key) + L" " + Quoted(saved.native()) + L" " +
                                 Quoted(task),
                             appData.native()),
              0);

    for (const char* name : {"mvsetting.ini", "default.mtf", "mvfr.dat"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(appData / name)) << name;
    }
    const std::optional<std::vector<std::string>> settings =
        ReadTextLines(appData / "mvsetting.ini");
    ASSERT_TRUE(settings);
    EXPECT_EQ(*settings, (std::vector<std::string>{"1", "1", "0", "0", "0", "0", "0", "0"}))
        << "Autoload and start at logon, and nothing else";
    EXPECT_TRUE(std::filesystem::is_regular_file(saved.native() + L".mtf"));
    // Nothing landed beside the three folders of ours.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_root), {}), 3);

    std::wstring run(1024, L'\0');
    DWORD bytes = static_cast<DWORD>(run.size() * sizeof(wchar_t));
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, m_key.c_str(), probe.c_str(), RRF_RT_REG_SZ, nullptr,
                           run.data(), &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(run.c_str()), Quoted((program / (probe + L".exe")).native()));

    const std::filesystem::path report = m_root / L"report.txt";
    ASSERT_EQ(RunWithAppData(exe,
                             L"load " + Quoted(m_key) + L" " + Quoted(saved.native()) + L" " +
                                 Quoted(report.native()),
                             appData.native()),
              0);
    const std::map<std::string, std::string> found = ReadReport(report);
    std::ifstream french(program / "fr.ini", std::ios::binary);
    std::string caption;
    std::getline(french, caption, '\r');
    EXPECT_EQ(found.at("appData"), Narrow(appData.native()));
    EXPECT_EQ(found.at("french"), "1");
    EXPECT_EQ(found.at("caption"), caption) << "the French language file, whole";
    EXPECT_EQ(found.at("autoload"), "1");
    EXPECT_EQ(found.at("autostart"), "1");
    EXPECT_EQ(found.at("kept"), "1");
    EXPECT_EQ(found.at("keptPath"), Narrow(task));
    EXPECT_EQ(found.at("loaded"), "1");
    EXPECT_EQ(found.at("loadedPath"), Narrow(task));
}

} // namespace
} // namespace morvane::platform
