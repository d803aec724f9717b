#include "core/extras/History.h"

namespace morvane {

void History::Load(const std::filesystem::path& path) {
    m_path = path;
}

WriteResult History::Append(HistoryEvent event, platform::FileSync* sync) {
    (void)sync;
    m_events.push_back(std::move(event));
    if (m_events.size() > kLimit) {
        m_events.pop_front();
    }
    return {};
}

} // namespace morvane
