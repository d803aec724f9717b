#include "core/extras/Recorder.h"

#include "core/UiHost.h"
#include "core/extras/Preferences.h"
#include "core/extras/Warning.h"
#include "core/storage/KeptFiles.h"

namespace morvane {

void Recorder::Record(HistoryEvent event) {
    if (m_prefs.notifyFailures) {
        if (event.kind == HistoryEvent::Kind::CouldNotStart) {
            m_host.Notify({Notice::Kind::CouldNotStart, event.subject, event.detail, 0});
        } else if (event.kind == HistoryEvent::Kind::NothingToClose) {
            m_host.Notify({Notice::Kind::NothingToClose, event.subject, event.detail, 0});
        }
    }
    m_files.Record(std::move(event));
    m_host.HistoryChanged();
}

} // namespace morvane
