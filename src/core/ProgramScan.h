#pragma once

#include "core/RunningPrograms.h"
#include "core/scheduler/ScheduleHooks.h"

namespace morvane {

class UiHost;
namespace platform {
class Processes;
}

/// The running programs as of the last scan, and the scan itself (the "refresh" request): the
/// editor's process list and the close action read the same lists.
class ProgramScan final : public Rescan {
public:
    ProgramScan(platform::Processes& processes, UiHost& host)
        : m_processes(processes), m_host(host) {}

    /// Rescans, rebuilds the lists and tells the windows; complete when it returns.
    void Refresh() override;
    [[nodiscard]] const RunningPrograms& Programs() const { return m_programs; }

private:
    platform::Processes& m_processes;
    UiHost& m_host;
    RunningPrograms m_programs;
};

} // namespace morvane
