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

void PowerDispatch::Sent(std::string_view action) const {
    if (m_listener) {
        m_listener(action);
    }
}

void PowerDispatch::Hibernate() {
    m_power.EnableShutdownPrivilege();
    m_power.HibernatePC();
    Sent(texts::kHibernate);
}

void PowerDispatch::Reboot() {
    m_options.UncheckAfterMenus();
    m_power.EnableShutdownPrivilege();
    m_power.RebootPC();
    Sent(texts::kReboot);
}

void PowerDispatch::Shutdown() {
    m_options.UncheckAfterMenus();
    m_power.EnableShutdownPrivilege();
    m_power.ShutDownPC();
    Sent(texts::kShutdown);
}

void PowerDispatch::LogOff() {
    m_options.UncheckAfterMenus();
    m_power.EnableShutdownPrivilege();
    m_power.LogOffUser();
    Sent(texts::kLogOff);
}

void PowerDispatch::MonitorOff() {
    m_power.TurnOffMonitor();
    Sent(texts::kMonitorOff);
}

} // namespace morvane
