// What start-up does with a kept task list it cannot read wholly, and with what a save killed
// half way left in the data folder.
#include "FakeRig.h"
#include "TestFolder.h"
#include "core/UiHost.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace morvane;
using morvane::test::TestFolder;

namespace {

struct QuietHost final : UiHost {
    bool AskExitQuestion() override { return true; }
    void HideDoor() override {}
    void DetachSkin() override {}
    void UnloadEditor() override {}
    void CloseMainWindow() override {}
    void EndProgram() override {}
    void UpdateLan() override {}
    void ShowMessage(const std::string&) override {}
    void RunningProgramsChanged() override {}
};

class KeptListTest : public ::testing::Test, protected morvane::test::FakeRig {
protected:
    KeptListTest() {
        std::filesystem::create_directories(m_appData);
        TestFolder::Write(m_appData / "mvsetting.ini", "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
        m_engine.SetHost(&m_host);
    }
    void StartUp() {
        m_engine.ResetIdle();
        m_engine.ChooseStartupLanguage();
        m_engine.ClearStartupMarks();
        m_engine.LoadSettingsAndTasks();
    }

    TestFolder m_dir;
    std::filesystem::path m_appData = m_dir / "appdata";
    QuietHost m_host;
    Engine m_engine{services, AppPaths{MORVANE_DATA_DIR, m_appData, "morvane"}};
};

const std::string kTask =
    "vim\t/usr/bin/vim\tNone\t2030/01/01 00:00:00\tNone\tClose - Normal\t\r\n";

std::string Utf16Le(const std::string& ascii) {
    std::string wide = "\xff\xfe";
    for (char c : ascii) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

} // namespace

TEST_F(KeptListTest, AListWithUnreadableLinesIsCopiedAsideSaidInTheWindowAndNothingIsLost) {
    struct Case {
        const char* name;
        std::string bytes;
        int tasks;
        /// The kept list after quitting; nullopt when it is removed (no task left to keep).
        std::optional<std::string> atQuit;
        /// A folder already holds the name of the copy, so no copy can be made.
        bool copyBlocked = false;
    };
    const Case cases[] = {
        {"UTF-16", Utf16Le(kTask + kTask + kTask), 0, std::nullopt},
        {"one line past any task's length", std::string(3 << 20, 'x') + "\r\n" + kTask, 1, kTask},
        {"junk around a task", "\x01\x02junk\r\n" + kTask + "\t\t\t\t\tRun\r\n", 1, kTask},
        {"no copy possible", "junk\r\n" + kTask, 1, "junk\r\n" + kTask, true},
    };
    const std::string keptAs = "default.mtf.unreadable-20261207-100000";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestFolder::Write(m_appData / "default.mtf", c.bytes);
        std::filesystem::remove_all(m_appData / keptAs);
        if (c.copyBlocked) {
            std::filesystem::create_directories(m_appData / keptAs);
        }
        Engine engine{services, AppPaths{MORVANE_DATA_DIR, m_appData, "morvane"}};
        engine.SetHost(&m_host);
        engine.ResetIdle();
        engine.ClearStartupMarks();
        engine.LoadSettingsAndTasks();
        EXPECT_EQ(engine.Tasks().Count(), c.tasks);
        EXPECT_EQ(engine.CurrentAlerts(),
                  (std::vector<Alert>{{Alert::Kind::ListSetAside, "default.mtf",
                                       c.copyBlocked ? "default.mtf" : keptAs}}));
        engine.UnloadSequence();
        if (!c.copyBlocked) {
            EXPECT_EQ(TestFolder::Read(m_appData / keptAs), c.bytes) << "the copy is whole";
        }
        if (c.atQuit) {
            EXPECT_EQ(TestFolder::Read(m_appData / "default.mtf"), *c.atQuit);
        } else {
            EXPECT_FALSE(std::filesystem::exists(m_appData / "default.mtf"));
        }
    }
}

TEST_F(KeptListTest, StartUpRemovesOnlyTheTemporariesOfMorvanesOwnFiles) {
    struct Case {
        const char* name;
        bool removed;
    };
    const Case cases[] = {
        {".default.mtf.123456.tmp", true},
        {".mvsetting.ini.7.tmp", true},
        {".preferences.ini.999999999.tmp", true},
        {".history.log.42.tmp", true},
        {".mvfr.dat.1.tmp", true},
        {".default.mtf.tmp", false},
        {".default.mtf.12a.tmp", false},
        {".default.mtf.1234567890.tmp", false},
        {"default.mtf.123.tmp", false},
        {".notes.txt.123.tmp", false},
        {".default.mtf.123.tmp.bak", false},
    };
    for (const Case& c : cases) {
        TestFolder::Write(m_appData / c.name, "left");
    }
    TestFolder::Write(m_appData / "default.mtf", kTask);
    StartUp();
    for (const Case& c : cases) {
        EXPECT_EQ(std::filesystem::exists(m_appData / c.name), !c.removed) << c.name;
    }
    EXPECT_EQ(m_engine.Tasks().Count(), 1);
    EXPECT_TRUE(m_engine.CurrentAlerts().empty());
}
