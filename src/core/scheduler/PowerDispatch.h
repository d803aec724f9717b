#pragma once

#include "core/Options.h"
#include "core/tasks/TaskPlan.h"

#include <array>
#include <functional>
#include <optional>
#include <utility>

namespace morvane {

class ListKeeper;
namespace platform {
class Power;
}

/// The after-all-tasks marks in the order they are read: the first one checked is the action.
inline constexpr std::array<std::pair<Mark, PowerAction>, 7> kAfterAllOrder = {{
    {Mark::Hibernate, PowerAction::Hibernate},
    {Mark::Reboot, PowerAction::Reboot},
    {Mark::Shut, PowerAction::Shutdown},
    {Mark::Logoff, PowerAction::LogOff},
    {Mark::Screen, PowerAction::MonitorOff},
    {Mark::Suspend, PowerAction::Suspend},
    {Mark::Lock, PowerAction::Lock},
}};

/// The after-all-tasks power action the marks choose; None when none is checked.
[[nodiscard]] PowerAction ArmedAfterAll(const Options& options);
/// The menu mark of a power action; nullopt for None.
[[nodiscard]] std::optional<Mark> MarkOf(PowerAction action);
/// The power action of a menu mark; None for a mark that is not one.
[[nodiscard]] PowerAction ActionOf(Mark mark);

/// Turns power actions into requests, keeping the required order: the privilege step afresh
/// before each of the five session/power requests, and the after-all-tasks marks cleared right
/// before a reboot, shutdown or log-off.
class PowerDispatch {
public:
    /// `keeper`, when given, puts the kept task list on the disk before each request: restored
    /// after a reboot, a task that already ran would run again.
    PowerDispatch(platform::Power& power, Options& options, ListKeeper* keeper = nullptr)
        : m_power(power), m_options(options), m_keeper(keeper) {}

    /// A task's own after-action.
    void Dispatch(PowerAction action);
    /// The after-all-tasks power action chosen by the marks, if any.
    void DispatchAfterAllTasks() { Dispatch(ArmedAfterAll(m_options)); }

    /// Hears each power request once it has gone out; one listener, an empty one stops it.
    using RequestListener = std::function<void(PowerAction action)>;
    void SetRequestListener(RequestListener listener) { m_listener = std::move(listener); }

private:
    platform::Power& m_power;
    RequestListener m_listener;
    Options& m_options;
    ListKeeper* m_keeper;
};

} // namespace morvane
