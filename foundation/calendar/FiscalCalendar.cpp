#include "foundation/calendar/FiscalCalendar.h"

#include "foundation/calendar/DayNumber.h"

namespace vq {

namespace {

struct YearMonth {
    int year;
    int month; // 1..12
};

// The calendar month `offset` months after (year, month).
YearMonth shiftMonth(int year, int month, int offset)
{
    // Months counted from year 0 keep the arithmetic free of sign trouble for
    // every year the date library represents.
    const long t = static_cast<long>(year) * 12 + (month - 1) + offset;
    long y = t / 12;
    long m = t % 12;
    if (m < 0) {
        m += 12;
        --y;
    }
    return {static_cast<int>(y), static_cast<int>(m) + 1};
}

YearMonth yearMonthOf(double date)
{
    const CivilDate d = decodeDate(date);
    return {d.year, d.month};
}

// Column of a fiscal-month distance 0..11 (-1 outside), with adjust added
// inside each quarter's block.
int columnOfDistance(int g, int adjust)
{
    if (g < 0 || g > 11)
        return -1;
    return g + 1 + g / 3 + adjust;
}

} // namespace

bool IsAdjustmentPeriod(int period)
{
    return period == 4 || period == 8 || period == 12 || period == YearEndPeriod;
}

bool IsValidPeriod(int period)
{
    return period >= 1 && period <= PeriodCount;
}

bool IsValidSimeDay(int simeDay)
{
    return (simeDay >= 1 && simeDay <= 28) || simeDay == SimeDayMonthEnd;
}

int MonthToColumnNo(int monthIndex)
{
    if (monthIndex < 0 || monthIndex > 11)
        return -1;
    return monthIndex + 1 + monthIndex / 3;
}

int MonthToColumnIndex(int month)
{
    if (month < 1 || month > 12)
        return 0;
    return month - 1 + (month - 1) / 3;
}

bool IsLeapYearSafe(int year)
{
    if (year < 1 || year > 9999)
        return false;
    return isLeapYear(year);
}

double AddDays(int n, double date)
{
    return date + n;
}

double AddMonths(int n, double date)
{
    return incMonth(date, n);
}

double GetSimeDate(int monthOffset, int simeDay, double date)
{
    if (!IsValidSimeDay(simeDay))
        return date;
    const CivilDate d = decodeDate(date);
    if (simeDay != SimeDayMonthEnd && simeDay < d.day)
        ++monthOffset; // the accounting month closes in the next calendar month
    const YearMonth ym = shiftMonth(d.year, d.month, monthOffset);
    const int day = simeDay == SimeDayMonthEnd ? daysInMonth(ym.year, ym.month) : simeDay;
    return encodeDate(ym.year, ym.month, day);
}

int GetSimeMonthCount(int simeDay, double fromDate, double toDate)
{
    const YearMonth a = yearMonthOf(GetSimeDate(0, simeDay, fromDate));
    const YearMonth b = yearMonthOf(GetSimeDate(0, simeDay, toDate));
    return (b.year - a.year) * 12 + (b.month - a.month);
}

int GetKikanMonthNo(int simeDay, double yearStart, double date)
{
    const int e = GetSimeMonthCount(simeDay, yearStart, date);
    return e >= 0 && e <= 11 ? e + 1 : -1;
}

int GetPeriodNo(int simeDay, int adjust, double yearStart, double yearEnd, double date)
{
    const int yearMonths = GetSimeMonthCount(simeDay, yearStart, yearEnd);
    const int dateMonths = GetSimeMonthCount(simeDay, yearStart, date);
    const int g = dateMonths < yearMonths ? dateMonths : yearMonths;
    int a = adjust == 1 ? 1 : 0;
    if (a == 1) {
        if (yearEnd == date)
            return YearEndPeriod;
        if (g != 2 && g != 5 && g != 8 && g != 11)
            a = 0;
    }
    return columnOfDistance(g, a);
}

int DayOfDate(double date)
{
    return decodeDate(date).day;
}

std::optional<PeriodRange> PeriodRangeOfKind(int kind)
{
    if (kind >= 1 && kind <= 4)
        return QuarterPeriods(kind);
    if (kind == 5 || kind == 6)
        return HalfYearPeriods(kind - 4);
    return std::nullopt;
}

std::optional<PeriodRange> QuarterPeriods(int quarter)
{
    if (quarter < 1 || quarter > 4)
        return std::nullopt;
    return PeriodRange{quarter * 4 - 3, quarter * 4};
}

std::optional<PeriodRange> HalfYearPeriods(int half)
{
    if (half < 1 || half > 2)
        return std::nullopt;
    return PeriodRange{half * 8 - 7, half * 8};
}

int QuarterOfMonthDistance(int distance)
{
    if (distance < 0 || distance > 11)
        distance = 11;
    return distance / 3;
}

int HalfOfMonthDistance(int distance)
{
    if (distance < 0 || distance > 11)
        distance = 11;
    return distance / 6;
}

} // namespace vq
