#include "platform/linux/MutterMonitorSwitch.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace morvane::platform {

namespace {

constexpr const char* kService = "org.gnome.Mutter.DisplayConfig";
constexpr const char* kPath = "/org/gnome/Mutter/DisplayConfig";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
// DPMS "off", as mutter numbers its power saving modes (0 on, 1 standby, 2 suspend, 3 off).
constexpr std::int32_t kModeOff = 3;
// How long mutter has to answer the start-up question, and a request.
constexpr std::uint64_t kProbeTimeoutUsec = 500'000;
constexpr std::uint64_t kAnswerTimeoutUsec = 3'000'000;

} // namespace

MutterMonitorSwitch::MutterMonitorSwitch(sd_event* loop, LogSink log)
    : m_log(std::move(log)), m_bus(BusConnection::Bus::Session, loop, kAnswerTimeoutUsec) {}

std::unique_ptr<MutterMonitorSwitch> MutterMonitorSwitch::Open(sd_event* loop, LogSink log,
                                                               Result& failure) {
    std::unique_ptr<MutterMonitorSwitch> monitor(new MutterMonitorSwitch(loop, std::move(log)));
    failure = monitor->m_bus.HasOwner(kService, kProbeTimeoutUsec);
    if (!failure.Ok()) {
        return nullptr;
    }
    return monitor;
}

Result MutterMonitorSwitch::TurnOff() {
    UniqueMessage request;
    if (Result made = m_bus.NewCall(kService, kPath, kProperties, "Set", request); !made.Ok()) {
        return made;
    }
    if (const int r =
            sd_bus_message_append(request.get(), "ssv", kService, "PowerSaveMode", "i", kModeOff);
        r < 0) {
        return BusConnection::CouldNotSend("PowerSaveMode", r);
    }
    return m_bus.Call("PowerSaveMode", request.get(),
                      [this](sd_bus_message* /*reply*/, const std::string& failure) {
                          if (!failure.empty()) {
                              m_log("monitor: mutter did not turn the monitors off: " + failure);
                          }
                      });
}

} // namespace morvane::platform
