#include "platform/windows/IconPixels.h"

#include "platform/windows/GdiHandle.h"

#include <algorithm>

namespace morvane::platform::windows {

namespace {

// Larger icons exist (256 pixels), but the editor shows 32.
constexpr int kMaxSide = 256;

// The bitmap's rows top first, 32 bits a pixel: 0xAARRGGBB words on a little-endian machine.
bool ReadPixels(HDC dc, HBITMAP bitmap, int width, int height, std::vector<std::uint32_t>& out) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    out.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    return GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), out.data(), &info, DIB_RGB_COLORS) ==
           height;
}

} // namespace

WindowIcon IconPixels(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || GetIconInfo(icon, &info) == FALSE) {
        return {};
    }
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    BITMAP size{};
    if (!colour || GetObjectW(colour.get(), sizeof size, &size) == 0 || size.bmWidth <= 0 ||
        size.bmHeight <= 0 || size.bmWidth > kMaxSide || size.bmHeight > kMaxSide) {
        return {};
    }
    const WindowDc screen(nullptr);
    WindowIcon pixels;
    if (screen.Get() == nullptr ||
        !ReadPixels(screen.Get(), colour.get(), size.bmWidth, size.bmHeight, pixels.argb)) {
        return {};
    }
    pixels.width = size.bmWidth;
    pixels.height = size.bmHeight;
    const bool hasAlpha = std::any_of(pixels.argb.begin(), pixels.argb.end(),
                                      [](std::uint32_t p) { return (p >> 24) != 0; });
    if (hasAlpha) {
        return pixels;
    }
    // An icon without alpha is opaque wherever its mask is black.
    std::vector<std::uint32_t> maskPixels;
    const bool hasMask =
        mask && ReadPixels(screen.Get(), mask.get(), pixels.width, pixels.height, maskPixels);
    for (std::size_t i = 0; i < pixels.argb.size(); ++i) {
        const bool transparent = hasMask && (maskPixels[i] & 0x00FFFFFFU) != 0;
        pixels.argb[i] = transparent ? 0U : (pixels.argb[i] | 0xFF000000U);
    }
    return pixels;
}

} // namespace morvane::platform::windows
