#include "platform/linux/LinuxSystemLoad.h"

#include "platform/linux/UniqueFd.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <optional>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace morvane::platform {

namespace {

// Far beyond what thousands of interfaces take (some 130 bytes each): a longer file is not
// the table we know, and reading on would cost more every second than the answer is worth.
constexpr std::size_t kNetDevLimit = std::size_t{4} << 20;
// Only the first line of /proc/stat is needed; it is far shorter than this.
constexpr std::size_t kStatLineLimit = 4096;
constexpr std::size_t kChunk = 16384;

// The columns of an interface's line in /proc/net/dev: received bytes first, sent bytes ninth,
// sixteen in all.
constexpr std::size_t kNetDevColumns = 16;
constexpr std::size_t kSentColumn = 8;
// The first line of /proc/stat up to steal time, which every kernel since 2.6.11 writes.
constexpr std::size_t kStatColumns = 8;

// Reads `file` into `text`, whole or, with `firstLine`, up to its first line end; empty when it
// was read, else why not. One open and a few reads: /proc builds the text as it is read.
std::string ReadInto(const std::string& file, std::size_t limit, bool firstLine,
                     std::string& text) {
    text.clear();
    const UniqueFd fd(open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.IsValid()) {
        return std::strerror(errno);
    }
    while (true) {
        const std::size_t done = text.size();
        if (done > limit) {
            return "longer than any such file";
        }
        text.resize(done + kChunk);
        const ssize_t n = read(fd.Get(), text.data() + done, kChunk);
        const int error = errno;
        text.resize(done + static_cast<std::size_t>(n > 0 ? n : 0));
        if (n < 0 && error != EINTR) {
            return std::strerror(error);
        }
        if (n == 0 || (firstLine && text.find('\n', done) != std::string::npos)) {
            return {};
        }
    }
}

// Takes the next line, without its end, off the front of `text`.
std::string_view TakeLine(std::string_view& text) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    return line;
}

// The blank-separated numbers of `text`; nullopt when anything else is there or a number does
// not fit 64 bits.
std::optional<std::vector<std::uint64_t>> Numbers(std::string_view text) {
    std::vector<std::uint64_t> numbers;
    std::size_t at = 0;
    while (true) {
        at = text.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) {
            return numbers;
        }
        std::uint64_t value = 0;
        const char* begin = text.data() + at;
        const char* end = text.data() + text.size();
        const auto [ptr, ec] = std::from_chars(begin, end, value);
        if (ec != std::errc{} || (ptr != end && *ptr != ' ' && *ptr != '\t')) {
            return std::nullopt;
        }
        numbers.push_back(value);
        at += static_cast<std::size_t>(ptr - begin);
    }
}

// Adds `value` to `sum`; false when the sum would not fit.
bool AddTo(std::uint64_t& sum, std::uint64_t value) {
    if (value > std::numeric_limits<std::uint64_t>::max() - sum) {
        return false;
    }
    sum += value;
    return true;
}

// The bytes received plus sent of every interface but the loopback one; nullopt with the reason
// in `why` when the table is not what the kernel writes.
std::optional<std::uint64_t> NetworkBytes(std::string_view text, std::string& why) {
    // Two heading lines, their columns parted by bars.
    for (int heading = 0; heading < 2; ++heading) {
        if (TakeLine(text).find('|') == std::string_view::npos) {
            why = "it does not start with the table's heading";
            return std::nullopt;
        }
    }
    std::uint64_t total = 0;
    for (int number = 3; !text.empty(); ++number) {
        const std::string_view line = TakeLine(text);
        // No interface name holds a colon, so the first one ends the name.
        const std::size_t colon = line.find(':');
        const std::size_t nameStart = line.find_first_not_of(" \t");
        const auto columns =
            colon == std::string_view::npos ? std::nullopt : Numbers(line.substr(colon + 1));
        if (!columns || columns->size() < kNetDevColumns || nameStart >= colon) {
            why = "line " + std::to_string(number) + " is not an interface's counters";
            return std::nullopt;
        }
        // Loopback traffic never leaves the machine. Other namespaces' loopbacks are not listed.
        if (line.substr(nameStart, colon - nameStart) == "lo") {
            continue;
        }
        if (!AddTo(total, (*columns)[0]) || !AddTo(total, (*columns)[kSentColumn])) {
            why = "the total is too large";
            return std::nullopt;
        }
    }
    return total;
}

// The processors' busy and total time from the first line of /proc/stat ("cpu  user nice
// system idle iowait irq softirq steal guest guest_nice"); nullopt with the reason in `why`
// when it is not that line.
std::optional<ProcessorTicks> ProcessorTime(std::string_view text, std::string& why) {
    const std::string_view line = TakeLine(text);
    constexpr std::string_view kLabel = "cpu ";
    const auto columns = line.substr(0, kLabel.size()) == kLabel
                             ? Numbers(line.substr(kLabel.size()))
                             : std::nullopt;
    if (!columns || columns->size() < kStatColumns) {
        why = "its first line is not the processors' time";
        return std::nullopt;
    }
    const std::vector<std::uint64_t>& c = *columns;
    // Guest time is already part of user and nice time, so it is not added again.
    ProcessorTicks ticks;
    const bool fits =
        AddTo(ticks.busy, c[0]) && AddTo(ticks.busy, c[1]) && AddTo(ticks.busy, c[2]) &&
        AddTo(ticks.busy, c[5]) && AddTo(ticks.busy, c[6]) && AddTo(ticks.busy, c[7]) &&
        AddTo(ticks.total, ticks.busy) && AddTo(ticks.total, c[3]) && AddTo(ticks.total, c[4]);
    if (!fits) {
        why = "the total is too large";
        return std::nullopt;
    }
    return ticks;
}

// Reads one counter from `file` with `parse`; `unreadable` says why when it cannot be read.
template <typename Parse>
auto ReadCounter(const std::string& file, std::size_t limit, bool firstLine, std::string& text,
                 Parse parse, const char* counters, std::string& unreadable) {
    std::string why = ReadInto(file, limit, firstLine, text);
    decltype(parse(text, why)) value;
    if (why.empty()) {
        value = parse(text, why);
    }
    if (!value) {
        unreadable = std::string("The ") + counters + " counters cannot be read (" + file + ": " +
                     why + ").";
    }
    return value;
}

} // namespace

LinuxSystemLoad::LinuxSystemLoad(std::string netDevFile, std::string statFile)
    : m_netDevFile(std::move(netDevFile)), m_statFile(std::move(statFile)) {}

LoadSample LinuxSystemLoad::Read(bool network, bool processor) {
    LoadSample sample;
    // CLOCK_MONOTONIC: it stands still while the machine sleeps, as the counters do.
    sample.millis =
        static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                       std::chrono::steady_clock::now().time_since_epoch())
                                       .count());
    if (network) {
        sample.networkBytes = ReadCounter(m_netDevFile, kNetDevLimit, false, m_text, NetworkBytes,
                                          "network", sample.networkUnreadable);
    }
    if (processor) {
        sample.processor = ReadCounter(m_statFile, kStatLineLimit, true, m_text, ProcessorTime,
                                       "processor", sample.processorUnreadable);
    }
    return sample;
}

} // namespace morvane::platform
