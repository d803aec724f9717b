#include "core/extras/History.h"

#include "core/tasks/DateTime.h"

#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace morvane {

namespace {

using Kind = HistoryEvent::Kind;

// Fixed words, so the file reads the same whatever language the windows show.
constexpr std::array<std::pair<Kind, std::string_view>, 14> kKindWords = {{
    {Kind::Closed, "closed"},
    {Kind::NothingToClose, "nothing-to-close"},
    {Kind::Started, "started"},
    {Kind::CouldNotStart, "could-not-start"},
    {Kind::PowerRequested, "power-requested"},
    {Kind::PowerRefused, "power-refused"},
    // Older versions skip lines with these words, and read every other line as before.
    {Kind::PowerNoAnswerYet, "power-no-answer-yet"},
    {Kind::PowerDoneLate, "power-done-late"},
    {Kind::Cancelled, "cancelled"},
    {Kind::Snoozed, "snoozed"},
    {Kind::NotSaved, "not-saved"},
    {Kind::Added, "added"},
    {Kind::Loaded, "loaded"},
    {Kind::ClosedGently, "closed-gently"},
}};

std::string_view WordOf(Kind kind) {
    for (const auto& [k, word] : kKindWords) {
        if (k == kind) {
            return word;
        }
    }
    return "closed";
}

std::optional<Kind> KindOf(std::string_view word) {
    for (const auto& [k, w] : kKindWords) {
        if (w == word) {
            return k;
        }
    }
    return std::nullopt;
}

// A line has no escaping: a tab or a line break would split the record.
std::string Flat(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

std::string LineOf(const HistoryEvent& e) {
    return FormatCanonical(e.time) + "\t" + std::string(WordOf(e.kind)) + "\t" + Flat(e.subject) +
           "\t" + std::to_string(e.count) + "\t" + Flat(e.detail);
}

std::optional<HistoryEvent> ParseLine(std::string_view line) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (parts.size() < 5) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos || parts.size() == 4) {
            parts.push_back(line.substr(start));
            break;
        }
        parts.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    if (parts.size() != 5) {
        return std::nullopt;
    }
    const auto time = ParseDateText(parts[0], DateOrder::DayFirst);
    const auto kind = KindOf(parts[1]);
    int count = 0;
    const auto [ptr, ec] =
        std::from_chars(parts[3].data(), parts[3].data() + parts[3].size(), count);
    if (!time || !kind || parts[3].empty() || ec != std::errc() ||
        ptr != parts[3].data() + parts[3].size()) {
        return std::nullopt;
    }
    return HistoryEvent{*time, *kind, std::string(parts[2]), count, std::string(parts[4])};
}

} // namespace

std::string GentleDetail(const GentleOutcome& o) {
    std::string text = std::to_string(o.closed) + " closed, " + std::to_string(o.forced) +
                       " forced after " + std::to_string(o.graceSeconds) + " s";
    if (o.windowless > 0) {
        text += ", " + std::to_string(o.windowless) + " without a window";
    }
    if (o.left > 0) {
        text += ", " + std::to_string(o.left) + " left running";
    }
    return text;
}

std::optional<GentleOutcome> ReadGentleDetail(std::string_view detail) {
    // A number at the start of `text`, taken off it; nullopt when there is none.
    const auto number = [](std::string_view& text) -> std::optional<int> {
        int n = 0;
        const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (ec != std::errc() || n < 0) {
            return std::nullopt;
        }
        text.remove_prefix(static_cast<std::size_t>(ptr - text.data()));
        return n;
    };
    // "N words" as the whole of `part`.
    const auto count = [&number](std::string_view part, std::string_view words, int& out) {
        const std::optional<int> n = number(part);
        if (!n || part != words) {
            return false;
        }
        out = *n;
        return true;
    };
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t comma = detail.find(", ", at);
        parts.push_back(detail.substr(at, comma - at));
        if (comma == std::string_view::npos) {
            break;
        }
        at = comma + 2;
    }
    GentleOutcome o;
    if (parts.size() < 2 || parts.size() > 4 || !count(parts[0], " closed", o.closed)) {
        return std::nullopt;
    }
    std::string_view forced = parts[1];
    const std::optional<int> n = number(forced);
    if (!n || !forced.starts_with(" forced after ")) {
        return std::nullopt;
    }
    forced.remove_prefix(std::string_view(" forced after ").size());
    if (!count(forced, " s", o.graceSeconds)) {
        return std::nullopt;
    }
    o.forced = *n;
    std::size_t next = 2;
    if (next < parts.size() && count(parts[next], " without a window", o.windowless)) {
        ++next;
    }
    if (next < parts.size() && count(parts[next], " left running", o.left)) {
        ++next;
    }
    return next == parts.size() ? std::optional(o) : std::nullopt;
}

void History::Load(const std::filesystem::path& path) {
    m_path = path;
    m_events.clear();
    const auto lines = ReadTextLines(path);
    if (!lines) {
        return;
    }
    for (const std::string& line : *lines) {
        if (auto event = ParseLine(line)) {
            m_events.push_back(std::move(*event));
            if (m_events.size() > kLimit) {
                m_events.pop_front();
            }
        }
    }
}

WriteResult History::Append(HistoryEvent event, platform::FileSync* sync) {
    Add(std::move(event));
    return Write(sync);
}

void History::Add(HistoryEvent event) {
    event.subject = Flat(std::move(event.subject));
    event.detail = Flat(std::move(event.detail));
    m_events.push_back(std::move(event));
    if (m_events.size() > kLimit) {
        m_events.pop_front();
    }
    m_unwritten = true;
}

WriteResult History::Write(platform::FileSync* sync) {
    if (m_path.empty() || !m_unwritten) {
        return {};
    }
    m_unwritten = false;
    // Rewritten whole rather than appended to: the old file stays intact until the new one is
    // in its place, and the cap needs the oldest lines gone anyway.
    std::vector<std::string> lines;
    lines.reserve(m_events.size());
    for (const HistoryEvent& e : m_events) {
        lines.push_back(LineOf(e));
    }
    return WriteTextLinesAtomic(m_path, lines, TextCodec::Default(), sync);
}

} // namespace morvane
