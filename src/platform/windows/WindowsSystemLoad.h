#pragma once

#include "platform/SystemLoad.h"

// The interface table's types need the socket headers first.
#include <winsock2.h>
#include <ws2ipdef.h>

#include <iphlpapi.h>

#include <cstdint>
#include <span>

namespace morvane::platform {

/// The load counters of the IP helper's interface table (GetIfTable2) and of GetSystemTimes.
class WindowsSystemLoad final : public SystemLoad {
public:
    LoadSample Read(bool network, bool processor) override;

    /// The bytes received plus sent over the rows that are network adapters of their own: not
    /// the loopback, not a filter's view of an adapter (which repeats its counts), not a
    /// software adapter whose traffic a hardware one carries too.
    [[nodiscard]] static std::uint64_t NetworkBytes(std::span<const MIB_IF_ROW2> rows);
};

} // namespace morvane::platform
