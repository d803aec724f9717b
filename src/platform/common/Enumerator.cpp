#include "platform/Enumerator.h"

#include <algorithm>

// The snapshot-keeping half of the enumerator, the same on every platform. The system calls
// behind the snapshot live in the back end's files.

namespace morvane::platform {

Enumerator::Enumerator(WindowSystem* windows) : m_windowSystem(windows) {
    DestroyEnums();
}

Enumerator::~Enumerator() = default;

void Enumerator::DestroyEnums() {
    m_winds.assign(1, WindowId{0});
    m_threads.assign(1, ThreadEntry{});
    m_processes.assign(1, ProcessId{0});
    m_enumsReady = false;
}

void Enumerator::EnumAll() {
    DestroyEnums();
    EnumWindowsInto(m_winds);
    // The desktop closes the list, once; where the window system already reported it, it keeps
    // that place. A zero desktop means there is no window system to report.
    const WindowId desktop = DesktopWind();
    if (desktop != 0 && std::find(m_winds.begin() + 1, m_winds.end(), desktop) == m_winds.end()) {
        m_winds.push_back(desktop);
    }
    EnumProcessesInto(m_processes);
    EnumThreadsInto(m_threads);
    m_enumsReady = true;
}

void Enumerator::EnsureSnapshot() {
    if (m_newEnum == 1 || !m_enumsReady) {
        EnumAll();
    }
}

void Enumerator::ReturnProcessEnum(std::vector<ProcessId>& Process) {
    EnsureSnapshot();
    Process = m_processes;
}

void Enumerator::ReturnThreadEnum(std::vector<ThreadId>& Threads) {
    EnsureSnapshot();
    Threads.clear();
    Threads.reserve(m_threads.size());
    for (const ThreadEntry& t : m_threads) {
        Threads.push_back(t.ThreadID);
    }
}

void Enumerator::ReturnWindEnum(std::vector<WindowId>& Winds) {
    EnsureSnapshot();
    Winds = m_winds;
}

std::int32_t Enumerator::NumOfWinds() const {
    return static_cast<std::int32_t>(m_winds.size() - 1);
}

std::int32_t Enumerator::NumOfProcesses() const {
    return static_cast<std::int32_t>(m_processes.size() - 1);
}

std::int32_t Enumerator::NumOfThreads() const {
    return static_cast<std::int32_t>(m_threads.size() - 1);
}

} // namespace morvane::platform
