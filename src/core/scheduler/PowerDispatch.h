#pragma once

#include <functional>
#include <string_view>
#include <utility>

namespace morvane {

class Options;
namespace platform {
class Power;
}

/// Turns `after` texts and the after-all-tasks marks into power requests, keeping the required
/// order: the privilege step afresh before each of the four session/power requests, and the
/// after-all-tasks marks cleared right before a reboot, shutdown or log-off.
class PowerDispatch {
public:
    PowerDispatch(platform::Power& power, Options& options) : m_power(power), m_options(options) {}

    /// A task's own after-action; the first matching name wins.
    void DispatchAfter(std::string_view after);
    /// The after-all-tasks power action chosen by the marks, if any.
    void DispatchAfterAllTasks();

    /// Hears each power request once it has gone out, by its name as tasks store it
    /// (texts::kShutdown ...); one listener, an empty one stops it.
    using RequestListener = std::function<void(std::string_view action)>;
    void SetRequestListener(RequestListener listener) { m_listener = std::move(listener); }

    /// Whether an `after` text asks to quit (its last character is "Q").
    [[nodiscard]] static bool WantsQuit(std::string_view after) {
        return !after.empty() && after.back() == 'Q';
    }

private:
    void Hibernate();
    void Reboot();
    void Shutdown();
    void LogOff();
    void MonitorOff();
    void Sent(std::string_view action) const;

    platform::Power& m_power;
    RequestListener m_listener;
    Options& m_options;
};

} // namespace morvane
