#pragma once

#include "platform/linux/UniqueFd.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace morvane::fuzz {

/// A file in memory for the readers that take a path: each input replaces what it holds, and
/// nothing touches the disk.
class MemoryFile final {
public:
    MemoryFile()
        : m_fd(memfd_create("morvane-fuzz", MFD_CLOEXEC)),
          m_path("/proc/self/fd/" + std::to_string(m_fd.Get())) {
        if (!m_fd.IsValid()) {
            std::abort();
        }
    }

    /// Holds `size` bytes from `data` from now on; the path that reads them.
    const std::string& Hold(const std::uint8_t* data, std::size_t size) {
        if (ftruncate(m_fd.Get(), 0) != 0 ||
            (size > 0 && pwrite(m_fd.Get(), data, size, 0) != static_cast<ssize_t>(size))) {
            std::abort();
        }
        return m_path;
    }

private:
    platform::UniqueFd m_fd;
    std::string m_path;
};

} // namespace morvane::fuzz
