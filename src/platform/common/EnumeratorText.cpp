#include "platform/Enumerator.h"

#include <cstdio>

// The enumerator's operations on plain values: the same on every platform.

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

bool Enumerator::IsStyle(std::int32_t StyleLong, std::int32_t StyleCheck) {
    return (StyleLong & StyleCheck) == StyleCheck;
}

} // namespace morvane::platform
