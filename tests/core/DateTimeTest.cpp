#include "core/tasks/DateTime.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace morvane;

namespace {

struct ParseCase {
    const char* text;
    DateOrder order;
    DateTime expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class DateTextForms : public ::testing::TestWithParam<ParseCase> {};

} // namespace

TEST_P(DateTextForms, ReadsTheMoment) {
    const auto& c = GetParam();
    const auto dt = ParseDateText(c.text, c.order);
    ASSERT_TRUE(dt.has_value()) << c.text;
    EXPECT_EQ(*dt, c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    AcceptedForms, DateTextForms,
    ::testing::Values(
        ParseCase{"2026/12/07 17:40:51", DateOrder::DayFirst, {2026, 12, 7, 17, 40, 51}},
        ParseCase{"12/7/2026 6:00:00 PM", DateOrder::MonthFirst, {2026, 12, 7, 18, 0, 0}},
        ParseCase{"12/7/2026 12:00:00 AM", DateOrder::MonthFirst, {2026, 12, 7, 0, 0, 0}},
        ParseCase{"12/7/2026 12:30:00 pm", DateOrder::MonthFirst, {2026, 12, 7, 12, 30, 0}},
        ParseCase{"07/12/2026 18:00:00", DateOrder::DayFirst, {2026, 12, 7, 18, 0, 0}},
        ParseCase{"07.12.2026 18:00:00", DateOrder::MonthFirst, {2026, 12, 7, 18, 0, 0}},
        ParseCase{"2026-12-07 18:00:00", DateOrder::MonthFirst, {2026, 12, 7, 18, 0, 0}},
        ParseCase{"2026-12-07 18:00", DateOrder::DayFirst, {2026, 12, 7, 18, 0, 0}},
        ParseCase{"12/7/2026", DateOrder::MonthFirst, {2026, 12, 7, 0, 0, 0}},
        ParseCase{"07.12.2026", DateOrder::DayFirst, {2026, 12, 7, 0, 0, 0}},
        ParseCase{"  2026/1/5 9:05:00  ", DateOrder::DayFirst, {2026, 1, 5, 9, 5, 0}},
        ParseCase{"7/12/26 18:00:00", DateOrder::DayFirst, {2026, 12, 7, 18, 0, 0}},
        ParseCase{"2028/02/29 00:00:00", DateOrder::DayFirst, {2028, 2, 29, 0, 0, 0}}));

TEST(DateText, RejectsTextsThatAreNoMoment) {
    for (const char* bad :
         {"abc", "", "2026/02/31 10:00:00", "2027/02/29 00:00:00", "2026/13/01 00:00:00",
          "2026/12/07 24:00:00", "2026/12/07 10:60:00", "13/25/2026", "12/7/2026 13:00:00 PM",
          "2026/12/07 10:00:00 xyz", "2026/12", "99999/01/01", "18:00:00"}) {
        EXPECT_FALSE(ParseDateText(bad, DateOrder::DayFirst).has_value()) << bad;
    }
}

TEST(DateText, CanonicalFormIsWrittenAndReadBack) {
    const DateTime dt{2026, 1, 5, 9, 5, 0};
    EXPECT_EQ(FormatCanonical(dt), "2026/01/05 09:05:00");
    EXPECT_EQ(ParseDateText(FormatCanonical(dt), DateOrder::MonthFirst), dt);
}

TEST(DueTest, OneSecondResolutionAndUnreadableIsDue) {
    const DateTime due{2026, 12, 7, 10, 0, 0};
    const std::string text = FormatCanonical(due);
    EXPECT_FALSE(IsDue(text, {2026, 12, 7, 9, 59, 59}, DateOrder::DayFirst));
    EXPECT_TRUE(IsDue(text, {2026, 12, 7, 10, 0, 0}, DateOrder::DayFirst));
    EXPECT_TRUE(IsDue(text, {2026, 12, 7, 10, 0, 1}, DateOrder::DayFirst));
    EXPECT_TRUE(IsDue("abc", {2026, 12, 7, 9, 0, 0}, DateOrder::DayFirst));
    EXPECT_TRUE(IsDue("", {2026, 12, 7, 9, 0, 0}, DateOrder::DayFirst));
    EXPECT_EQ(DueNumber(due), 20261207100000);
}

TEST(DateArithmetic, MonthsClampToTheLastDay) {
    EXPECT_EQ(AddMonths({2026, 1, 31, 8, 0, 0}, 1), (DateTime{2026, 2, 28, 8, 0, 0}));
    EXPECT_EQ(AddMonths({2028, 1, 31, 8, 0, 0}, 1), (DateTime{2028, 2, 29, 8, 0, 0}));
    EXPECT_EQ(AddMonths({2026, 12, 15, 0, 0, 0}, 1), (DateTime{2027, 1, 15, 0, 0, 0}));
    EXPECT_EQ(AddMonths({2026, 3, 31, 0, 0, 0}, -1), (DateTime{2026, 2, 28, 0, 0, 0}));
    EXPECT_FALSE(AddMonths({9999, 12, 1, 0, 0, 0}, 1).has_value());
}

TEST(DateArithmetic, SecondsCrossDaysYearsAndLeapDays) {
    EXPECT_EQ(AddSeconds({2026, 12, 31, 23, 59, 59}, 1), (DateTime{2027, 1, 1, 0, 0, 0}));
    EXPECT_EQ(AddSeconds({2028, 2, 28, 12, 0, 0}, 86400), (DateTime{2028, 2, 29, 12, 0, 0}));
    EXPECT_EQ(AddSeconds({2100, 2, 28, 12, 0, 0}, 86400), (DateTime{2100, 3, 1, 12, 0, 0}));
    EXPECT_FALSE(AddSeconds({9999, 12, 31, 23, 59, 59}, 1).has_value());
}

TEST(DateArithmetic, PeriodsAddDaysHoursMinutesSeconds) {
    const DateTime start{2026, 12, 31, 23, 0, 0};
    EXPECT_EQ(AddPeriod(start, "01-00-00-00"), (DateTime{2027, 1, 1, 23, 0, 0}));
    EXPECT_EQ(AddPeriod(start, "00-01-30-05"), (DateTime{2027, 1, 1, 0, 30, 5}));
    // Missing and non-numeric parts add nothing; parts after the fourth are ignored.
    EXPECT_EQ(AddPeriod(start, "00-02"), (DateTime{2027, 1, 1, 1, 0, 0}));
    EXPECT_EQ(AddPeriod(start, "x-01-y-10"), (DateTime{2027, 1, 1, 0, 0, 10}));
    EXPECT_EQ(AddPeriod(start, "00-00-00-00-99"), start);
    EXPECT_EQ(AddPeriod(start, ""), start);
    EXPECT_FALSE(AddPeriod(start, "9223372036854775807-00-00-00").has_value());
}

TEST(DateArithmetic, NextOccurrenceSkipsMissedRuns) {
    const DateTime due{2026, 12, 7, 18, 0, 0};
    // On time: exactly one step.
    EXPECT_EQ(NextOccurrence(due, "Every Day", due), (DateTime{2026, 12, 8, 18, 0, 0}));
    EXPECT_EQ(NextOccurrence(due, "Every Hour", due), (DateTime{2026, 12, 7, 19, 0, 0}));
    // A week late: the next one after the moment it ran, keeping the time of day.
    EXPECT_EQ(NextOccurrence(due, "Every Day", {2026, 12, 14, 20, 0, 0}),
              (DateTime{2026, 12, 15, 18, 0, 0}));
    EXPECT_EQ(NextOccurrence(due, "Every Minute", {2026, 12, 8, 18, 0, 30}),
              (DateTime{2026, 12, 8, 18, 1, 0}));
    EXPECT_EQ(NextOccurrence({2026, 1, 31, 8, 0, 0}, "Every Month", {2026, 1, 31, 8, 0, 0}),
              (DateTime{2026, 2, 28, 8, 0, 0}));
    EXPECT_EQ(NextOccurrence({2026, 1, 31, 8, 0, 0}, "Every Month", {2026, 5, 2, 8, 0, 0}),
              (DateTime{2026, 5, 31, 8, 0, 0}));
    EXPECT_EQ(NextOccurrence({2026, 1, 15, 8, 0, 0}, "Every Month", {2026, 3, 20, 8, 0, 0}),
              (DateTime{2026, 4, 15, 8, 0, 0}));
    EXPECT_FALSE(NextOccurrence(due, "Weekly", due).has_value());
}
