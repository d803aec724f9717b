#pragma once

#include "platform/Processes.h"

#include <algorithm>
#include <vector>

namespace morvane::platform {

/// A process table held in memory. Terminations are recorded and remove the process from the
/// table, so a rescan no longer finds it; nothing real is ever signalled.
class FakeProcesses final : public Processes {
public:
    explicit FakeProcesses(ProcessId ownPid = 4242) : m_ownPid(ownPid) {}

    std::vector<ProcessInfo> ScanRunningPrograms() override {
        ++scans;
        return running;
    }
    std::string ProcessName(ProcessId pid) override {
        for (const ProcessInfo& p : running) {
            if (p.pid == pid) {
                const auto sep = p.path.find_last_of("\\/");
                return sep == std::string::npos ? p.path : p.path.substr(sep + 1);
            }
        }
        return {};
    }
    void TerminateProcessById(ProcessId pid) override {
        terminated.push_back(pid);
        std::erase_if(running, [pid](const ProcessInfo& p) { return p.pid == pid; });
    }
    [[nodiscard]] ProcessId OwnPid() const override { return m_ownPid; }
    [[nodiscard]] std::string DevicePathToDrivePath(const std::string& path) const override {
        return path;
    }

    std::vector<ProcessInfo> running;
    std::vector<ProcessId> terminated;
    int scans = 0;

private:
    ProcessId m_ownPid;
};

} // namespace morvane::platform
