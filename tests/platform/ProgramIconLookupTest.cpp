#include "TestSupport.h"
#include "platform/linux/DesktopEntry.h"
#include "platform/linux/LinuxProgramIconLookup.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace morvane::platform {
namespace {

namespace fs = std::filesystem;
using Variables = std::map<std::string, std::string>;

// Two "applications" folders, the user's before the system's, and a folder on PATH.
class ProgramIconLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_home);
        fs::create_directories(m_system / "kde");
        fs::create_directories(m_bin);
        Write(m_system / "terminal.desktop", "Exec=term\nIcon=by-id\n");
        Write(m_system / "other.desktop", "Exec=other\nIcon=by-wmclass\nStartupWMClass=Terminal\n");
        Write(m_system / "org.example.Editor.desktop", "Exec=ed %F\nIcon=editor-icon\n");
        Write(m_system / "tool.desktop",
              "Exec=env LANG=C \"/opt/my tools/mytool\" --x %U\nIcon=/opt/tool/tool.png\n");
        Write(m_system / "kde" / "viewer.desktop", "Exec=viewer\nIcon=kde-viewer\n");
        Write(m_system / "hidden.desktop", "Exec=hideme\nIcon=system-hidden\n");
        Write(m_home / "hidden.desktop", "Exec=hideme\nIcon=home-hidden\nHidden=true\n");
        Write(m_system / "actions.desktop", "Exec=acts\nIcon=main-icon\n",
              "\n[Desktop Action new]\nExec=other-act\nIcon=action-icon\n");
        Write(m_system / "tryexec.desktop",
              "TryExec=/usr/libexec/helper\nExec=launcher\nIcon=helper-icon\n");
        Write(m_system / "zz-later-tool.desktop", "Exec=/opt/my tools/mytool\nIcon=loser\n");
        // A program found on PATH, and the link a package puts in front of it.
        std::ofstream(m_bin / "browser-bin") << "#!/bin/sh\n";
        fs::permissions(m_bin / "browser-bin", fs::perms::owner_all);
        fs::create_symlink(m_bin / "browser-bin", m_bin / "browser");
        Write(m_system / "web.desktop", "Exec=browser %u\nIcon=web-icon\n");
    }
    static void Write(const fs::path& file, const std::string& main, const std::string& more = "") {
        std::ofstream(file) << "# comment\n[Desktop Entry]\nType=Application\nName=X\n"
                            << main << more;
    }
    [[nodiscard]] LinuxProgramIconLookup Lookup() const {
        return LinuxProgramIconLookup({m_home, m_system},
                                      Environment(Variables{{"PATH", m_bin.string()}}));
    }

    test::TempDir m_dir;
    fs::path m_home = fs::path(m_dir.Path()) / "home";
    fs::path m_system = fs::path(m_dir.Path()) / "system";
    fs::path m_bin = fs::path(m_dir.Path()) / "bin";
};

TEST_F(ProgramIconLookupTest, AWindowsProgramInOrderOfTrust) {
    LinuxProgramIconLookup icons = Lookup();
    struct Case {
        const char* program;
        const char* instance;
        const char* windowClass;
        const char* icon;
    };
    const Case cases[] = {
        {"term", "terminal", "Terminal", "by-wmclass"}, // StartupWMClass beats the file's name
        {"terminal", "", "", "by-id"},
        {"ed", "", "EDITOR", "editor-icon"},        // reverse-domain id, letter case ignored
        {"mytool", "", "", "/opt/tool/tool.png"},   // the program the Exec line starts
        {"viewer", "", "kde-viewer", "kde-viewer"}, // an entry in a subfolder
        {"hideme", "", "", ""},                     // hidden in the user's folder
        {"acts", "", "", "main-icon"},
        {"other-act", "", "", ""}, // only the main group counts
        {"unknown", "unknown", "Unknown", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        ProgramIdentity program;
        program.programName = c.program;
        program.windowInstance = c.instance;
        program.windowClass = c.windowClass;
        EXPECT_EQ(icons.IconFor(program), c.icon);
    }
}

TEST_F(ProgramIconLookupTest, ARunningExecutableByPathThenByName) {
    LinuxProgramIconLookup icons = Lookup();
    const std::pair<std::string, std::string> cases[] = {
        {"/opt/my tools/mytool", "/opt/tool/tool.png"}, // quoted, past env; earlier entry wins
        {"/opt/my tools//./mytool", "/opt/tool/tool.png"},
        {"/elsewhere/mytool", "/opt/tool/tool.png"},    // by its file name
        {"/usr/libexec/helper", "helper-icon"},         // TryExec
        {(m_bin / "browser-bin").string(), "web-icon"}, // found on PATH, through the link
        {"/usr/bin/unknown", ""},
    };
    for (const auto& [path, icon] : cases) {
        ProgramIdentity program;
        program.executablePath = path;
        EXPECT_EQ(icons.IconFor(program), icon) << path;
    }
}

TEST(ProgramIconLookupFolders, FollowTheXdgVariables) {
    EXPECT_EQ(LinuxProgramIconLookup::StandardFolders(Environment(
                  Variables{{"XDG_DATA_HOME", "/home/u/.data"}, {"XDG_DATA_DIRS", "/a:/b/c"}})),
              (std::vector<fs::path>{"/home/u/.data/applications", "/a/applications",
                                     "/b/c/applications"}));
    EXPECT_EQ(LinuxProgramIconLookup::StandardFolders(Environment(Variables{{"HOME", "/home/v"}})),
              (std::vector<fs::path>{"/home/v/.local/share/applications",
                                     "/usr/local/share/applications", "/usr/share/applications"}));
}

TEST(DesktopEntryReading, TheMainGroupWithBlanksAndCarriageReturnsIgnored) {
    const DesktopEntry entry =
        DesktopEntry::Parse("# Name=comment\r\n  [Desktop Entry] \r\nName = Tool \r\n"
                            "Hidden=true\nExec=env A=1 \"/opt/a b/run\" \"x\\\"y\"\n"
                            "[Desktop Action new]\nName=Action\n");
    EXPECT_EQ(entry.Value("Name"), "Tool");
    EXPECT_TRUE(entry.IsHidden());
    EXPECT_EQ(entry.Value("Type"), "");
    EXPECT_EQ(DesktopEntry::ProgramOf(entry.Value("Exec")), "/opt/a b/run");
    EXPECT_EQ(DesktopEntry::CommandWords(entry.Value("Exec")),
              (std::vector<std::string>{"env", "A=1", "/opt/a b/run", "x\"y"}));
    EXPECT_FALSE(DesktopEntry::Read("/nonexistent/entry.desktop").has_value());
}

} // namespace
} // namespace morvane::platform
