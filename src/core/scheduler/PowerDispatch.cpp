#include "core/scheduler/PowerDispatch.h"

#include "core/scheduler/ScheduleHooks.h"
#include "platform/Power.h"

namespace morvane {

PowerAction ArmedAfterAll(const Options& options) {
    for (const auto& [mark, action] : kAfterAllOrder) {
        if (options.IsChecked(mark)) {
            return action;
        }
    }
    return PowerAction::None;
}

std::optional<Mark> MarkOf(PowerAction action) {
    for (const auto& [mark, a] : kAfterAllOrder) {
        if (a == action) {
            return mark;
        }
    }
    return std::nullopt;
}

PowerAction ActionOf(Mark mark) {
    for (const auto& [m, action] : kAfterAllOrder) {
        if (m == mark) {
            return action;
        }
    }
    return PowerAction::None;
}

void PowerDispatch::Dispatch(PowerAction action) {
    if (action == PowerAction::None) {
        return;
    }
    if (m_keeper != nullptr) {
        m_keeper->KeepList();
    }
    switch (action) {
    case PowerAction::None:
        return;
    case PowerAction::Hibernate:
        m_power.EnableShutdownPrivilege();
        m_power.HibernatePC();
        break;
    case PowerAction::Reboot:
        m_options.UncheckAfterMenus();
        m_power.EnableShutdownPrivilege();
        m_power.RebootPC();
        break;
    case PowerAction::Shutdown:
        m_options.UncheckAfterMenus();
        m_power.EnableShutdownPrivilege();
        m_power.ShutDownPC();
        break;
    case PowerAction::LogOff:
        m_options.UncheckAfterMenus();
        m_power.EnableShutdownPrivilege();
        m_power.LogOffUser();
        break;
    case PowerAction::MonitorOff:
        m_power.TurnOffMonitor();
        break;
    case PowerAction::Suspend:
        // The session goes on after waking: the marks stay, as for hibernation.
        m_power.EnableShutdownPrivilege();
        m_power.SuspendPC();
        break;
    case PowerAction::Lock:
        m_power.LockScreen();
        break;
    }
    if (m_listener) {
        m_listener(action);
    }
}

} // namespace morvane
