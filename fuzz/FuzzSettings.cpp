// The settings file as start-up reads it.
#include "MemoryFile.h"
#include "Require.h"
#include "core/Options.h"
#include "core/storage/Settings.h"

#include <cstddef>
#include <cstdint>

using morvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static morvane::fuzz::MemoryFile file;
    morvane::Options options;
    morvane::ReadSettings(file.Hold(data, size), options);
    for (const morvane::Mark mark : morvane::kPowerMarks) {
        Require(!options.IsChecked(mark), "no after-all-tasks choice survives a restart");
    }
    Require(!options.IsChecked(morvane::Mark::Quit), "quitting after all tasks is not kept");
    return 0;
}
