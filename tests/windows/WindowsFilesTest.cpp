#include "core/storage/HostTextCodec.h"
#include "core/storage/TextFile.h"
#include "platform/windows/WinHandle.h"
#include "platform/windows/WindowsFileSync.h"
#include "platform/windows/WindowsTextEncoding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace morvane::platform {
namespace {

// A folder of our own under the prefix's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        m_path = std::filesystem::temp_directory_path() /
                 ("morvane-files-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(s_count++));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return m_path / name;
    }
    [[nodiscard]] const std::filesystem::path& Path() const { return m_path; }

private:
    static inline int s_count = 0;
    std::filesystem::path m_path;
};

std::string Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::size_t EntriesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

const std::string kFrench = "Élève à l'œuvre, ça déçoit: où êtes-vous?";
const std::string kPolish = "Zażółć gęślą jaźń, ŁÓDŹ";

TEST(WindowsTextEncoding, WesternAndCentralEuropeanCodePagesRoundTripTheirLetters) {
    const WindowsTextEncoding western(1252);
    const WindowsTextEncoding central(1250);
    EXPECT_EQ(western.Encode("é œ"), "\xE9 \x9C");
    EXPECT_EQ(western.Decode(western.Encode(kFrench)), kFrench);
    EXPECT_EQ(central.Encode("ł ż ą Ś"), "\xB3 \xBF \xB9 \x8C");
    EXPECT_EQ(central.Decode(central.Encode(kPolish)), kPolish);
    EXPECT_EQ(central.Decode(central.Encode("é ó ç")), "é ó ç") << "French letters 1250 holds";

    // What a code page cannot hold becomes "?", never a look-alike letter; "ó" is in both.
    EXPECT_EQ(western.Encode("żółw"), "?\xF3?w");
    EXPECT_EQ(central.Encode("œuvre à"), "?uvre ?");
    EXPECT_EQ(western.Decode("\xB3"), "³") << "a 1250 byte read in 1252 is 1252's letter";
}

TEST(WindowsTextEncoding, TheSystemAnsiCodePageIsTheDefault) {
    const WindowsTextEncoding ansi;
    const WindowsTextEncoding named(GetACP());
    for (const std::string& text : {kFrench, kPolish}) {
        EXPECT_EQ(ansi.Encode(text), named.Encode(text)) << "code page " << GetACP();
        EXPECT_EQ(ansi.Decode(ansi.Encode(text)), named.Decode(named.Encode(text)));
    }
    // Wine with LC_ALL=C gives the western code page: the French text goes through whole.
    if (GetACP() == 1252) {
        EXPECT_EQ(ansi.Decode(ansi.Encode(kFrench)), kFrench);
    }
}

TEST(WindowsFileSync, ReplacesAFileWholeOrLeavesItAsItWas) {
    const TempFolder dir;
    Write(dir / "kept.mtf", "old\r\n");
    Write(dir / "new.tmp", "new\r\n");
    WindowsFileSync sync;
    EXPECT_TRUE(sync.SyncToDisk(dir / "new.tmp").Ok());
    EXPECT_TRUE(sync.SyncToDisk(dir.Path()).Ok());
    ASSERT_TRUE(sync.Replace(dir / "new.tmp", dir / "kept.mtf").Ok());
    EXPECT_EQ(Bytes(dir / "kept.mtf"), "new\r\n");
    EXPECT_EQ(EntriesIn(dir.Path()), 1U);

    const Result missing = sync.Replace(dir / "gone.tmp", dir / "kept.mtf");
    EXPECT_EQ(missing.Code(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Bytes(dir / "kept.mtf"), "new\r\n");
    const Result unsynced = sync.SyncToDisk(dir / "gone.mtf");
    EXPECT_EQ(unsynced.Code(), ERROR_FILE_NOT_FOUND);
    EXPECT_NE(unsynced.Message().find("gone.mtf"), std::string::npos) << unsynced.Message();
}

// The core's files on Windows: its codec over the ANSI code page, its atomic write over the
// platform's replacement.
TEST(WindowsFileSync, TaskFilesAreWrittenInTheAnsiCodePageAndAFailedReplaceKeepsTheOldFile) {
    const TempFolder dir;
    const WindowsTextEncoding ansi;
    const HostTextCodec codec(&ansi);
    WindowsFileSync sync;
    const std::filesystem::path path = dir / "tasks.mtf";
    const std::vector<std::string> lines = {kFrench, "C:\\Programy\\" + kPolish + ".exe"};
    const WriteResult written = WriteTextLinesAtomic(path, lines, codec, &sync);
    ASSERT_TRUE(written.Ok()) << written.error;
    EXPECT_EQ(Bytes(path), ansi.Encode(lines[0]) + "\r\n" + ansi.Encode(lines[1]) + "\r\n");
    const std::optional<std::vector<std::string>> read = ReadTextLines(path, codec);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, (std::vector<std::string>{ansi.Decode(ansi.Encode(lines[0])),
                                               ansi.Decode(ansi.Encode(lines[1]))}));

    // Another program holds the file open without letting it be deleted: the new file cannot
    // take its place, and the old one stays whole with no temporary file left beside it.
    const std::string before = Bytes(path);
    {
        const windows::UniqueHandle holder =
            windows::Own(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        const WriteResult failed = WriteTextLinesAtomic(path, {"replaced"}, codec, &sync);
        EXPECT_FALSE(failed.Ok());
        EXPECT_NE(failed.error.find("cannot replace"), std::string::npos) << failed.error;
    }
    EXPECT_EQ(Bytes(path), before);
    EXPECT_EQ(EntriesIn(dir.Path()), 1U);
}

// On Windows a name the ANSI code page cannot hold is common (a Polish user on a western system).
// Wine keeps names in the Unix locale's character set: under LC_ALL=C it cannot hold this one,
// so the test command runs this test once more under a UTF-8 locale.
TEST(WindowsFileSync, AFileNameBeyondTheAnsiCodePageIsWrittenAndReplaced) {
    const TempFolder dir;
    const std::filesystem::path path =
        dir / std::filesystem::path(L"zadania-\u017c\u00f3\u0142w.mtf");
    if (!windows::Own(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr))) {
        GTEST_SKIP() << "the file system cannot hold the name here (Wine under a non-UTF-8 locale)";
    }
    const WindowsTextEncoding ansi;
    const HostTextCodec codec(&ansi);
    WindowsFileSync sync;
    const WriteResult written = WriteTextLinesAtomic(path, {kFrench}, codec, &sync);
    ASSERT_TRUE(written.Ok()) << written.error;
    EXPECT_EQ(Bytes(path), ansi.Encode(kFrench) + "\r\n");
    EXPECT_EQ(EntriesIn(dir.Path()), 1U);
}

} // namespace
} // namespace morvane::platform
