#include "TestSupport.h"
#include "platform/common/ShellWords.h"
#include "platform/linux/LinuxAutostart.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace morvane::platform {
namespace {

using test::TempDir;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class LinuxAutostartTest : public ::testing::Test {
protected:
    std::string EntryPath(const std::string& name) const {
        return m_config / ("autostart/" + name + ".desktop");
    }
    // desktop-file-validate's verdict on an entry: empty when it is valid.
    static std::string Validate(const std::string& path) {
        const char* tool = "/usr/bin/desktop-file-validate";
        if (access(tool, X_OK) != 0) {
            return {};
        }
        test::ChildProcess check({tool, path}, {false, true});
        std::string output;
        while (const std::optional<std::string> line = check.ReadLine()) {
            output += *line + "\n";
        }
        const std::optional<int> status = check.WaitForExit();
        if (!status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0 || !output.empty()) {
            return output.empty() ? "desktop-file-validate failed" : output;
        }
        return {};
    }
    std::vector<std::string> FilesInAutostart() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_config / "autostart")) {
            names.push_back(e.path().filename());
        }
        return names;
    }

    TempDir m_config;
    test::ScopedEnv m_env{"XDG_CONFIG_HOME", m_config.Path()};
    LinuxAutostart m_autostart;
};

TEST_F(LinuxAutostartTest, RegisteringWritesAValidEntryThatStartsTheProgram) {
    EXPECT_FALSE(m_autostart.IsAutostartRegistered("tool"));

    EXPECT_TRUE(m_autostart.SetAutostart("tool", "/opt/apps", true).Ok());

    EXPECT_TRUE(m_autostart.IsAutostartRegistered("tool"));
    EXPECT_EQ(ReadFile(EntryPath("tool")), "[Desktop Entry]\n"
                                           "Type=Application\n"
                                           "Name=Morvane\n"
                                           "Exec=/opt/apps/tool\n"
                                           "Icon=io.github.morvane.Morvane\n");
    EXPECT_EQ(Validate(EntryPath("tool")), "");
    EXPECT_EQ(FilesInAutostart(), std::vector<std::string>{"tool.desktop"});
    EXPECT_EQ(std::filesystem::status(EntryPath("tool")).permissions() &
                  std::filesystem::perms::all,
              std::filesystem::perms(0644));
}

TEST_F(LinuxAutostartTest, UnregisteringTwiceLeavesNoEntryAndNoError) {
    ASSERT_TRUE(m_autostart.SetAutostart("tool", "/opt/apps/", true).Ok());
    EXPECT_EQ(ReadFile(EntryPath("tool")).find("Exec=/opt/apps/tool\n") != std::string::npos, true);

    EXPECT_TRUE(m_autostart.SetAutostart("tool", "/opt/apps", false).Ok());
    EXPECT_FALSE(m_autostart.IsAutostartRegistered("tool"));
    EXPECT_FALSE(std::filesystem::exists(EntryPath("tool")));
    EXPECT_TRUE(m_autostart.SetAutostart("tool", "/opt/apps", false).Ok());
}

TEST_F(LinuxAutostartTest, AnEntryTheDesktopSwitchedOffDoesNotCount) {
    ASSERT_TRUE(m_autostart.SetAutostart("tool", "/opt/apps", true).Ok());
    std::ofstream(EntryPath("tool"), std::ios::app) << "Hidden = true\n";
    EXPECT_FALSE(m_autostart.IsAutostartRegistered("tool"));

    // Hidden in another group is not the entry's.
    std::ofstream(EntryPath("other")) << "[Desktop Entry]\nType=Application\nName=x\nExec=x\n"
                                      << "[Desktop Action y]\nHidden=true\n";
    EXPECT_TRUE(m_autostart.IsAutostartRegistered("other"));

    // Registering again switches it back on.
    ASSERT_TRUE(m_autostart.SetAutostart("tool", "/opt/apps", true).Ok());
    EXPECT_TRUE(m_autostart.IsAutostartRegistered("tool"));
}

TEST_F(LinuxAutostartTest, AFolderWithSpacesQuotesAndPercentStillNamesTheProgram) {
    const std::string folder = m_config / "My Apps/it's \"100%\" $x\\y";
    std::filesystem::create_directories(folder);
    const std::string program = test::CopyProgram("/usr/bin/true", folder, "tool");

    ASSERT_TRUE(m_autostart.SetAutostart("tool", folder, true).Ok());

    EXPECT_EQ(Validate(EntryPath("tool")), "");
    // Undo the entry's own escapes the way a desktop does, then split the Exec line.
    std::string exec;
    std::istringstream lines(ReadFile(EntryPath("tool")));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Exec=", 0) == 0) {
            exec = line.substr(5);
        }
    }
    std::string unescaped;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] == '\\' && i + 1 < exec.size() && exec[i + 1] == '\\') {
            unescaped += '\\';
            ++i;
        } else if (exec[i] == '%' && i + 1 < exec.size() && exec[i + 1] == '%') {
            unescaped += '%';
            ++i;
        } else {
            unescaped += exec[i];
        }
    }
    EXPECT_EQ(ShellWords::Split(unescaped), std::vector<std::string>{program});
}

TEST_F(LinuxAutostartTest, ARelativeConfigHomeFallsBackToTheHomeFolder) {
    TempDir home;
    test::ScopedEnv homeVar("HOME", home.Path());
    test::ScopedEnv relative("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(LinuxAutostart::AutostartFolder(), home.Path() + "/.config/autostart");

    ASSERT_TRUE(m_autostart.SetAutostart("tool", "/opt/apps", true).Ok());
    EXPECT_TRUE(std::filesystem::exists(home / ".config/autostart/tool.desktop"));
}

struct FailureCase {
    const char* what;
    std::string name;
    std::string folder;
    std::string message;
};

TEST_F(LinuxAutostartTest, FailuresKeepTheirMessagesWithTheErrnoAsCode) {
    // A file where the autostart folder should be, and a folder where the entry should be.
    TempDir blocked;
    std::ofstream(blocked / "autostart") << "not a folder";
    std::filesystem::create_directories(m_config / "autostart/busy.desktop");

    const FailureCase cases[] = {
        {"empty name", "", "/opt/apps", "Error 22 opening key\r\n"},
        {"name with a folder", "../tool", "/opt/apps", "Error 22 opening key\r\n"},
        {"relative folder", "tool", "apps", "Error 22 setting key\r\n"},
        {"line break in the folder", "tool", "/opt/a\nb", "Error 22 setting key\r\n"},
        {"the entry is a folder", "busy", "/opt/apps", "Error 21 setting key\r\n"},
    };
    for (const FailureCase& c : cases) {
        const Result result = m_autostart.SetAutostart(c.name, c.folder, true);
        EXPECT_EQ(result.Message(), c.message) << c.what;
        EXPECT_EQ("Error " + std::to_string(result.Code()), c.message.substr(0, 8)) << c.what;
    }
    EXPECT_EQ(FilesInAutostart(), std::vector<std::string>{"busy.desktop"})
        << "a failed write left a temporary file";

    test::ScopedEnv notAFolder("XDG_CONFIG_HOME", blocked.Path());
    EXPECT_EQ(m_autostart.SetAutostart("tool", "/opt/apps", true).Message(),
              "Error 20 opening key\r\n");
    EXPECT_FALSE(m_autostart.IsAutostartRegistered("tool"));
}

} // namespace
} // namespace morvane::platform
