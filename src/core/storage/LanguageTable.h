#pragma once

#include "core/storage/LanText.h"
#include "core/storage/TextFile.h"

#include <array>
#include <filesystem>
#include <string>

namespace morvane {

/// The interface texts (`lanText`): 51 entries, all empty at start, overwritten from entry 0 on
/// by each language file read; entries past a shorter file keep what they held.
class LanguageTable {
public:
    static constexpr int kEntries = 51;

    /// Entry `index`; the empty text outside 0 to 50.
    [[nodiscard]] const std::string& Text(int index) const;
    /// The entry `entry` names.
    [[nodiscard]] const std::string& Text(LanText entry) const {
        return Text(static_cast<int>(entry));
    }

    /// Reads a language file, one entry per line, at most 51 lines. False when it is missing.
    bool Read(const std::filesystem::path& path, const TextCodec& codec = TextCodec::Default());

private:
    std::array<std::string, kEntries> m_entries;
};

} // namespace morvane
