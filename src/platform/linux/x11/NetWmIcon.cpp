#include "platform/linux/x11/NetWmIcon.h"

#include <algorithm>
#include <cstddef>

namespace morvane::platform::x11 {

WindowIcon NetWmIcon::Choose(const std::vector<unsigned long>& items, int preferredSize) {
    struct Image {
        std::size_t offset;
        int width;
        int height;
    };
    std::vector<Image> images;
    std::size_t at = 0;
    while (items.size() - at >= 2) {
        const unsigned long width = items[at];
        const unsigned long height = items[at + 1];
        if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
            width * height > items.size() - at - 2) {
            break; // a malformed image ends the readable part of the run
        }
        images.push_back({at + 2, static_cast<int>(width), static_cast<int>(height)});
        at += 2 + width * height;
    }
    if (images.empty()) {
        return {};
    }
    auto side = [](const Image& image) {
        return std::min(image.width, image.height);
    };
    const Image* best = nullptr;
    for (const Image& image : images) {
        if (side(image) >= preferredSize && (best == nullptr || side(image) < side(*best))) {
            best = &image;
        }
    }
    if (best == nullptr) {
        best =
            &*std::max_element(images.begin(), images.end(),
                               [&](const Image& a, const Image& b) { return side(a) < side(b); });
    }
    WindowIcon icon;
    icon.width = best->width;
    icon.height = best->height;
    const auto count =
        static_cast<std::size_t>(best->width) * static_cast<std::size_t>(best->height);
    icon.argb.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        icon.argb.push_back(static_cast<std::uint32_t>(items[best->offset + i] & 0xFFFFFFFFUL));
    }
    return icon;
}

} // namespace morvane::platform::x11
