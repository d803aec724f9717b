#pragma once

#include "platform/Processes.h"

#include <algorithm>
#include <vector>

namespace morvane::platform {

/// A process table held in memory. Termination requests are recorded with the identity they
/// carry (those of `elevated` are refused); one that still matches its process (name, and start
/// time when given) removes it from the table, so a rescan no longer finds it. Requests to close
/// are recorded alike: a process in `closesWhenAsked` then leaves the table, any other ignores
/// them. Nothing real is ever signalled.
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
    OutOfReach TerminateProcess(const ProcessInfo& target) override {
        terminations.push_back(target);
        if (Contains(elevated, target.pid)) {
            return OutOfReach::Elevated;
        }
        terminated.push_back(target.pid);
        std::erase_if(running, [&target](const ProcessInfo& p) { return Is(p, target); });
        return OutOfReach::None;
    }
    CloseRequest AskToClose(const ProcessInfo& target) override {
        closeRequests.push_back(target);
        const auto it = std::find_if(running.begin(), running.end(),
                                     [&target](const ProcessInfo& p) { return Is(p, target); });
        if (it == running.end() || target.pid == m_ownPid) {
            return {CloseAsk::NotSent, target};
        }
        CloseRequest asked{Contains(windowless, target.pid) ? CloseAsk::NoWindow : CloseAsk::Asked,
                           *it};
        if (asked.outcome == CloseAsk::Asked && Contains(closesWhenAsked, target.pid)) {
            running.erase(it);
        }
        return asked;
    }
    bool StillRuns(const ProcessInfo& target) override {
        return std::any_of(running.begin(), running.end(),
                           [&target](const ProcessInfo& p) { return Is(p, target); });
    }
    OutOfReach WhyOutOfReach(std::string_view /*name*/) override { return outOfReach; }
    [[nodiscard]] ProcessId OwnPid() const override { return m_ownPid; }
    [[nodiscard]] std::string DevicePathToDrivePath(const std::string& path) const override {
        return path;
    }

    std::vector<ProcessInfo> running;
    /// Every termination request, as it was asked for.
    std::vector<ProcessInfo> terminations;
    /// The ids of `terminations`.
    std::vector<ProcessId> terminated;
    /// Every request to close, as it was asked for.
    std::vector<ProcessInfo> closeRequests;
    /// The processes that close when asked; and those with no window to ask.
    std::vector<ProcessId> closesWhenAsked;
    std::vector<ProcessId> windowless;
    int scans = 0;
    /// The processes that run with rights we lack: a termination request is refused.
    std::vector<ProcessId> elevated;
    /// What WhyOutOfReach answers for any name.
    OutOfReach outOfReach = OutOfReach::None;

private:
    static bool Is(const ProcessInfo& p, const ProcessInfo& target) {
        return p.pid == target.pid && FileName(p.path) == FileName(target.path) &&
               (target.startTime == 0 || p.startTime == target.startTime);
    }
    static bool Contains(const std::vector<ProcessId>& ids, ProcessId pid) {
        return std::find(ids.begin(), ids.end(), pid) != ids.end();
    }
    static std::string FileName(const std::string& path) {
        const auto sep = path.find_last_of("\\/");
        return sep == std::string::npos ? path : path.substr(sep + 1);
    }

    ProcessId m_ownPid;
};

} // namespace morvane::platform
