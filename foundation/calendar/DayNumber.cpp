#include "foundation/calendar/DayNumber.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace vq {

namespace {

constexpr std::int64_t MsPerDay = 86'400'000;
// Days from 1970-01-01 back to day 0 (1899-12-30).
constexpr std::int64_t EpochOffset = 25'569;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

CivilDate civilFromDays(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

// A day number split into whole days and milliseconds of the day, rounded to
// the millisecond as a whole so that 23:59:59.9996 becomes the next midnight.
// The time counts forward from midnight also before day 0, so the next
// midnight is one day later there too (-1.9999999999 is 1899-12-30 00:00).
struct Stamp {
    std::int64_t days;
    std::int64_t ms;
};

Stamp stampOf(double dayNumber)
{
    const double whole = std::trunc(dayNumber);
    Stamp s{static_cast<std::int64_t>(whole),
            static_cast<std::int64_t>(std::llround(std::fabs(dayNumber - whole) * MsPerDay))};
    if (s.ms >= MsPerDay) {
        ++s.days;
        s.ms -= MsPerDay;
    }
    return s;
}

} // namespace

bool isLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int year, int month)
{
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : Days[month - 1];
}

bool isValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && day >= 1 && day <= daysInMonth(year, month);
}

bool isValidTime(int hour, int minute, int second, int millisecond)
{
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60
        && millisecond >= 0 && millisecond < 1000;
}

std::optional<double> tryEncodeDate(int year, int month, int day)
{
    if (!isValidDate(year, month, day))
        return std::nullopt;
    return static_cast<double>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day))
                               + EpochOffset);
}

std::optional<double> tryEncodeTime(int hour, int minute, int second, int millisecond)
{
    if (!isValidTime(hour, minute, second, millisecond))
        return std::nullopt;
    const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<double>(ms) / MsPerDay;
}

double encodeDate(int year, int month, int day)
{
    if (auto d = tryEncodeDate(year, month, day))
        return *d;
    throw std::invalid_argument("invalid date " + std::to_string(year) + "/" + std::to_string(month) + "/"
                                + std::to_string(day));
}

double encodeTime(int hour, int minute, int second, int millisecond)
{
    if (auto t = tryEncodeTime(hour, minute, second, millisecond))
        return *t;
    throw std::invalid_argument("invalid time " + std::to_string(hour) + ":" + std::to_string(minute) + ":"
                                + std::to_string(second) + "." + std::to_string(millisecond));
}

double combineDateTime(double date, double time)
{
    // Before day 0 the fraction counts forward from midnight, which moves the
    // value towards minus infinity.
    return date < 0 ? date - time : date + time;
}

double encodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond)
{
    return combineDateTime(encodeDate(year, month, day), encodeTime(hour, minute, second, millisecond));
}

CivilDate decodeDate(double dayNumber)
{
    return civilFromDays(stampOf(dayNumber).days - EpochOffset);
}

TimeOfDay decodeTime(double dayNumber)
{
    std::int64_t ms = stampOf(dayNumber).ms;
    TimeOfDay t;
    t.millisecond = static_cast<int>(ms % 1000);
    ms /= 1000;
    t.second = static_cast<int>(ms % 60);
    ms /= 60;
    t.minute = static_cast<int>(ms % 60);
    t.hour = static_cast<int>(ms / 60);
    return t;
}

CivilDateTime decodeDateTime(double dayNumber)
{
    return {decodeDate(dayNumber), decodeTime(dayNumber)};
}

double roundToMillisecond(double dayNumber)
{
    const Stamp s = stampOf(dayNumber);
    return combineDateTime(static_cast<double>(s.days), static_cast<double>(s.ms) / MsPerDay);
}

double dateOf(double dayNumber)
{
    return std::trunc(dayNumber);
}

double timeOf(double dayNumber)
{
    return std::fabs(dayNumber - std::trunc(dayNumber));
}

int dayOfWeek(double dayNumber)
{
    // Day 0 was a Saturday.
    const std::int64_t d = stampOf(dayNumber).days;
    return static_cast<int>(((d % 7) + 7 + 6) % 7) + 1;
}

double incMonth(double dayNumber, int months)
{
    const CivilDate c = decodeDate(dayNumber);
    std::int64_t index = static_cast<std::int64_t>(c.year) * 12 + (c.month - 1) + months;
    const int year = static_cast<int>(index / 12);
    const int month = static_cast<int>(index % 12) + 1;
    const int day = std::min(c.day, daysInMonth(year, month));
    return combineDateTime(encodeDate(year, month, day), timeOf(dayNumber));
}

} // namespace vq
