#pragma once

#include "platform/SystemLoad.h"

namespace morvane::platform {

/// Load counters the test sets; each reading moves the clock on by `stepMillis` and the counters
/// by their rates, so a test states a traffic or a share rather than raw counts.
class FakeSystemLoad final : public SystemLoad {
public:
    LoadSample Read(bool network, bool processor) override {
        ++reads;
        millis += stepMillis;
        networkBytes += bytesPerStep;
        busy += busyPerStep;
        total += 100;
        LoadSample sample;
        sample.millis = millis;
        if (network) {
            if (networkUnreadable.empty()) {
                sample.networkBytes = networkBytes;
            }
            sample.networkUnreadable = networkUnreadable;
        }
        if (processor) {
            if (processorUnreadable.empty()) {
                sample.processor = ProcessorTicks{busy, total};
            }
            sample.processorUnreadable = processorUnreadable;
        }
        return sample;
    }

    std::uint64_t stepMillis = 1000;
    std::uint64_t bytesPerStep = 0;
    std::uint64_t busyPerStep = 0; ///< Of 100 ticks a step: the processor share in percent.
    std::string networkUnreadable;
    std::string processorUnreadable;
    int reads = 0;

private:
    std::uint64_t millis = 0;
    std::uint64_t networkBytes = 0;
    std::uint64_t busy = 0;
    std::uint64_t total = 0;
};

} // namespace morvane::platform
