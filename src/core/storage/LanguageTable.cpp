#include "core/storage/LanguageTable.h"

namespace morvane {

const std::string& LanguageTable::Text(int index) const {
    static const std::string kEmpty;
    return index >= 0 && index < kEntries ? m_entries[static_cast<std::size_t>(index)] : kEmpty;
}

bool LanguageTable::Read(const std::filesystem::path& path, const TextCodec& codec) {
    const auto lines = ReadTextLines(path, codec);
    if (!lines) {
        return false;
    }
    // A longer file stops after the last entry the table has.
    const std::size_t n = std::min<std::size_t>(lines->size(), kEntries);
    for (std::size_t i = 0; i < n; ++i) {
        m_entries[i] = (*lines)[i];
    }
    return true;
}

} // namespace morvane
