#include "platform/linux/x11/DesktopEntryIcons.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using morvane::platform::x11::DesktopEntryIcons;
namespace fs = std::filesystem;

namespace {

class DesktopEntryIconsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_home = fs::path(testing::TempDir()) / "entries-home";
        m_system = fs::path(testing::TempDir()) / "entries-system";
        fs::remove_all(m_home);
        fs::remove_all(m_system);
        fs::create_directories(m_home);
        fs::create_directories(m_system / "kde");
        Write(m_system / "terminal.desktop", "Exec=term\nIcon=by-id\n");
        Write(m_system / "other.desktop", "Exec=other\nIcon=by-wmclass\nStartupWMClass=Terminal\n");
        Write(m_system / "org.example.Editor.desktop", "Exec=ed %F\nIcon=editor-icon\n");
        Write(m_system / "tool.desktop",
              "Exec=env LANG=C \"/opt/tool/bin/mytool\" --x %U\nIcon=/opt/tool/tool.png\n");
        Write(m_system / "kde" / "viewer.desktop", "Exec=viewer\nIcon=kde-viewer\n");
        Write(m_system / "hidden.desktop", "Exec=hideme\nIcon=system-hidden\n");
        Write(m_home / "hidden.desktop", "Exec=hideme\nIcon=home-hidden\nHidden=true\n");
        Write(m_system / "actions.desktop", "Exec=acts\nIcon=main-icon\n",
              "\n[Desktop Action new]\nExec=acts --new\nIcon=action-icon\n");
    }
    static void Write(const fs::path& file, const std::string& main, const std::string& more = "") {
        std::ofstream(file) << "# comment\n[Desktop Entry]\nType=Application\nName=X\n"
                            << main << more;
    }

    fs::path m_home;
    fs::path m_system;
};

TEST_F(DesktopEntryIconsTest, FindsTheProgramsEntryInOrderOfTrust) {
    DesktopEntryIcons icons({m_home, m_system});
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
        {"acts", "", "", "main-icon"},              // only the main group counts
        {"unknown", "unknown", "Unknown", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(icons.IconFor(c.program, c.instance, c.windowClass), c.icon);
    }
}

TEST(DesktopEntryIconsFolders, FollowTheXdgVariables) {
    const char* home = std::getenv("HOME");
    const std::string savedHome = home != nullptr ? home : "";
    setenv("XDG_DATA_HOME", "/home/u/.data", 1);
    setenv("XDG_DATA_DIRS", "/a:/b/c", 1);
    EXPECT_EQ(DesktopEntryIcons::StandardFolders(),
              (std::vector<fs::path>{"/home/u/.data/applications", "/a/applications",
                                     "/b/c/applications"}));
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_DATA_DIRS");
    setenv("HOME", "/home/v", 1);
    EXPECT_EQ(DesktopEntryIcons::StandardFolders(),
              (std::vector<fs::path>{"/home/v/.local/share/applications",
                                     "/usr/local/share/applications", "/usr/share/applications"}));
    setenv("HOME", savedHome.c_str(), 1);
}

} // namespace
