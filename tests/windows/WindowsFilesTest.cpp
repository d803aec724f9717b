#include "core/storage/HostTextCodec.h"
#include "core/storage/TextFile.h"
#include "platform/windows/WinHandle.h"
#include "platform/windows/WindowsFileSync.h"
#include "platform/windows/WindowsTextEncoding.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
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
// No 8-bit code page holds all of it; UTF-8 does.
const std::string kEveryScript = "Zoé Łukasz 東京 😀";

// The bytes an encoding that must succeed gives.
std::string Encoded(const TextEncoding& encoding, const std::string& text) {
    const std::optional<std::string> bytes = encoding.Encode(text);
    EXPECT_TRUE(bytes) << text;
    return bytes.value_or("");
}

TEST(WindowsTextEncoding, WesternAndCentralEuropeanCodePagesRoundTripTheirLetters) {
    const WindowsTextEncoding western(1252);
    const WindowsTextEncoding central(1250);
    EXPECT_EQ(western.Encode("é œ"), "\xE9 \x9C");
    EXPECT_EQ(western.Decode(Encoded(western, kFrench)), kFrench);
    EXPECT_EQ(central.Encode("ł ż ą Ś"), "\xB3 \xBF \xB9 \x8C");
    EXPECT_EQ(central.Decode(Encoded(central, kPolish)), kPolish);
    EXPECT_EQ(central.Decode(Encoded(central, "é ó ç")), "é ó ç") << "French letters 1250 holds";

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
        EXPECT_EQ(ansi.Decode(Encoded(ansi, text)), named.Decode(Encoded(named, text)));
    }
    // Wine's American English (scripts/with-wine.sh) gives the western code page: the French
    // text goes through whole. With the system code page UTF-8 every text does, byte for byte.
    if (GetACP() == 1252) {
        EXPECT_EQ(ansi.Decode(Encoded(ansi, kFrench)), kFrench);
    }
    if (GetACP() == CP_UTF8) {
        EXPECT_EQ(Encoded(ansi, kEveryScript), kEveryScript);
        EXPECT_EQ(ansi.Decode(kEveryScript), kEveryScript);
    }
}

// scripts/with-wine.sh says which code page its prefix has: the run checks it is the one it got.
TEST(WindowsTextEncoding, TheAnsiCodePageIsTheOneThePrefixWasGiven) {
    const char* expected = std::getenv("MORVANE_WINE_ACP");
    if (expected == nullptr || *expected == '\0') {
        GTEST_SKIP() << "not in a prefix of scripts/with-wine.sh";
    }
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::strtoul(expected, nullptr, 10)));
}

// Windows refuses any flag but WC_ERR_INVALID_CHARS for UTF-8 (Wine lets it pass): with the
// no-best-fit flag every line of every file would come out empty under the UTF-8 code page.
TEST(WindowsTextEncoding, UnderTheUtf8CodePageEveryTextIsWrittenWhole) {
    EXPECT_EQ(WindowsTextEncoding::EncodeFlags(CP_UTF8), 0U);
    EXPECT_EQ(WindowsTextEncoding::EncodeFlags(CP_UTF7), 0U);
    EXPECT_EQ(WindowsTextEncoding::EncodeFlags(1252), static_cast<DWORD>(WC_NO_BEST_FIT_CHARS));
    EXPECT_EQ(WindowsTextEncoding::EncodeFlags(1250), static_cast<DWORD>(WC_NO_BEST_FIT_CHARS));
    EXPECT_EQ(WindowsTextEncoding::EncodeFlags(CP_ACP),
              GetACP() == CP_UTF8 ? 0U : static_cast<DWORD>(WC_NO_BEST_FIT_CHARS));

    const WindowsTextEncoding utf8(CP_UTF8);
    EXPECT_EQ(Encoded(utf8, kEveryScript), kEveryScript);
    EXPECT_EQ(utf8.Decode(kEveryScript), kEveryScript);
    EXPECT_EQ(Encoded(utf8, ""), "");
}

// A text the system will not convert at all is said so, never handed back empty: written as an
// empty line it would wipe the file's old content.
TEST(WindowsTextEncoding, AConversionTheSystemRefusesIsAFailureNotAnEmptyText) {
    const WindowsTextEncoding unknown(12345); // no such code page
    EXPECT_FALSE(unknown.Encode("tasks"));
    EXPECT_EQ(Encoded(unknown, ""), "") << "nothing to convert is no failure";
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
    EXPECT_EQ(Bytes(path), Encoded(ansi, lines[0]) + "\r\n" + Encoded(ansi, lines[1]) + "\r\n");
    const std::optional<std::vector<std::string>> read = ReadTextLines(path, codec);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, (std::vector<std::string>{ansi.Decode(Encoded(ansi, lines[0])),
                                               ansi.Decode(Encoded(ansi, lines[1]))}));

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
// Wine keeps names in the Unix locale's character set, a UTF-8 one under scripts/with-wine.sh.
TEST(WindowsFileSync, AFileNameBeyondTheAnsiCodePageIsWrittenAndReplaced) {
    const TempFolder dir;
    const std::filesystem::path path =
        dir / std::filesystem::path(L"zadania-\u017c\u00f3\u0142w.mtf");
    ASSERT_TRUE(windows::Own(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr)))
        << "the file system cannot hold the name (Wine under a locale that is not UTF-8?)";
    const WindowsTextEncoding ansi;
    const HostTextCodec codec(&ansi);
    WindowsFileSync sync;
    const WriteResult written = WriteTextLinesAtomic(path, {kFrench}, codec, &sync);
    ASSERT_TRUE(written.Ok()) << written.error;
    EXPECT_EQ(Bytes(path), Encoded(ansi, kFrench) + "\r\n");
    EXPECT_EQ(EntriesIn(dir.Path()), 1U);
}

} // namespace
} // namespace morvane::platform
