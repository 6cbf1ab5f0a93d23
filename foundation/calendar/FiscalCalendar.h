#pragma once
// The accounting calendar every part of the library shares.
//
// A fiscal year has 16 periods: fiscal months 1-3 are periods 1-3, period 4 is
// the first quarter's adjustment period, months 4-6 are periods 5-7, period 8
// adjustment, months 7-9 periods 9-11, period 12 adjustment, months 10-12
// periods 13-15 and period 16 the year-end adjustment (settlement).
//
// A closing day (締め日, the data set's SIME) turns a calendar date into an
// accounting month: 1..28 closes the month on that day, 99 on the month's last
// day; any other value means no closing-day rule applies (dates stay as they are).
//
// Dates are day numbers (foundation/DayNumber.h). Every comparison of dates
// compares the whole double, time of day included.
#include <optional>

namespace vq {

constexpr int PeriodCount = 16;        // periods of a fiscal year
constexpr int YearEndPeriod = 16;      // the year-end adjustment (決算)
constexpr int SimeDayMonthEnd = 99;    // closing day "last day of the month"

// Period numbers 4, 8, 12 (quarter adjustments) and 16 (year-end adjustment).
bool IsAdjustmentPeriod(int period);
// A period number of the calendar, 1..16.
bool IsValidPeriod(int period);
// A closing day that applies a rule: 1..28 or 99.
bool IsValidSimeDay(int simeDay);

// MonthIndex 0..11 (fiscal month - 1) -> its period column 1-3, 5-7, 9-11,
// 13-15; any other value -1.
int MonthToColumnNo(int monthIndex);
// Month 1..12 -> the number of columns before that month's column
// (0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14); any other value 0.
int MonthToColumnIndex(int month);

// The Gregorian leap-year test; false for a year the test cannot take.
bool IsLeapYearSafe(int year);
double AddDays(int n, double date);
// The same day n months later (earlier when negative), cut to the last day of
// the target month; the time of day is kept.
double AddMonths(int n, double date);
// The closing date of the accounting month that contains date, moved by
// monthOffset months; date itself when simeDay applies no rule.
double GetSimeDate(int monthOffset, int simeDay, double date);
// Closing months from fromDate to toDate: (Y2-Y1)*12 + (M2-M1) of their closing
// dates. A whole fiscal year (first day to last day) gives 11.
int GetSimeMonthCount(int simeDay, double fromDate, double toDate);
// The fiscal month 1..12 of date in the year starting yearStart; -1 outside.
int GetKikanMonthNo(int simeDay, double yearStart, double date);
// The period number 1..16 of date; -1 before the year. A date after the year
// end counts as the last month. With adjust 1 an entry dated in the third month
// of a quarter falls into that quarter's adjustment period, and one dated on
// yearEnd into period 16.
int GetPeriodNo(int simeDay, int adjust, double yearStart, double yearEnd, double date);
int DayOfDate(double date);

// Period selectors of the trial balances (Kind): 1..4 the quarters (periods
// 1-4, 5-8, 9-12, 13-16), 5 and 6 the half years (1-8, 9-16). Any other kind
// selects nothing (nullopt): the caller keeps its own range.
struct PeriodRange {
    int from = 1;
    int to = PeriodCount;
    friend bool operator==(const PeriodRange&, const PeriodRange&) = default;
};
std::optional<PeriodRange> PeriodRangeOfKind(int kind);
// Quarter 1..4 and half year 1..2 as period ranges; nullopt outside.
std::optional<PeriodRange> QuarterPeriods(int quarter);
std::optional<PeriodRange> HalfYearPeriods(int half);
// A month distance (GetSimeMonthCount from the year start) -> the 0-based
// quarter (0..3) or half year (0..1) it lies in; out-of-range distances
// count as the last month (distance 11).
int QuarterOfMonthDistance(int distance);
int HalfOfMonthDistance(int distance);

} // namespace vq
