// A language file as the language menu reads it.
#include "MemoryFile.h"
#include "Require.h"
#include "core/storage/LanguageTable.h"

#include <cstddef>
#include <cstdint>

using morvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static morvane::fuzz::MemoryFile file;
    morvane::LanguageTable table;
    Require(table.Read(file.Hold(data, size)), "a file that is there is read");
    for (int i = -1; i <= morvane::LanguageTable::kEntries; ++i) {
        const std::string& text = table.Text(i);
        Require(text.find('\n') == std::string::npos, "an entry is one line");
    }
    return 0;
}
