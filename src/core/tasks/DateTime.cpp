#include "core/tasks/DateTime.h"

#include "core/tasks/Task.h"

#include <array>
#include <charconv>
#include <limits>
#include <vector>

namespace morvane {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[static_cast<std::size_t>(m - 1)];
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil algorithms).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

std::int64_t ToSerial(const DateTime& dt) {
    return DaysFromCivil(dt.year, dt.month, dt.day) * kSecondsPerDay +
           std::int64_t{dt.hour} * 3600 + std::int64_t{dt.minute} * 60 + dt.second;
}

std::optional<DateTime> FromSerial(std::int64_t serial) {
    std::int64_t days = serial / kSecondsPerDay;
    std::int64_t rest = serial % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    std::int64_t y = 0;
    int m = 0;
    int d = 0;
    CivilFromDays(days, y, m, d);
    if (y < kMinYear || y > kMaxYear) {
        return std::nullopt;
    }
    return DateTime{static_cast<int>(y),
                    m,
                    d,
                    static_cast<int>(rest / 3600),
                    static_cast<int>(rest / 60 % 60),
                    static_cast<int>(rest % 60)};
}

// Serial bounds keep additions far from overflow whatever a hand-edited period says.
const std::int64_t kMinSerial = DaysFromCivil(kMinYear, 1, 1) * kSecondsPerDay;
const std::int64_t kMaxSerial = DaysFromCivil(kMaxYear + 1, 1, 1) * kSecondsPerDay;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// A run of 1 to 4 digits as a number; false for anything else.
bool ReadNumber(std::string_view s, int& out, std::size_t& digits) {
    if (s.empty() || s.size() > 4) {
        return false;
    }
    out = 0;
    for (char c : s) {
        if (!IsDigit(c)) {
            return false;
        }
        out = out * 10 + (c - '0');
    }
    digits = s.size();
    return true;
}

int ExpandYear(int year, std::size_t digits) {
    if (digits <= 2) {
        // Two-digit years follow the usual 1930-2029 window.
        return year < 30 ? 2000 + year : 1900 + year;
    }
    return year;
}

std::optional<DateTime> ParseDatePart(std::string_view s, DateOrder order) {
    if (!s.empty() && s.back() == '.') {
        s.remove_suffix(1);
    }
    char sep = 0;
    for (char c : s) {
        if (c == '/' || c == '-' || c == '.') {
            sep = c;
            break;
        }
    }
    if (sep == 0) {
        return std::nullopt;
    }
    std::array<int, 3> v{};
    std::array<std::size_t, 3> len{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t end = i < 2 ? s.find(sep, start) : s.size();
        if (end == std::string_view::npos ||
            !ReadNumber(s.substr(start, end - start), v[i], len[i])) {
            return std::nullopt;
        }
        start = end + 1;
    }
    int y = 0;
    int m = 0;
    int d = 0;
    if (len[0] >= 3) {
        y = v[0];
        m = v[1];
        d = v[2];
    } else {
        y = ExpandYear(v[2], len[2]);
        const bool dayFirst = sep == '.' || order == DateOrder::DayFirst;
        m = dayFirst ? v[1] : v[0];
        d = dayFirst ? v[0] : v[1];
    }
    return MakeDateTime(y, m, d);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char c = (a[i] >= 'a' && a[i] <= 'z') ? static_cast<char>(a[i] - 'a' + 'A') : a[i];
        if (c != b[i]) {
            return false;
        }
    }
    return true;
}

// "H:MM", "H:MM:SS", each optionally followed by AM/PM (with or without a space).
bool ParseTimePart(std::string_view s, DateTime& dt) {
    s = Trim(s);
    int meridiem = 0; // 0 none, 1 AM, 2 PM
    for (auto [text, value] :
         {std::pair{std::string_view("AM"), 1}, {"PM", 2}, {"A.M.", 1}, {"P.M.", 2}}) {
        if (s.size() >= text.size() && EqualsNoCase(s.substr(s.size() - text.size()), text)) {
            meridiem = value;
            s = Trim(s.substr(0, s.size() - text.size()));
            break;
        }
    }
    std::array<int, 3> v{};
    std::size_t count = 0;
    std::size_t start = 0;
    while (count < 3) {
        const std::size_t colon = s.find(':', start);
        const std::size_t end = colon == std::string_view::npos ? s.size() : colon;
        std::size_t digits = 0;
        if (!ReadNumber(s.substr(start, end - start), v[count], digits) || digits > 2) {
            return false;
        }
        ++count;
        if (colon == std::string_view::npos) {
            break;
        }
        start = colon + 1;
        if (count == 3) {
            return false;
        }
    }
    if (count < 2) {
        return false;
    }
    int hour = v[0];
    if (meridiem != 0) {
        if (hour < 1 || hour > 12) {
            return false;
        }
        hour = hour % 12 + (meridiem == 2 ? 12 : 0);
    }
    if (hour > 23 || v[1] > 59 || v[2] > 59) {
        return false;
    }
    dt.hour = hour;
    dt.minute = v[1];
    dt.second = v[2];
    return true;
}

// The canonical form is what the tick reads on every row, so it skips the general parser.
std::optional<DateTime> ParseCanonical(std::string_view s) {
    if (s.size() != 19 || s[4] != '/' || s[7] != '/' || s[10] != ' ' || s[13] != ':' ||
        s[16] != ':') {
        return std::nullopt;
    }
    auto two = [&](std::size_t at, int& out) {
        if (!IsDigit(s[at]) || !IsDigit(s[at + 1])) {
            return false;
        }
        out = (s[at] - '0') * 10 + (s[at + 1] - '0');
        return true;
    };
    int yHi = 0;
    int yLo = 0;
    int mo = 0;
    int d = 0;
    int h = 0;
    int mi = 0;
    int sec = 0;
    if (!two(0, yHi) || !two(2, yLo) || !two(5, mo) || !two(8, d) || !two(11, h) || !two(14, mi) ||
        !two(17, sec)) {
        return std::nullopt;
    }
    return MakeDateTime(yHi * 100 + yLo, mo, d, h, mi, sec);
}

// A period part read as a whole number; nullopt when it is not one (it then adds nothing).
std::optional<std::int64_t> PeriodNumber(std::string_view part) {
    part = Trim(part);
    std::int64_t value = 0;
    const auto [ptr, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (part.empty() || ec != std::errc() || ptr != part.data() + part.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<DateTime> MakeDateTime(int year, int month, int day, int hour, int minute,
                                     int second) {
    if (year < kMinYear || year > kMaxYear || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        return std::nullopt;
    }
    return DateTime{year, month, day, hour, minute, second};
}

std::optional<DateTime> ParseDateText(std::string_view text, DateOrder order) {
    if (auto canonical = ParseCanonical(text)) {
        return canonical;
    }
    text = Trim(text);
    const std::size_t space = text.find_first_of(" \t");
    const std::string_view datePart = text.substr(0, space);
    auto dt = ParseDatePart(datePart, order);
    if (!dt) {
        return std::nullopt;
    }
    if (space != std::string_view::npos && !ParseTimePart(text.substr(space), *dt)) {
        return std::nullopt;
    }
    return dt;
}

std::string FormatCanonical(const DateTime& dt) {
    std::string out = "0000/00/00 00:00:00";
    auto put = [&](std::size_t at, int value, int width) {
        for (int i = width - 1; i >= 0; --i) {
            out[at + static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
    };
    put(0, dt.year, 4);
    put(5, dt.month, 2);
    put(8, dt.day, 2);
    put(11, dt.hour, 2);
    put(14, dt.minute, 2);
    put(17, dt.second, 2);
    return out;
}

bool IsDue(std::string_view closeTime, const DateTime& now, DateOrder order) {
    const auto due = ParseDateText(closeTime, order);
    return !due || DueNumber(now) >= DueNumber(*due);
}

std::int64_t SecondsBetween(const DateTime& from, const DateTime& to) {
    return ToSerial(to) - ToSerial(from);
}

std::optional<DateTime> AddSeconds(const DateTime& dt, std::int64_t seconds) {
    const std::int64_t base = ToSerial(dt);
    if (seconds > kMaxSerial - base || seconds < kMinSerial - base) {
        return std::nullopt;
    }
    return FromSerial(base + seconds);
}

std::optional<DateTime> AddMonths(const DateTime& dt, std::int64_t months) {
    constexpr std::int64_t kMaxMonths = std::int64_t{kMaxYear + 1} * 12;
    if (months > kMaxMonths || months < -kMaxMonths) {
        return std::nullopt;
    }
    const std::int64_t index = std::int64_t{dt.year} * 12 + (dt.month - 1) + months;
    const std::int64_t year = index / 12;
    if (year < kMinYear || year > kMaxYear) {
        return std::nullopt;
    }
    DateTime out = dt;
    out.year = static_cast<int>(year);
    out.month = static_cast<int>(index % 12) + 1;
    out.day = std::min(dt.day, DaysInMonth(out.year, out.month));
    return out;
}

std::optional<DateTime> AddPeriod(const DateTime& dt, std::string_view period) {
    static constexpr std::array<std::int64_t, 4> kUnit = {kSecondsPerDay, 3600, 60, 1};
    std::optional<DateTime> out = dt;
    std::size_t start = 0;
    for (std::size_t i = 0; i < kUnit.size() && start <= period.size(); ++i) {
        const std::size_t dash = period.find('-', start);
        const std::size_t end = dash == std::string_view::npos ? period.size() : dash;
        if (const auto n = PeriodNumber(period.substr(start, end - start))) {
            if (*n > std::numeric_limits<std::int64_t>::max() / kUnit[i]) {
                return std::nullopt;
            }
            out = AddSeconds(*out, *n * kUnit[i]);
            if (!out) {
                return std::nullopt;
            }
        }
        if (dash == std::string_view::npos) {
            break;
        }
        start = dash + 1;
    }
    return out;
}

std::int64_t PeriodSeconds(std::string_view period) {
    constexpr DateTime kBase{100, 1, 1, 0, 0, 0};
    const auto end = AddPeriod(kBase, period);
    return end ? SecondsBetween(kBase, *end) : 0;
}

std::optional<DateTime> NextOccurrence(const DateTime& due, std::string_view loop,
                                       const DateTime& ranAt) {
    if (loop == texts::kEveryMonth) {
        // Count from the original due moment so a 31st keeps returning to month ends.
        std::int64_t k = std::max<std::int64_t>(1, (std::int64_t{ranAt.year} - due.year) * 12 +
                                                       (ranAt.month - due.month));
        auto next = AddMonths(due, k);
        if (next && *next > ranAt) {
            // One month fewer may already be past ranAt when days or times differ.
            if (k > 1) {
                if (auto earlier = AddMonths(due, k - 1); earlier && *earlier > ranAt) {
                    return earlier;
                }
            }
            return next;
        }
        while (next && *next <= ranAt) {
            next = AddMonths(due, ++k);
        }
        return next;
    }
    std::int64_t step = 0;
    if (loop == texts::kEveryDay) {
        step = kSecondsPerDay;
    } else if (loop == texts::kEveryHour) {
        step = 3600;
    } else if (loop == texts::kEveryMinute) {
        step = 60;
    } else {
        return std::nullopt;
    }
    const std::int64_t gap = ToSerial(ranAt) - ToSerial(due);
    const std::int64_t k = gap < 0 ? 1 : gap / step + 1;
    return AddSeconds(due, k * step);
}

} // namespace morvane
