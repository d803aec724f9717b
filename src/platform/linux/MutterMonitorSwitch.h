#pragma once

#include "platform/linux/BusConnection.h"
#include "platform/linux/Log.h"
#include "platform/linux/MonitorSwitch.h"

#include <memory>

namespace morvane::platform {

/// GNOME's monitors, through mutter's display configuration on the session bus: its power
/// saving mode set to "off". The request goes out at once; mutter's refusal is logged when the
/// event loop it runs on hands it over.
class MutterMonitorSwitch final : public MonitorSwitch {
public:
    /// The switch on `loop` (shared with the rest of the power back end), or nullptr when the
    /// session bus has no mutter display configuration; `failure` then says why. The bus is
    /// asked once, waiting a moment at most.
    [[nodiscard]] static std::unique_ptr<MutterMonitorSwitch> Open(sd_event* loop, LogSink log,
                                                                   Result& failure);

    Result TurnOff() override;

private:
    MutterMonitorSwitch(sd_event* loop, LogSink log);

    LogSink m_log; // outlives the connection: its handlers use it
    BusConnection m_bus;
};

} // namespace morvane::platform
