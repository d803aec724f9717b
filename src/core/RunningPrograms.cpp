#include "core/RunningPrograms.h"

#include "core/tasks/Task.h"

#include <algorithm>
#include <unordered_set>

namespace morvane {

namespace {
// The editor's list sorts the way a list view does: letter case does not decide the order.
bool LessIgnoreCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        };
        return lower(x) < lower(y);
    });
}
} // namespace

void RunningPrograms::Rebuild(const std::vector<platform::ProcessInfo>& processes,
                              const platform::Processes* pathMapper) {
    m_scanned = processes;
    m_names.clear();
    m_programs.clear();
    std::unordered_set<std::string> seen;
    for (const platform::ProcessInfo& p : processes) {
        std::string name = FileNameFromPath(p.path);
        if (seen.insert(name).second) {
            m_names.push_back(name);
            m_programs.push_back(
                {std::move(name), pathMapper ? pathMapper->DevicePathToDrivePath(p.path) : p.path});
        }
    }
    std::stable_sort(m_programs.begin(), m_programs.end(), [](const Program& a, const Program& b) {
        return LessIgnoreCase(a.name, b.name);
    });
}

} // namespace morvane
