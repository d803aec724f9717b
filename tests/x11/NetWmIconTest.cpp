#include "platform/linux/x11/NetWmIcon.h"

#include <gtest/gtest.h>

using morvane::platform::x11::NetWmIcon;

namespace {

// An image of the property: its sides, then every pixel set to `fill`.
std::vector<unsigned long> Image(unsigned long width, unsigned long height, unsigned long fill,
                                 std::size_t pixels = SIZE_MAX) {
    std::vector<unsigned long> items{width, height};
    items.insert(items.end(), pixels == SIZE_MAX ? width * height : pixels, fill);
    return items;
}

std::vector<unsigned long> Concat(std::initializer_list<std::vector<unsigned long>> images) {
    std::vector<unsigned long> items;
    for (const auto& image : images) {
        items.insert(items.end(), image.begin(), image.end());
    }
    return items;
}

struct Case {
    const char* name;
    std::vector<unsigned long> items;
    int width; // 0: no icon
    std::uint32_t firstPixel;
};

TEST(NetWmIconTest, ChoosesTheRightImageAndStopsAtBrokenOnes) {
    const Case cases[] = {
        {"smallest at least 32", Concat({Image(16, 16, 1), Image(64, 64, 2), Image(48, 48, 3)}), 48,
         3},
        {"exactly 32", Concat({Image(48, 48, 1), Image(32, 32, 2)}), 32, 2},
        {"all small: the largest", Concat({Image(16, 16, 1), Image(24, 24, 2), Image(22, 22, 3)}),
         24, 2},
        {"a truncated image ends the run",
         Concat({Image(16, 16, 1), Image(64, 64, 2, 100), Image(48, 48, 3)}), 16, 1},
        {"zero sides", Concat({Image(0, 16, 1, 0), Image(32, 32, 2)}), 0, 0},
        {"absurd sides are not allocated", Concat({{100000, 100000, 1, 2, 3}}), 0, 0},
        {"sides that overflow when multiplied", Concat({{0xFFFFFFFFUL, 0xFFFFFFFFUL, 1}}), 0, 0},
        {"header only", Concat({{32}}), 0, 0},
        {"empty", {}, 0, 0},
        {"upper bits of long items are dropped", Concat({Image(32, 32, 0xFFFFFFFF80112233UL)}), 32,
         0x80112233U},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto icon = NetWmIcon::Choose(c.items, 32);
        EXPECT_EQ(icon.width, c.width);
        EXPECT_EQ(icon.height, c.width);
        EXPECT_EQ(icon.argb.size(), static_cast<std::size_t>(c.width) * c.width);
        if (c.width > 0 && !icon.argb.empty()) {
            EXPECT_EQ(icon.argb.front(), c.firstPixel);
            EXPECT_EQ(icon.argb.back(), c.firstPixel);
        }
    }
}

TEST(NetWmIconTest, KeepsNonSquareImagesRowByRow) {
    std::vector<unsigned long> items{3, 2, 1, 2, 3, 4, 5, 6};
    const auto icon = NetWmIcon::Choose(items, 32);
    EXPECT_EQ(icon.width, 3);
    EXPECT_EQ(icon.height, 2);
    EXPECT_EQ(icon.argb, (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6}));
}

} // namespace
