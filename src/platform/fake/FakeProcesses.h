#pragma once

#include "platform/Processes.h"

#include <algorithm>
#include <vector>

namespace morvane::platform {

/// A process table held in memory. Termination requests are recorded with the identity they
/// carry; one that still matches its process (name, and start time when given) removes it from
/// the table, so a rescan no longer finds it. Nothing real is ever signalled.
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
                return FileName(p.path);
            }
        }
        return {};
    }
    void TerminateProcess(const ProcessInfo& target) override {
        terminations.push_back(target);
        terminated.push_back(target.pid);
        std::erase_if(running, [&target](const ProcessInfo& p) {
            return p.pid == target.pid && FileName(p.path) == FileName(target.path) &&
                   (target.startTime == 0 || p.startTime == target.startTime);
        });
    }
    [[nodiscard]] ProcessId OwnPid() const override { return m_ownPid; }
    [[nodiscard]] std::string DevicePathToDrivePath(const std::string& path) const override {
        return path;
    }

    std::vector<ProcessInfo> running;
    /// Every termination request, as it was asked for.
    std::vector<ProcessInfo> terminations;
    /// The ids of `terminations`.
    std::vector<ProcessId> terminated;
    int scans = 0;

private:
    static std::string FileName(const std::string& path) {
        const auto sep = path.find_last_of("\\/");
        return sep == std::string::npos ? path : path.substr(sep + 1);
    }

    ProcessId m_ownPid;
};

} // namespace morvane::platform
