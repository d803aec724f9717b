#include "platform/linux/LinuxNotifications.h"

#include <string_view>
#include <utility>

namespace morvane::platform {

namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
// A daemon started on demand has this long to come up and answer.
constexpr std::uint64_t kAnswerTimeoutUsec = 2'000'000;
// The bus daemon itself answers whether the name has an owner, at once.
constexpr std::uint64_t kOwnerTimeoutUsec = 500'000;
// After a service the bus starts on demand failed to come up, how long it is not started again
// (a running one is still seen at once).
constexpr std::chrono::seconds kStartNotRetried{30};

} // namespace

LinuxNotifications::LinuxNotifications(sd_event* loop, LogSink log, std::string appName)
    : m_bus(BusConnection::Bus::Session, loop, kAnswerTimeoutUsec), m_log(std::move(log)),
      m_appName(std::move(appName)) {}

bool LinuxNotifications::IsAvailable() const {
    // Asked afresh before every message, so a service that came up after us is used.
    if (m_bus.HasOwner(kService, kOwnerTimeoutUsec).Ok()) {
        return true;
    }
    const auto now = std::chrono::steady_clock::now();
    if (m_startFailedAt && now - *m_startFailedAt < kStartNotRetried) {
        return false;
    }
    // A question starts a service the bus starts on demand; without one the bus says so at once.
    UniqueMessage call;
    UniqueMessage reply;
    Result asked = m_bus.NewCall(kService, kPath, kService, "GetCapabilities", call);
    if (asked.Ok()) {
        asked = m_bus.CallNow("GetCapabilities", call.get(), kAnswerTimeoutUsec, reply);
    }
    m_startFailedAt.reset();
    if (!asked.Ok()) {
        m_startFailedAt = now;
    }
    return asked.Ok();
}

bool LinuxNotifications::CanPlaySound() const {
    UniqueMessage call;
    UniqueMessage reply;
    Result asked = m_bus.NewCall(kService, kPath, kService, "GetCapabilities", call);
    if (asked.Ok()) {
        asked = m_bus.CallNow("GetCapabilities", call.get(), kAnswerTimeoutUsec, reply);
    }
    if (!asked.Ok() || sd_bus_message_enter_container(reply.get(), 'a', "s") < 0) {
        return false;
    }
    const char* capability = nullptr;
    while (sd_bus_message_read(reply.get(), "s", &capability) > 0) {
        if (std::string_view(capability) == "sound") {
            return true;
        }
    }
    return false;
}

bool LinuxNotifications::Show(const std::string& title, const std::string& body) {
    return Send(title, body, {});
}

bool LinuxNotifications::ShowWithSound(const std::string& title, const std::string& body,
                                       const std::string& soundName) {
    return Send(title, body, soundName);
}

bool LinuxNotifications::Send(const std::string& title, const std::string& body,
                              const std::string& soundName) {
    UniqueMessage call;
    Result made = m_bus.NewCall(kService, kPath, kService, "Notify", call);
    if (made.Ok()) {
        // app name, replaces id, icon, summary, body, actions, hints (the sound's name from the
        // desktop's theme), expiry (-1: the service's default).
        sd_bus_message* m = call.get();
        int r = sd_bus_message_append(m, "susssas", m_appName.c_str(), 0U, "", title.c_str(),
                                      body.c_str(), 0);
        r = r < 0 ? r : sd_bus_message_open_container(m, 'a', "{sv}");
        if (!soundName.empty()) {
            r = r < 0 ? r : sd_bus_message_append(m, "{sv}", "sound-name", "s", soundName.c_str());
        }
        r = r < 0 ? r : sd_bus_message_close_container(m);
        r = r < 0 ? r : sd_bus_message_append(m, "i", -1);
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
        return false;
    }
    return true;
}

} // namespace morvane::platform
