#include "platform/windows/WindowsSystemLoad.h"

#include "platform/windows/WideText.h"

#include <memory>

namespace morvane::platform {

namespace {

struct MibTableFree {
    void operator()(MIB_IF_TABLE2* table) const { FreeMibTable(table); }
};

std::uint64_t Ticks(const FILETIME& time) {
    return (std::uint64_t{time.dwHighDateTime} << 32U) | time.dwLowDateTime;
}

} // namespace

std::uint64_t WindowsSystemLoad::NetworkBytes(std::span<const MIB_IF_ROW2> rows) {
    std::uint64_t total = 0;
    for (const MIB_IF_ROW2& row : rows) {
        if (row.InterfaceAndOperStatusFlags.HardwareInterface != FALSE &&
            row.InterfaceAndOperStatusFlags.FilterInterface == FALSE &&
            row.Type != IF_TYPE_SOFTWARE_LOOPBACK) {
            total += row.InOctets + row.OutOctets;
        }
    }
    return total;
}

LoadSample WindowsSystemLoad::Read(bool network, bool processor) {
    LoadSample sample;
    sample.millis = GetTickCount64();
    if (network) {
        MIB_IF_TABLE2* rows = nullptr;
        const DWORD result = GetIfTable2(&rows);
        const std::unique_ptr<MIB_IF_TABLE2, MibTableFree> table(rows);
        if (result == NO_ERROR && table) {
            // No adapter at all is a reading too: nothing goes over the network.
            sample.networkBytes = NetworkBytes(std::span(table->Table, table->NumEntries));
        } else {
            sample.networkUnreadable =
                "The network counters cannot be read (" + windows::SystemMessage(result) + ").";
        }
    }
    if (processor) {
        FILETIME idle{};
        FILETIME kernel{};
        FILETIME user{};
        if (GetSystemTimes(&idle, &kernel, &user) != FALSE) {
            // Kernel time includes the idle time.
            const std::uint64_t total = Ticks(kernel) + Ticks(user);
            const std::uint64_t idleTicks = Ticks(idle);
            sample.processor = ProcessorTicks{total > idleTicks ? total - idleTicks : 0, total};
        } else {
            sample.processorUnreadable = "The processor counters cannot be read (" +
                                         windows::SystemMessage(GetLastError()) + ").";
        }
    }
    return sample;
}

} // namespace morvane::platform
