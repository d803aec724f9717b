#include "core/ProgramScan.h"

#include "core/UiHost.h"

namespace morvane {

void ProgramScan::Refresh() {
    m_programs.Rebuild(m_processes.ScanRunningPrograms(), &m_processes);
    m_host.RunningProgramsChanged();
}

} // namespace morvane
