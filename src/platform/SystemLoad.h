#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace morvane::platform {

/// The processor's time counters since boot, summed over every processor, in the back end's own
/// unit: only the share of two readings' differences means anything.
struct ProcessorTicks {
    std::uint64_t busy = 0;
    std::uint64_t total = 0;
};

/// One reading of the machine's load counters. A counter that cannot be read is empty, and
/// its reason says why in words for the user.
struct LoadSample {
    /// When it was read, in milliseconds of a clock that never steps (its origin is arbitrary).
    std::uint64_t millis = 0;
    /// Bytes received plus sent since boot over every interface but the loopback ones.
    std::optional<std::uint64_t> networkBytes;
    std::string networkUnreadable;
    std::optional<ProcessorTicks> processor;
    std::string processorUnreadable;
};

/// The counters behind the tasks that wait for the network or the processor to go quiet. They
/// are read only while such a task exists, about once a second.
class SystemLoad {
public:
    SystemLoad() = default;
    virtual ~SystemLoad() = default;
    SystemLoad(const SystemLoad&) = delete;
    SystemLoad& operator=(const SystemLoad&) = delete;

    /// Reads the counters asked for; those not asked for stay empty without a reason.
    virtual LoadSample Read(bool network, bool processor) = 0;
};

} // namespace morvane::platform
