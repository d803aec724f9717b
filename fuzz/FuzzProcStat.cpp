// /proc/PID/stat as the identity check reads a process's start time.
#include "platform/linux/ProcFs.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view stat(reinterpret_cast<const char*>(data), size);
    static_cast<void>(morvane::platform::ProcFs::ParseStartTime(stat));
    return 0;
}
