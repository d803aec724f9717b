#pragma once

#include "platform/SystemLoad.h"

#include <string>

namespace morvane::platform {

/// The load counters as /proc shows them: the bytes of /proc/net/dev over every interface but
/// the loopback one, and the first line of /proc/stat (all processors together).
class LinuxSystemLoad final : public SystemLoad {
public:
    /// Reads the two files named instead of /proc's (tests hand in files of their own).
    explicit LinuxSystemLoad(std::string netDevFile = "/proc/net/dev",
                             std::string statFile = "/proc/stat");

    LoadSample Read(bool network, bool processor) override;

private:
    std::string m_netDevFile;
    std::string m_statFile;
    /// Kept between readings: the files are read every second while a quiet task waits.
    std::string m_text;
};

} // namespace morvane::platform
