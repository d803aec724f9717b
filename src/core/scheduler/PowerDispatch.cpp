#include "core/scheduler/PowerDispatch.h"

#include "core/Options.h"
#include "core/tasks/Task.h"
#include "platform/Power.h"

namespace morvane {

void PowerDispatch::DispatchAfter(std::string_view after) {
    if (StartsWith(after, texts::kHibernate)) {
        Hibernate();
    } else if (StartsWith(after, texts::kReboot)) {
        Reboot();
    } else if (StartsWith(after, texts::kShutdown)) {
        Shutdown();
    } else if (StartsWith(after, texts::kLogOff)) {
        LogOff();
    } else if (StartsWith(after, texts::kMonitorOff)) {
        MonitorOff();
    }
}

void PowerDispatch::DispatchAfterAllTasks() {
    if (m_options.IsChecked(Mark::Hibernate)) {
        Hibernate();
    } else if (m_options.IsChecked(Mark::Reboot)) {
        Reboot();
    } else if (m_options.IsChecked(Mark::Shut)) {
        Shutdown();
    } else if (m_options.IsChecked(Mark::Logoff)) {
        LogOff();
    } else if (m_options.IsChecked(Mark::Screen)) {
        MonitorOff();
    }
}

void PowerDispatch::Hibernate() {
    m_power.EnableShutdownPrivilege();
    m_power.HibernatePC();
}

void PowerDispatch::Reboot() {
    m_options.UncheckAfterMenus();
    m_power.EnableShutdownPrivilege();
    m_power.RebootPC();
}

void PowerDispatch::Shutdown() {
    m_options.UncheckAfterMenus();
    m_power.EnableShutdownPrivilege();
    m_power.ShutDownPC();
}

void PowerDispatch::LogOff() {
    m_options.UncheckAfterMenus();
    m_power.EnableShutdownPrivilege();
    m_power.LogOffUser();
}

void PowerDispatch::MonitorOff() {
    m_power.TurnOffMonitor();
}

} // namespace morvane
