#include "foundation/calendar/FiscalCalendar.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "foundation/calendar/DayNumber.h"

namespace vq {
namespace {

double d(int y, int m, int day)
{
    return encodeDate(y, m, day);
}

TEST(FiscalCalendar, MonthsMapOntoTheSixteenColumns)
{
    struct Case {
        int arg, columnNo, columnIndex;
    };
    // columnNo takes the month index (month - 1), columnIndex the month.
    const Case cases[] = {
        {-1, -1, 0}, {0, 1, 0}, {1, 2, 0}, {2, 3, 1}, {3, 5, 2}, {4, 6, 4}, {5, 7, 5},
        {6, 9, 6}, {7, 10, 8}, {8, 11, 9}, {9, 13, 10}, {10, 14, 12}, {11, 15, 13},
        {12, -1, 14}, {13, -1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MonthToColumnNo(c.arg), c.columnNo) << c.arg;
        EXPECT_EQ(MonthToColumnIndex(c.arg), c.columnIndex) << c.arg;
    }
    for (int p = 0; p <= 17; ++p) {
        EXPECT_EQ(IsAdjustmentPeriod(p), p == 4 || p == 8 || p == 12 || p == 16) << p;
        EXPECT_EQ(IsValidPeriod(p), p >= 1 && p <= 16) << p;
    }
}

TEST(FiscalCalendar, LeapYearsAndMonthArithmetic)
{
    EXPECT_TRUE(IsLeapYearSafe(2000));
    EXPECT_TRUE(IsLeapYearSafe(2024));
    EXPECT_FALSE(IsLeapYearSafe(1900));
    EXPECT_FALSE(IsLeapYearSafe(2023));
    EXPECT_FALSE(IsLeapYearSafe(0));
    EXPECT_FALSE(IsLeapYearSafe(-4));

    struct Case {
        int n;
        double from, expected;
    };
    const Case cases[] = {
        {1, d(2023, 1, 31), d(2023, 2, 28)},
        {-1, d(2024, 3, 31), d(2024, 2, 29)},
        {12, d(2024, 2, 29), d(2025, 2, 28)},
        {-13, d(2024, 1, 15), d(2022, 12, 15)},
        {11, d(2024, 1, 31), d(2024, 12, 31)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AddMonths(c.n, c.from), c.expected) << c.n;
    EXPECT_EQ(AddDays(-1, d(2024, 3, 1)), d(2024, 2, 29));
    EXPECT_EQ(DayOfDate(d(2024, 2, 29) + 0.75), 29);
}

TEST(FiscalCalendar, ClosingDatesFollowTheClosingDay)
{
    struct Case {
        int offset, sime;
        double date, expected;
    };
    const Case cases[] = {
        {0, 20, d(2024, 3, 25), d(2024, 4, 20)},
        {0, 20, d(2024, 3, 20), d(2024, 3, 20)},
        {0, 20, d(2024, 3, 1), d(2024, 3, 20)},
        {0, 99, d(2024, 2, 10), d(2024, 2, 29)},
        {0, 99, d(2023, 2, 10), d(2023, 2, 28)},
        {1, 20, d(2024, 12, 25), d(2025, 2, 20)},
        {-1, 99, d(2024, 1, 31), d(2023, 12, 31)},
        {0, 28, d(2024, 2, 29), d(2024, 3, 28)},
        // No closing-day rule: the date itself, time of day included.
        {0, 30, d(2024, 3, 25) + 0.5, d(2024, 3, 25) + 0.5},
        {3, 0, d(2024, 3, 25), d(2024, 3, 25)},
        {0, 29, d(2024, 3, 25), d(2024, 3, 25)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetSimeDate(c.offset, c.sime, c.date), c.expected) << c.offset << " " << c.sime;
}

struct YearCase {
    double date;
    int month;           // GetKikanMonthNo
    int period;          // GetPeriodNo, adjust 0
    int adjustedPeriod;  // GetPeriodNo, adjust 1
};

void checkYear(int sime, double start, double end, const std::vector<YearCase>& cases)
{
    EXPECT_EQ(GetSimeMonthCount(sime, start, end), 11);
    for (const YearCase& c : cases) {
        const CivilDate cd = decodeDate(c.date);
        SCOPED_TRACE(std::to_string(cd.year) + "-" + std::to_string(cd.month) + "-" + std::to_string(cd.day));
        EXPECT_EQ(GetKikanMonthNo(sime, start, c.date), c.month);
        EXPECT_EQ(GetPeriodNo(sime, 0, start, end, c.date), c.period);
        EXPECT_EQ(GetPeriodNo(sime, 1, start, end, c.date), c.adjustedPeriod);
    }
}

TEST(FiscalCalendar, AprilStartYearWithMonthEndClosing)
{
    checkYear(99, d(2024, 4, 1), d(2025, 3, 31),
              {
                  {d(2024, 3, 31), -1, -1, -1},
                  {d(2024, 4, 1), 1, 1, 1},
                  {d(2024, 5, 31), 2, 2, 2},
                  {d(2024, 6, 15), 3, 3, 4},
                  {d(2024, 7, 1), 4, 5, 5},
                  {d(2024, 9, 30), 6, 7, 8},
                  {d(2024, 10, 1), 7, 9, 9},
                  {d(2024, 12, 31), 9, 11, 12},
                  {d(2025, 1, 1), 10, 13, 13},
                  {d(2025, 3, 15), 12, 15, 16},
                  {d(2025, 3, 31), 12, 15, 16},
                  {d(2025, 7, 10), -1, 15, 16}, // after the year end: the last month
              });
    // Period 16 needs the year-end date itself, time of day included.
    EXPECT_EQ(GetPeriodNo(99, 1, d(2024, 4, 1), d(2025, 3, 31), d(2025, 3, 31) + 0.5), 16);
    EXPECT_EQ(GetPeriodNo(99, 2, d(2024, 4, 1), d(2025, 3, 31), d(2024, 6, 15)), 3); // only 1 adjusts
}

TEST(FiscalCalendar, YearClosingOnThe20th)
{
    // The year runs from 21 March to 20 March: its first accounting month is
    // the one that closes on 20 April.
    const double start = d(2024, 3, 21);
    const double end = d(2025, 3, 20);
    EXPECT_EQ(GetSimeDate(0, 20, start), d(2024, 4, 20));
    checkYear(20, start, end,
              {
                  {d(2024, 3, 20), -1, -1, -1},
                  {d(2024, 3, 21), 1, 1, 1},
                  {d(2024, 4, 20), 1, 1, 1},
                  {d(2024, 4, 21), 2, 2, 2},
                  {d(2024, 6, 20), 3, 3, 4},
                  {d(2024, 6, 21), 4, 5, 5},
                  {d(2024, 9, 21), 7, 9, 9},
                  {d(2024, 12, 20), 9, 11, 12},
                  {d(2025, 2, 21), 12, 15, 16},
                  {d(2025, 3, 20), 12, 15, 16},
              });
}

TEST(FiscalCalendar, QuarterAndHalfYearSelectors)
{
    struct Case {
        int kind;
        std::optional<PeriodRange> range;
    };
    const Case cases[] = {
        {1, PeriodRange{1, 4}}, {2, PeriodRange{5, 8}}, {3, PeriodRange{9, 12}}, {4, PeriodRange{13, 16}},
        {5, PeriodRange{1, 8}}, {6, PeriodRange{9, 16}}, {0, std::nullopt}, {-1, std::nullopt},
        {7, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PeriodRangeOfKind(c.kind), c.range) << c.kind;
    EXPECT_EQ(QuarterPeriods(0), std::nullopt);
    EXPECT_EQ(HalfYearPeriods(3), std::nullopt);

    const int quarters[] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3};
    for (int m = 0; m < 12; ++m) {
        EXPECT_EQ(QuarterOfMonthDistance(m), quarters[m]) << m;
        EXPECT_EQ(HalfOfMonthDistance(m), m < 6 ? 0 : 1) << m;
    }
    EXPECT_EQ(QuarterOfMonthDistance(-1), 3);
    EXPECT_EQ(HalfOfMonthDistance(14), 1);
}

} // namespace
} // namespace vq
