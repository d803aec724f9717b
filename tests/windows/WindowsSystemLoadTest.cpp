#include "platform/windows/WindowsSystemLoad.h"

#include <gtest/gtest.h>

#include <vector>

namespace morvane::platform {
namespace {

TEST(WindowsSystemLoad, TwoReadingsMoveForward) {
    WindowsSystemLoad load;
    const LoadSample first = load.Read(true, true);
    Sleep(50);
    const LoadSample second = load.Read(true, true);

    for (const LoadSample* sample : {&first, &second}) {
        EXPECT_NE(sample->networkBytes.has_value(), !sample->networkUnreadable.empty());
        EXPECT_TRUE(sample->processor) << sample->processorUnreadable;
    }
    ASSERT_TRUE(first.processor && second.processor);
    EXPECT_LE(first.processor->busy, first.processor->total);
    EXPECT_LE(first.processor->busy, second.processor->busy);
    EXPECT_LE(first.processor->total, second.processor->total);
    EXPECT_LE(first.millis, second.millis);
}

// Each adapter once: its filters' rows repeat its counts, and a VPN's traffic crosses a
// hardware adapter as well.
TEST(WindowsSystemLoad, OnlyAdaptersOfTheirOwnAreCounted) {
    struct Row {
        bool hardware;
        bool filter;
        IFTYPE type;
        ULONG64 received;
    };
    const Row kinds[] = {
        {true, false, IF_TYPE_ETHERNET_CSMACD, 1000}, // counted
        {true, true, IF_TYPE_ETHERNET_CSMACD, 1000},  // a filter of the one above
        {true, false, IF_TYPE_SOFTWARE_LOOPBACK, 1000},
        {false, false, IF_TYPE_PROP_VIRTUAL, 1000}, // a VPN
        {true, false, IF_TYPE_IEEE80211, 2000},     // counted
    };
    std::vector<MIB_IF_ROW2> rows(std::size(kinds));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].InterfaceAndOperStatusFlags.HardwareInterface = kinds[i].hardware ? TRUE : FALSE;
        rows[i].InterfaceAndOperStatusFlags.FilterInterface = kinds[i].filter ? TRUE : FALSE;
        rows[i].Type = kinds[i].type;
        rows[i].InOctets = kinds[i].received;
        rows[i].OutOctets = 10;
    }
    EXPECT_EQ(WindowsSystemLoad::NetworkBytes(rows), 3020U);
}

} // namespace
} // namespace morvane::platform
