#include "TestFolder.h"
#include "core/Options.h"
#include "core/storage/AppPaths.h"
#include "core/storage/LanguageTable.h"
#include "core/storage/Settings.h"
#include "core/storage/TaskFile.h"
#include "core/tasks/TaskList.h"
#include "platform/fake/FakeFileSync.h"
#include "platform/fake/FakeUserFolders.h"
#include "types/PathText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

using namespace morvane;
using morvane::test::TestFolder;

namespace {

const DateTime kLoadTime{2026, 12, 7, 10, 0, 0};

Task Fixed() {
    return {"xterm",      "/usr/bin/xterm", "812", "2026/12/07 18:00:00",
            "Every Hour", "Close - Normal", ""};
}
Task Countdown() {
    return {"Empty",          "None",
            "None",           "2020/01/01 00:00:00",
            "None",           "Close - After 00-01-30-00",
            "Shutdown PC - Q"};
}
Task Idle() {
    return {"run.sh",    "/opt/run.sh --flag",
            "None",      "2026/12/07 11:00:00",
            "Every Day", "Run - AfterNoMouseMoving 00-00-10-00",
            " - Q"};
}

// Letters beyond every 8-bit code page but UTF-8, one beyond the 16-bit plane too.
const std::string kEveryScript = "Zoé Łukasz 東京 😀";

// A host encoding that refuses one text altogether, as Windows refuses a conversion.
class RefusingCodec final : public TextCodec {
public:
    [[nodiscard]] std::optional<std::string> Encode(std::string_view text) const override {
        if (text.find("refused") != std::string_view::npos) {
            return std::nullopt;
        }
        return std::string(text);
    }
};

// A host encoding whose reading shows it was used.
class MarkingCodec final : public TextCodec {
public:
    [[nodiscard]] std::string Decode(std::string_view bytes) const override {
        return "[" + std::string(bytes) + "]";
    }
};

} // namespace

TEST(PathText, Utf8AndPathsGoBothWaysWholeAndNeverThrow) {
    const std::filesystem::path path = PathFromUtf8("folder/" + kEveryScript);
    EXPECT_EQ(path, std::filesystem::path(u8"folder/Zoé Łukasz 東京 😀"));
    EXPECT_EQ(Utf8FromPath(path.filename()), kEveryScript);
    // Not UTF-8: bytes stay bytes where names are bytes; elsewhere the stray byte becomes U+FFFD.
    const std::string stray = Utf8FromPath(PathFromUtf8("a\xff\xc3"));
    EXPECT_TRUE(stray == "a\xff\xc3" || stray == "a\xef\xbf\xbd\xef\xbf\xbd") << stray;
    if constexpr (sizeof(std::filesystem::path::value_type) == 2) {
        // A name with an unpaired surrogate, which Windows allows.
        const std::wstring lone = {L'a', static_cast<wchar_t>(0xD800), L'b'};
        EXPECT_EQ(Utf8FromPath(std::filesystem::path(lone)), "a\xef\xbf\xbd"
                                                             "b");
    }
}

TEST(AppPaths, TheDataFolderIsTheFirstFolderTheHostNames) {
    using platform::FakeUserFolders;
    const std::filesystem::path roaming = PathFromUtf8("C:/Users/" + kEveryScript + "/Roaming");
    const std::filesystem::path config = PathFromUtf8("/home/" + kEveryScript + "/.cfg");
    const std::filesystem::path home = PathFromUtf8("/home/" + kEveryScript);
    EXPECT_EQ(DefaultAppDataFolder(
                  FakeUserFolders({{"APPDATA", "/appdata"}, {"XDG_CONFIG_HOME", config}}, roaming)),
              std::filesystem::path("/appdata"));
    EXPECT_EQ(DefaultAppDataFolder(FakeUserFolders({{"XDG_CONFIG_HOME", config}}, roaming)),
              roaming);
    EXPECT_EQ(DefaultAppDataFolder(FakeUserFolders({{"XDG_CONFIG_HOME", config}, {"HOME", home}})),
              config / "morvane");
    EXPECT_EQ(DefaultAppDataFolder(FakeUserFolders({{"HOME", home}})),
              home / ".config" / "morvane");
    EXPECT_EQ(DefaultAppDataFolder(FakeUserFolders()), std::filesystem::path(".morvane"));
}

TEST(TaskFile, EmptyListGivesAZeroByteFileAndLoadingItAddsNothing) {
    TestFolder dir;
    TaskList list;
    ASSERT_TRUE(WriteTaskFile(dir / "empty.mtf", list).Ok());
    EXPECT_EQ(std::filesystem::file_size(dir / "empty.mtf"), 0U);
    list.Append(Fixed());
    EXPECT_EQ(ReadTaskFile(dir / "empty.mtf", list, kLoadTime).added, 0);
    EXPECT_EQ(list.Count(), 1);
}

TEST(TaskFile, RoundTripKeepsOrderAndRestartsOnlyCountdowns) {
    TestFolder dir;
    TaskList saved;
    saved.Append(Fixed());
    saved.Append(Countdown());
    saved.Append(Idle());
    ASSERT_TRUE(WriteTaskFile(dir / "three.mtf", saved).Ok());
    const std::string bytes = TestFolder::Read(dir / "three.mtf");
    EXPECT_EQ(bytes.substr(0, bytes.find("\r\n") + 2),
              "xterm\t/usr/bin/xterm\t812\t2026/12/07 18:00:00\tEvery Hour\tClose - Normal\t\r\n");

    TaskList loaded;
    EXPECT_EQ(ReadTaskFile(dir / "three.mtf", loaded, kLoadTime).added, 3);
    ASSERT_EQ(loaded.Count(), 3);
    EXPECT_EQ(loaded.At(1), Fixed());
    Task countdown = Countdown();
    countdown.closeTime = "2026/12/07 11:30:00";
    EXPECT_EQ(loaded.At(2), countdown);
    EXPECT_EQ(loaded.At(3), Idle());
}

TEST(TaskFile, CountdownAcrossYearEnd) {
    Task task{"a", "/a", "None", "x", "None", "Run - After 01-00-00-00", ""};
    RearmCountdown(task, {2026, 12, 31, 23, 0, 0});
    EXPECT_EQ(task.closeTime, "2027/01/01 23:00:00");
}

TEST(TaskFile, ShortLongLfOnlyAndBinaryLinesLoadWithoutLoss) {
    TestFolder dir;
    TestFolder::Write(dir / "odd.mtf", "a\tb\tc\td\t\tRun - Normal\r\n"
                                       "1\t2\t3\t4\t5\tClose - Normal\t7\t8\t9\n"
                                       "\xff\xfe\x01junk\t\t\t\t\tRun - After 1\r\n"
                                       "last\tline\t\t\t\tClose - Normal");
    TaskList list;
    EXPECT_EQ(ReadTaskFile(dir / "odd.mtf", list, kLoadTime), (TaskFileCount{4, 0}));
    EXPECT_EQ(list.At(1).closeTime, "d");
    EXPECT_EQ(list.At(1).loop, "");
    EXPECT_EQ(list.At(2).after, "7");
    EXPECT_EQ(list.At(3).program, "\xc3\xbf\xc3\xbe\x01junk") << "read as Windows-1252";
    EXPECT_EQ(list.At(4).path, "line");
}

TEST(TaskFile, Windows1252FileFromTheOriginalPlatformLoads) {
    TestFolder dir;
    TestFolder::Write(dir / "win.mtf",
                      "caf\xe9.exe\tC:\\Programme\\caf\xe9.exe\t12\t07.12.2026 18:00:00\tNone\t"
                      "Close - Normal\t\x80\r\n");
    TaskList list;
    ReadTaskFile(dir / "win.mtf", list, kLoadTime);
    EXPECT_EQ(list.At(1).program, "caf\xc3\xa9.exe");
    EXPECT_EQ(list.At(1).after, "\xe2\x82\xac");
}

TEST(TaskFile, MissingFileAddsNothing) {
    TestFolder dir;
    TaskList list;
    EXPECT_EQ(ReadTaskFile(dir / "nope.mtf", list, kLoadTime).added, 0);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(TaskFile, FailedWriteLeavesTheOldFileWholeAndSaysSo) {
    TestFolder dir;
    TaskList list;
    list.Append(Fixed());
    const auto path = dir / "keep.mtf";
    ASSERT_TRUE(WriteTaskFile(path, list).Ok());
    const std::string before = TestFolder::Read(path);
    // A folder we may not write: the temporary file cannot be created beside the target.
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    list.Append(Idle());
    const WriteResult result = WriteTaskFile(path, list);
    std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
    if (result.Ok()) {
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    EXPECT_EQ(TestFolder::Read(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "no temporary file left behind";
}

TEST(TaskFile, FailedReplaceReportsAndLeavesNoTemporaryFile) {
    TestFolder dir;
    // Something that is not a file already holds the name: the final rename must fail.
    std::filesystem::create_directories(dir / "busy.mtf" / "inside");
    TaskList list;
    list.Append(Fixed());
    EXPECT_FALSE(WriteTaskFile(dir / "busy.mtf", list).Ok());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "busy.mtf" / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(TaskFile, TheNewFileIsOnTheDiskBeforeItReplacesTheOldAndTheFolderAfter) {
    TestFolder dir;
    const auto path = dir / "week.mtf";
    TaskList list;
    ASSERT_TRUE(WriteTaskFile(path, list).Ok());
    list.Append(Fixed());
    platform::FakeFileSync sync;
    std::string targetAtFirstSync = "unread";
    sync.onSync = [&](const std::filesystem::path&) {
        if (sync.synced.size() == 1) {
            targetAtFirstSync = TestFolder::Read(path);
        }
    };
    ASSERT_TRUE(WriteTaskFile(path, list, TextCodec::Default(), &sync).Ok());
    ASSERT_EQ(sync.synced.size(), 2U);
    EXPECT_EQ(sync.synced[0].path.parent_path(), dir.Path());
    EXPECT_EQ(sync.synced[0].content, TestFolder::Read(path)) << "the temporary file, in full";
    EXPECT_EQ(targetAtFirstSync, "") << "synced before the rename";
    EXPECT_TRUE(sync.synced[1].folder);
    EXPECT_EQ(sync.synced[1].path, dir.Path());
    ASSERT_EQ(sync.replaced.size(), 1U) << "the platform's own replacement puts it in place";
    EXPECT_EQ(sync.replaced[0].first, sync.synced[0].path);
    EXPECT_EQ(sync.replaced[0].second, path);

    // A temporary file that cannot be put on the disk never replaces the old file.
    const std::string before = TestFolder::Read(path);
    sync.onSync = [&](const std::filesystem::path& temp) {
        sync.failing = {temp};
    };
    list.Append(Idle());
    EXPECT_FALSE(WriteTaskFile(path, list, TextCodec::Default(), &sync).Ok());
    EXPECT_EQ(TestFolder::Read(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

// Encoded before anything is written: a line the host's encoding refuses is an error, never an
// empty line in place of the task.
TEST(TaskFile, ALineTheEncodingRefusesFailsTheWriteAndKeepsTheOldFile) {
    TestFolder dir;
    const auto path = dir / "keep.mtf";
    TaskList list;
    list.Append(Fixed());
    const RefusingCodec codec;
    ASSERT_TRUE(WriteTaskFile(path, list, codec).Ok());
    const std::string before = TestFolder::Read(path);
    list.Append(
        {"refused", "/opt/refused", "None", "2030/01/01 00:00:00", "None", "Run - Normal", ""});
    const WriteResult tasks = WriteTaskFile(path, list, codec);
    EXPECT_FALSE(tasks.Ok());
    EXPECT_NE(tasks.error.find("cannot encode task 2"), std::string::npos) << tasks.error;
    const WriteResult lines = WriteTextLinesAtomic(path, {"kept", "refused"}, codec);
    EXPECT_FALSE(lines.Ok());
    EXPECT_NE(lines.error.find("cannot encode line 2"), std::string::npos) << lines.error;
    EXPECT_EQ(TestFolder::Read(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(TaskFile, WriteIntoAMissingFolderFails) {
    TestFolder dir;
    TaskList list;
    EXPECT_FALSE(WriteTaskFile(dir / "no" / "such" / "x.mtf", list).Ok());
}

TEST(TaskFile, SaveNameGetsTheExtensionUnlessItHasIt) {
    EXPECT_EQ(WithTaskFileExtension("week"), std::filesystem::path("week.mtf"));
    EXPECT_EQ(WithTaskFileExtension("week.MTF"), std::filesystem::path("week.MTF"));
    EXPECT_EQ(WithTaskFileExtension("tasks.Mtf"), std::filesystem::path("tasks.Mtf"));
    EXPECT_EQ(WithTaskFileExtension("week.txt"), std::filesystem::path("week.txt.mtf"));
}

TEST(Settings, WrittenAsEightLinesAndReadBackWithAfterMarksCleared) {
    TestFolder dir;
    Options out;
    out.SetChecked(Mark::Autoload, true);
    out.SetChecked(Mark::Reboot, true);
    out.SetChecked(Mark::Quit, true);
    ASSERT_TRUE(SaveSettings(dir / "mvsetting.ini", out).Ok());
    EXPECT_EQ(TestFolder::Read(dir / "mvsetting.ini"), "1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n1\r\n");
    Options in;
    ReadSettings(dir / "mvsetting.ini", in);
    EXPECT_TRUE(in.IsChecked(Mark::Autoload));
    EXPECT_FALSE(in.IsChecked(Mark::Reboot));
    EXPECT_FALSE(in.IsChecked(Mark::Quit));
}

TEST(Settings, ShortOddAndMissingFiles) {
    TestFolder dir;
    Options o;
    o.SetChecked(Mark::Autoload, true);
    EXPECT_EQ(ReadSettings(dir / "missing.ini", o), SettingsRead::Missing);
    EXPECT_TRUE(o.IsChecked(Mark::Autoload)) << "a missing file changes nothing";

    // Anything but lines of exactly 0 and 1 is not a settings file: it tells nothing.
    for (const char* odd : {"01\n1", "", "1\r\n0 \r\n", "\xff\x01\n"}) {
        TestFolder::Write(dir / "odd.ini", odd);
        EXPECT_EQ(ReadSettings(dir / "odd.ini", o), SettingsRead::Corrupt) << odd;
        EXPECT_TRUE(o.IsChecked(Mark::Autoload)) << odd;
    }

    TestFolder::Write(dir / "short.ini", "0\r\n1\n");
    EXPECT_EQ(ReadSettings(dir / "short.ini", o), SettingsRead::Read);
    EXPECT_FALSE(o.IsChecked(Mark::Autoload));
    EXPECT_TRUE(o.IsChecked(Mark::Autostart));
    EXPECT_FALSE(o.IsChecked(Mark::Shut)) << "missing lines count as 0";
}

TEST(LanguageTable, ShorterFileKeepsLaterEntriesAndLongFileStopsAt51) {
    TestFolder dir;
    std::string fr;
    std::string en;
    std::string longFile;
    for (int i = 0; i < 51; ++i) {
        fr += "fr" + std::to_string(i) + "\r\n";
    }
    for (int i = 0; i < 40; ++i) {
        en += "en" + std::to_string(i) + "\r\n";
    }
    for (int i = 0; i < 60; ++i) {
        longFile += "l" + std::to_string(i) + "\n";
    }
    TestFolder::Write(dir / "fr.ini", fr);
    TestFolder::Write(dir / "en.ini", en);
    TestFolder::Write(dir / "long.ini", longFile);
    LanguageTable table;
    EXPECT_EQ(table.Text(0), "");
    ASSERT_TRUE(table.Read(dir / "fr.ini"));
    ASSERT_TRUE(table.Read(dir / "en.ini"));
    EXPECT_EQ(table.Text(39), "en39");
    EXPECT_EQ(table.Text(40), "fr40");
    EXPECT_EQ(table.Text(50), "fr50");
    ASSERT_TRUE(table.Read(dir / "long.ini"));
    EXPECT_EQ(table.Text(50), "l50");
    EXPECT_EQ(table.Text(51), "");
    EXPECT_FALSE(table.Read(dir / "missing.ini"));
    EXPECT_EQ(table.Text(50), "l50");
}

TEST(LanguageTable, LinesAreTakenWholeInEitherEncoding) {
    TestFolder dir;
    TestFolder::Write(dir / "a.ini", "  Add, a Task \r\nSupprim\xe9\r\n");
    TestFolder::Write(dir / "b.ini", "Usu\xc5\x84\r\nlast without end");
    LanguageTable table;
    table.Read(dir / "a.ini");
    EXPECT_EQ(table.Text(0), "  Add, a Task ");
    EXPECT_EQ(table.Text(1), "Supprim\xc3\xa9");
    table.Read(dir / "b.ini");
    EXPECT_EQ(table.Text(0), "Usu\xc5\x84");
    EXPECT_EQ(table.Text(1), "last without end");
}

// The language files ship in UTF-8: read so whatever the host's own encoding, which still reads
// a line that is not UTF-8 (a file the user made in it).
TEST(LanguageTable, ShippedUtf8ReadsWholeAndOtherLinesInTheHostsEncoding) {
    const MarkingCodec host;
    const Utf8FirstCodec codec(host);
    EXPECT_EQ(codec.Decode("Ajouter une t\xc3\xa2"
                           "che"),
              "Ajouter une t\xc3\xa2"
              "che");
    EXPECT_EQ(codec.Decode("Ajouter une t\xe2"
                           "che"),
              "[Ajouter une t\xe2"
              "che]");
    EXPECT_EQ(codec.Encode(kEveryScript), kEveryScript);
}

TEST(ShippedLanguageFiles, HaveFiftyOneEntriesEach) {
    for (const char* name : {"en.ini", "fr.ini", "pl.ini"}) {
        const auto path = std::filesystem::path(MORVANE_DATA_DIR) / name;
        const auto lines = ReadTextLines(path);
        ASSERT_TRUE(lines.has_value()) << path;
        EXPECT_EQ(lines->size(), 51U) << name;
        EXPECT_TRUE(IsValidUtf8(TestFolder::Read(path))) << name;
    }
}

TEST(TextFile, LinesEndAtCrLfOrCrLfAloneMixedAndAcrossReadPieces) {
    // 65535 bytes, then CR LF: the CR ends the first piece read and its LF starts the next.
    const std::string wide(65535, 'w');
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"CR alone", "a\rb\rc\r", {"a", "b", "c"}},
        {"LF alone", "a\nb\nc", {"a", "b", "c"}},
        {"mixed", "a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"blank lines", "a\r\r\n\nb", {"a", "", "", "b"}},
        {"CR LF split between pieces", wide + "\r\nb\r\n", {wide, "b"}},
        {"too long", "123456789\r\nok\r\n" + std::string(8, 'x'), {"", "ok", "xxxxxxxx"}},
    };
    TestFolder dir;
    for (const Case& c : cases) {
        TestFolder::Write(dir / "lines.txt", c.bytes);
        std::vector<std::string> lines;
        int tooLong = 0;
        const std::size_t longest = std::string_view(c.name) == "too long" ? 8 : wide.size();
        ASSERT_TRUE(ForEachLine(dir / "lines.txt", longest, [&](std::string_view line, bool over) {
            lines.emplace_back(line);
            tooLong += over ? 1 : 0;
        }));
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(tooLong, std::string_view(c.name) == "too long" ? 1 : 0) << c.name;
    }
}

TEST(TaskFile, OldMacLineEndsLoseNoTaskAndAreSavedWithCrLf) {
    TestFolder dir;
    std::string file;
    for (const char* program : {"a", "b", "c", "d", "e"}) {
        file += std::string(program) + "\t/" + program + "\tNone\t2030/01/01 00:00:00\tNone\t" +
                "Close - Normal\t\r";
    }
    TestFolder::Write(dir / "mac.mtf", file);
    TaskList list;
    EXPECT_EQ(ReadTaskFile(dir / "mac.mtf", list, kLoadTime), (TaskFileCount{5, 0}));
    ASSERT_TRUE(WriteTaskFile(dir / "mac.mtf", list).Ok());
    std::string crLf = file;
    for (std::size_t at = 0; (at = crLf.find('\r', at)) != std::string::npos; at += 2) {
        crLf.insert(at + 1, "\n");
    }
    EXPECT_EQ(TestFolder::Read(dir / "mac.mtf"), crLf);
}

TEST(TaskFile, OneStrayByteLeavesTheOtherLinesUtf8AndItsOwnFieldsAsTheyWere) {
    TestFolder dir;
    const std::string good = "caf\xc3\xa9\t/opt/\xe6\x97\xa5\xe6\x9c\xac\tNone\t"
                             "2030/01/01 00:00:00\tNone\tClose - Normal\t\r\n";
    // Valid UTF-8 and a stray 0xFF in one field, Latin-1 in another: the line is read as 8-bit.
    const std::string bad = "caf\xc3\xa9\xff\t/opt/\xe9t\xe9\tNone\t2030/01/01 00:00:00\tNone\t"
                            "Run - Normal\t\r\n";
    TestFolder::Write(dir / "mixed.mtf", good + bad + good);
    TaskList list;
    ASSERT_EQ(ReadTaskFile(dir / "mixed.mtf", list, kLoadTime), (TaskFileCount{3, 0}));
    EXPECT_EQ(list.At(1).program, "caf\xc3\xa9");
    EXPECT_EQ(list.At(3).path, "/opt/\xe6\x97\xa5\xe6\x9c\xac");
    EXPECT_EQ(list.At(2).path, "/opt/\xc3\xa9t\xc3\xa9") << "the bad line reads as Windows-1252";

    ASSERT_TRUE(WriteTaskFile(dir / "mixed.mtf", list).Ok());
    EXPECT_EQ(TestFolder::Read(dir / "mixed.mtf"), good + bad + good) << "byte for byte";

    // A field changed since is written as its new text; the others keep their bytes.
    list.SetField(2, Field::Program, "new");
    ASSERT_TRUE(WriteTaskFile(dir / "mixed.mtf", list).Ok());
    EXPECT_EQ(TestFolder::Read(dir / "mixed.mtf"),
              good + "new" + bad.substr(bad.find('\t')) + good);
}
