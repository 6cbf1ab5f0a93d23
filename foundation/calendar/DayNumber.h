#pragma once
// Day numbers: the date representation of every record and database value.
// A day number is a double; the whole part counts days since 1899-12-30
// (day 0, which also means "no date"), the fraction is the time of day.
// Before day 0 the whole part is negative and the fraction still counts
// forward from midnight of that day (-1.25 is 1899-12-29 06:00).
// The proleptic Gregorian calendar holds for every year 1..9999.
#include <cstdint>
#include <optional>

namespace vq {

struct CivilDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

struct CivilDateTime {
    CivilDate date;
    TimeOfDay time;
    friend bool operator==(const CivilDateTime&, const CivilDateTime&) = default;
};

bool isLeapYear(int year);
// 0 for a month outside 1..12.
int daysInMonth(int year, int month);
bool isValidDate(int year, int month, int day);
bool isValidTime(int hour, int minute, int second, int millisecond = 0);

// nullopt for an impossible date or time.
std::optional<double> tryEncodeDate(int year, int month, int day);
std::optional<double> tryEncodeTime(int hour, int minute, int second, int millisecond = 0);
// Throw std::invalid_argument for an impossible date or time.
double encodeDate(int year, int month, int day);
double encodeTime(int hour, int minute, int second, int millisecond = 0);
// Date plus time of day (sign-aware for days before day 0).
double encodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond = 0);
double combineDateTime(double date, double time);

// The calendar day of a day number (its whole part); day 0 decodes to 1899-12-30.
CivilDate decodeDate(double dayNumber);
// The time of day of a day number, rounded to the millisecond.
TimeOfDay decodeTime(double dayNumber);
CivilDateTime decodeDateTime(double dayNumber);
// The day number rounded to the millisecond: the value decodeDateTime shows.
// Compare this, not the raw value, with a day boundary (an era's first day)
// when the date shown must agree with the comparison.
double roundToMillisecond(double dayNumber);

// The whole part (midnight of the day) and the time part (0 <= t < 1).
double dateOf(double dayNumber);
double timeOf(double dayNumber);

// 1 = Sunday .. 7 = Saturday.
int dayOfWeek(double dayNumber);

// The same day `months` months later (earlier when negative), moved back to
// the month's last day when that month is shorter; the time part is kept.
double incMonth(double dayNumber, int months);

} // namespace vq
