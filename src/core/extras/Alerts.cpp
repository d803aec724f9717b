#include "core/extras/Alerts.h"

#include <algorithm>

namespace morvane {

bool Alerts::Raise(Alert alert) {
    const auto same = std::find_if(m_alerts.begin(), m_alerts.end(), [&](const Alert& a) {
        return a.kind == alert.kind && a.subject == alert.subject;
    });
    if (same == m_alerts.end()) {
        m_alerts.push_back(std::move(alert));
        return true;
    }
    if (*same == alert) {
        return false;
    }
    *same = std::move(alert);
    return true;
}

bool Alerts::Clear(Alert::Kind kind, const std::string& subject) {
    return std::erase_if(m_alerts, [&](const Alert& a) {
               return a.kind == kind && a.subject == subject;
           }) > 0;
}

} // namespace morvane
