#pragma once

#include "core/extras/History.h"

namespace morvane {

class KeptFiles;
class UiHost;
struct Preferences;

/// Writes what happened to the history and tells the windows; failures are also notified, as
/// the user's options say.
class Recorder {
public:
    Recorder(KeptFiles& files, const Preferences& prefs, UiHost& host)
        : m_files(files), m_prefs(prefs), m_host(host) {}

    void Record(HistoryEvent event);

private:
    KeptFiles& m_files;
    const Preferences& m_prefs;
    UiHost& m_host;
};

} // namespace morvane
