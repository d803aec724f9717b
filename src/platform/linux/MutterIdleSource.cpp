#include "platform/linux/MutterIdleSource.h"

#include <cstring>

namespace morvane::platform {

namespace {

constexpr const char* kService = "org.gnome.Mutter.IdleMonitor";
constexpr const char* kPath = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr const char* kInterface = "org.gnome.Mutter.IdleMonitor";
constexpr const char* kMethod = "GetIdletime";
// How long mutter has to answer the start-up question, and one of the samples'.
constexpr std::uint64_t kProbeTimeoutUsec = 500'000;
constexpr std::uint64_t kAnswerTimeoutUsec = 2'000'000;
// An answer is measured a moment after its question went out, and the idle time is counted
// from the last input's own time stamp: input just before the previous measurement is then
// still seen, once more, rather than input just after it missed.
constexpr std::chrono::milliseconds kSlack{250};

} // namespace

MutterIdleSource::MutterIdleSource()
    : m_bus(BusConnection::Bus::Session, nullptr, kAnswerTimeoutUsec), m_previous(Clock::now()) {}

std::unique_ptr<MutterIdleSource> MutterIdleSource::Open(std::string& reason) {
    std::unique_ptr<MutterIdleSource> source(new MutterIdleSource());
    UniqueMessage question;
    Result asked = source->m_bus.NewCall(kService, kPath, kInterface, kMethod, question);
    UniqueMessage reply;
    if (asked.Ok()) {
        asked = source->m_bus.CallNow(kMethod, question.get(), kProbeTimeoutUsec, reply);
    }
    std::uint64_t idle = 0;
    if (asked.Ok()) {
        if (const int r = sd_bus_message_read(reply.get(), "t", &idle); r < 0) {
            asked = Result::Error(-r, std::string(kMethod) + ": " + std::strerror(-r));
        }
    }
    if (!asked.Ok()) {
        reason = "GNOME's idle monitor does not answer: " + asked.Message();
        return nullptr;
    }
    source->Reset();
    return source;
}

Activity MutterIdleSource::Sample() {
    m_bus.Process();
    Activity activity = Activity::Unknown;
    if (m_latest) {
        activity = m_latest->idle < m_latest->measured - m_previous + kSlack ? Activity::Active
                                                                             : Activity::Idle;
        m_previous = m_latest->measured;
        m_latest.reset();
    }
    Ask();
    return activity;
}

void MutterIdleSource::Reset() {
    m_latest.reset();
    m_previous = Clock::now();
    Ask();
}

void MutterIdleSource::Ask() {
    if (m_asking) {
        return; // a late answer still counts; questions do not pile up behind it
    }
    UniqueMessage question;
    if (!m_bus.NewCall(kService, kPath, kInterface, kMethod, question).Ok()) {
        return; // the bus is gone: samples are unknown until it is back
    }
    // Out before it is sent: a quick answer is handled while the call goes out.
    m_asking = true;
    const Clock::time_point askedAt = Clock::now();
    const Result sent =
        m_bus.Call(kMethod, question.get(),
                   [this, askedAt](sd_bus_message* reply, const std::string& failure) {
                       m_asking = false;
                       std::uint64_t idle = 0;
                       if (failure.empty() && sd_bus_message_read(reply, "t", &idle) >= 0) {
                           m_latest = Answer{std::chrono::milliseconds(idle), askedAt};
                       }
                   });
    if (!sent.Ok()) {
        m_asking = false;
    }
}

} // namespace morvane::platform
