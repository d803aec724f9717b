#include "TestSupport.h"
#include "platform/linux/LinuxSystemLoad.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace morvane::platform {
namespace {

const std::string kHeading =
    "Inter-|   Receive                                                |  Transmit\n"
    " face |bytes    packets errs drop fifo frame compressed multicast|bytes    packets errs "
    "drop fifo colls carrier compressed\n";

// An interface's line as the kernel writes it, with made-up packet counts beside the bytes.
std::string Interface(const std::string& name, const std::string& received,
                      const std::string& sent) {
    return name + ": " + received + " 11 0 0 0 0 0 0 " + sent + " 12 0 0 0 0 0 0\n";
}

// Writes `text` to `file`, or removes the file for nullopt.
void Put(const std::string& file, const std::optional<std::string>& text) {
    std::filesystem::remove(file);
    if (text) {
        std::ofstream(file) << *text;
    }
}

TEST(LinuxSystemLoad, SumsEveryInterfaceButLoopbackAndFollowsTheFiles) {
    const test::TempDir dir;
    LinuxSystemLoad load(dir / "dev", dir / "stat");
    // A name padded to the left and one whose counters touch the colon, as long ones do.
    Put(dir / "dev", kHeading + Interface("    lo", "5000", "5000") +
                         Interface("  eth0", "1000", "200") +
                         "wlan0:30 1 0 0 0 0 0 0 4 1 0 0 0 0 0 0\n");
    // Guest time (the last two) is already inside user and nice time.
    Put(dir / "stat", "cpu  100 20 30 400 50 6 7 8 90 10\ncpu0 100 20 30 400 50 6 7 8 90 10\n");

    const LoadSample first = load.Read(true, true);
    EXPECT_EQ(first.networkBytes, 1234U);
    ASSERT_TRUE(first.processor);
    EXPECT_EQ(first.processor->busy, 171U);
    EXPECT_EQ(first.processor->total, 621U);

    Put(dir / "dev", kHeading + Interface("lo", "9000", "9000") + Interface("eth0", "2000", "300"));
    Put(dir / "stat", "cpu  200 20 30 500 50 6 7 8 90 10\n");
    const LoadSample second = load.Read(true, true);
    EXPECT_EQ(second.networkBytes, 2300U);
    ASSERT_TRUE(second.processor);
    EXPECT_EQ(second.processor->busy, 271U);
    EXPECT_EQ(second.processor->total, 821U);
    EXPECT_GE(second.millis, first.millis);

    // Counters not asked for are neither read nor explained.
    const LoadSample neither = load.Read(false, false);
    EXPECT_FALSE(neither.networkBytes || neither.processor);
    EXPECT_EQ(neither.networkUnreadable + neither.processorUnreadable, "");
}

TEST(LinuxSystemLoad, AFileItCannotMakeOutLeavesItsCounterEmptyAndSaysWhy) {
    const std::string zeros = " 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0";
    const std::string tooLarge = "18446744073709551616"; // 2^64
    const std::string half = "9223372036854775808";      // 2^63
    struct Case {
        std::optional<std::string> netDev;
        std::optional<std::string> stat;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt},
        {"", ""},
        {"garbage\n", "garbage\n"},
        {kHeading + "  eth0: 1 2 3\n", "cpu  1 2 3\n"},
        {kHeading + "  eth0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n", "cpu0 1 2 3 4 5 6 7 8\n"},
        {kHeading + "  eth0: x" + zeros + "\n", "cpu  1 2 x 4 5 6 7 8\n"},
        {kHeading + "  eth0: " + tooLarge + zeros + "\n", "cpu  " + tooLarge + " 0 0 0 0 0 0 0\n"},
        {kHeading + Interface("eth0", half, half), "cpu  " + half + " " + half + " 0 0 0 0 0 0\n"},
    };
    const test::TempDir dir;
    LinuxSystemLoad load(dir / "dev", dir / "stat");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.netDev.value_or("(none)") + " / " + c.stat.value_or("(none)"));
        Put(dir / "dev", c.netDev);
        Put(dir / "stat", c.stat);
        const LoadSample sample = load.Read(true, true);
        EXPECT_FALSE(sample.networkBytes);
        EXPECT_NE(sample.networkUnreadable.find(dir / "dev"), std::string::npos);
        EXPECT_FALSE(sample.processor);
        EXPECT_NE(sample.processorUnreadable.find(dir / "stat"), std::string::npos);
    }
}

} // namespace
} // namespace morvane::platform
