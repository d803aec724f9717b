#include "platform/linux/LinuxNotifications.h"

#include <utility>

namespace morvane::platform {

namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
// A daemon started on demand has this long to come up and answer.
constexpr std::uint64_t kAnswerTimeoutUsec = 2'000'000;
// How long the answer to "is there a service" stands: a desktop can gain or lose one.
constexpr std::chrono::seconds kAvailabilityKept{30};

} // namespace

LinuxNotifications::LinuxNotifications(sd_event* loop, LogSink log, std::string appName)
    : m_bus(BusConnection::Bus::Session, loop, kAnswerTimeoutUsec), m_log(std::move(log)),
      m_appName(std::move(appName)) {}

bool LinuxNotifications::IsAvailable() const {
    const auto now = std::chrono::steady_clock::now();
    if (m_askedAt && now - *m_askedAt < kAvailabilityKept) {
        return m_available;
    }
    m_askedAt = now;
    UniqueMessage call;
    UniqueMessage reply;
    Result asked = m_bus.NewCall(kService, kPath, kService, "GetCapabilities", call);
    if (asked.Ok()) {
        asked = m_bus.CallNow("GetCapabilities", call.get(), kAnswerTimeoutUsec, reply);
    }
    m_available = asked.Ok();
    return m_available;
}

bool LinuxNotifications::Show(const std::string& title, const std::string& body) {
    UniqueMessage call;
    Result made = m_bus.NewCall(kService, kPath, kService, "Notify", call);
    if (made.Ok()) {
        // app name, replaces id, icon, summary, body, actions, hints, expiry (-1: the
        // service's default).
        const int r = sd_bus_message_append(call.get(), "susssasa{sv}i", m_appName.c_str(), 0U, "",
                                            title.c_str(), body.c_str(), 0, 0, -1);
        if (r < 0) {
            made = BusConnection::CouldNotSend("Notify", r);
        }
    }
    if (made.Ok()) {
        made = m_bus.Call("Notify", call.get(),
                          [log = m_log](sd_bus_message* /*reply*/, const std::string& failure) {
                              if (!failure.empty() && log) {
                                  log("notification: " + failure);
                              }
                          });
    }
    if (!made.Ok()) {
        if (m_log) {
            m_log("notification: " + made.Message());
        }
        m_askedAt.reset(); // asked again next time
        return false;
    }
    return true;
}

} // namespace morvane::platform
