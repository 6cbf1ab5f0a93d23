#include "foundation/calendar/DayNumber.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vq {
namespace {

struct DateCase {
    int year, month, day;
    double dayNumber;
};

TEST(DayNumber, EncodesAndDecodesCalendarDays)
{
    const DateCase cases[] = {
        {1899, 12, 30, 0},        // day 0
        {1899, 12, 31, 1},
        {1899, 12, 29, -1},
        {1900, 1, 1, 2},
        {1900, 2, 28, 60},
        {1900, 3, 1, 61},          // 1900 is no leap year
        {2000, 2, 29, 36585},      // 2000 is one
        {2024, 2, 29, 45351},
        {2024, 4, 1, 45383},
        {1, 1, 1, -693593},
        {9999, 12, 31, 2958465},
    };
    for (const DateCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" + std::to_string(c.day));
        EXPECT_EQ(encodeDate(c.year, c.month, c.day), c.dayNumber);
        EXPECT_EQ(decodeDate(c.dayNumber), (CivilDate{c.year, c.month, c.day}));
        // The time of day does not change the calendar day.
        EXPECT_EQ(decodeDate(combineDateTime(c.dayNumber, 0.75)), (CivilDate{c.year, c.month, c.day}));
    }
}

TEST(DayNumber, RejectsImpossibleDatesAndTimes)
{
    EXPECT_FALSE(tryEncodeDate(1900, 2, 29));
    EXPECT_FALSE(tryEncodeDate(2023, 2, 29));
    EXPECT_FALSE(tryEncodeDate(2024, 13, 1));
    EXPECT_FALSE(tryEncodeDate(2024, 4, 31));
    EXPECT_FALSE(tryEncodeDate(0, 1, 1));
    EXPECT_FALSE(tryEncodeDate(10000, 1, 1));
    EXPECT_THROW(encodeDate(2024, 0, 1), std::invalid_argument);
    EXPECT_FALSE(tryEncodeTime(24, 0, 0));
    EXPECT_FALSE(tryEncodeTime(12, 60, 0));
    EXPECT_THROW(encodeTime(0, 0, 0, 1000), std::invalid_argument);
}

TEST(DayNumber, TimeOfDayCountsForwardAlsoBeforeDayZero)
{
    const double t = encodeDateTime(2024, 4, 1, 13, 45, 30, 250);
    EXPECT_EQ(decodeDateTime(t), (CivilDateTime{{2024, 4, 1}, {13, 45, 30, 250}}));
    EXPECT_EQ(dateOf(t), 45383);

    // 1899-12-29 06:00 is -1.25, not -0.75.
    const double before = encodeDateTime(1899, 12, 29, 6, 0, 0);
    EXPECT_DOUBLE_EQ(before, -1.25);
    EXPECT_EQ(decodeDateTime(before), (CivilDateTime{{1899, 12, 29}, {6, 0, 0, 0}}));
    EXPECT_DOUBLE_EQ(timeOf(before), 0.25);

    // A time that rounds up to the next millisecond past midnight is the next day.
    const double almostMidnight = 45383 + (86'399'999.6 / 86'400'000.0);
    EXPECT_EQ(decodeDateTime(almostMidnight), (CivilDateTime{{2024, 4, 2}, {0, 0, 0, 0}}));
    EXPECT_EQ(roundToMillisecond(almostMidnight), 45384);
    // Before day 0 the time counts forward too: the next midnight is the next day.
    const double almostMidnightBefore = -1 - (86'399'999.6 / 86'400'000.0); // 1899-12-29
    EXPECT_EQ(decodeDateTime(almostMidnightBefore), (CivilDateTime{{1899, 12, 30}, {0, 0, 0, 0}}));
    EXPECT_EQ(roundToMillisecond(almostMidnightBefore), 0);
    EXPECT_EQ(decodeDate(-(86'399'999.6 / 86'400'000.0)), (CivilDate{1899, 12, 31})); // day 0's last instant
    EXPECT_DOUBLE_EQ(roundToMillisecond(t + 0.3 / 86'400'000.0), t);
    EXPECT_DOUBLE_EQ(roundToMillisecond(before - 0.3 / 86'400'000.0), before);
}

TEST(DayNumber, DayOfWeekStartsOnSunday)
{
    EXPECT_EQ(dayOfWeek(0), 7);                          // 1899-12-30 was a Saturday
    EXPECT_EQ(dayOfWeek(encodeDate(2024, 4, 1)), 2);     // Monday
    EXPECT_EQ(dayOfWeek(encodeDate(2024, 3, 31) + 0.9), 1);
    EXPECT_EQ(dayOfWeek(-1), 6);
}

TEST(DayNumber, IncMonthClampsToTheMonthEndAndKeepsTheTime)
{
    struct Case {
        CivilDate from;
        int months;
        CivilDate to;
    };
    const Case cases[] = {
        {{2024, 1, 31}, 1, {2024, 2, 29}},
        {{2023, 3, 31}, -1, {2023, 2, 28}},
        {{2024, 2, 29}, -12, {2023, 2, 28}},
        {{2024, 4, 1}, 12, {2025, 4, 1}},
        {{2024, 11, 30}, 3, {2025, 2, 28}},
        {{2024, 1, 15}, -13, {2022, 12, 15}},
    };
    for (const Case& c : cases) {
        const double from = encodeDate(c.from.year, c.from.month, c.from.day);
        EXPECT_EQ(decodeDate(incMonth(from, c.months)), c.to) << c.from.year << "-" << c.from.month << "-"
                                                             << c.from.day << " " << c.months;
    }
    const double withTime = encodeDateTime(2024, 1, 31, 8, 30, 0);
    EXPECT_EQ(decodeTime(incMonth(withTime, 1)), (TimeOfDay{8, 30, 0, 0}));
}

} // namespace
} // namespace vq
