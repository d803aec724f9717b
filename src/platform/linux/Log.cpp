#include "platform/linux/Log.h"

#include <cstdio>

namespace morvane::platform {

LogSink StderrLog() {
    return [](const std::string& line) {
        std::fprintf(stderr, "morvane: %s\n", line.c_str());
    };
}

} // namespace morvane::platform
