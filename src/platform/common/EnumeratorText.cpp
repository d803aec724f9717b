#include "platform/Enumerator.h"

#include <algorithm>
#include <cstdio>

// The enumerator's operations on plain values, and those built from its other operations: the
// same on every platform.

namespace morvane::platform {

std::string Enumerator::Format8(std::int32_t Value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X",
                  static_cast<unsigned>(static_cast<std::uint32_t>(Value)));
    return text;
}

std::string Enumerator::FixApi(const std::string& APIString) {
    return APIString.substr(0, APIString.find('\0'));
}

std::int32_t Enumerator::GetWindTextLength(WindowId hWnd) {
    // Counted on the title itself, in characters: a length the system answers may count more.
    const std::string title = GetWindText(hWnd);
    return static_cast<std::int32_t>(std::count_if(title.begin(), title.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

WindowId Enumerator::Progenitor(WindowId hWnd) {
    // A parent chain that loops back (re-parenting allows it) still ends.
    constexpr int kMaxDepth = 256;
    WindowId current = hWnd;
    for (int depth = 0; depth < kMaxDepth; ++depth) {
        const WindowId parent = ParentWind(current);
        if (parent == 0) {
            return current;
        }
        current = parent;
    }
    return current;
}

bool Enumerator::IsStyle(std::int32_t StyleLong, std::int32_t StyleCheck) {
    return (StyleLong & StyleCheck) == StyleCheck;
}

} // namespace morvane::platform
