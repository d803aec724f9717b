// /proc/PID/status as the owner check and the thread look-up read it.
#include "platform/linux/ProcFs.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view status(reinterpret_cast<const char*>(data), size);
    for (const std::string_view key : {"Uid", "Tgid"}) {
        static_cast<void>(morvane::platform::ProcFs::ParseStatusNumber(status, key));
    }
    return 0;
}
