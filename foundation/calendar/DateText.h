#pragma once
// Dates as texts: the fixed set of style names ("yyyy/mm/dd", "yy年m月", ...)
// in the Western calendar or as Japanese era dates, by the operator's switch
// SystemDef.EraDisplay (1 = era dates); period texts; and reading date texts
// back with the program's fixed formats, whatever the user's locale says.
//
// The program's fixed formats: date separator "/", time separator ":",
// short date "yyyy/MM/dd", long date "yyyy年MM月dd日", short time "hh:mm",
// long time "hh:mm:ss".
//
// Dates are day numbers (foundation/DayNumber.h).
#include <string>
#include <string_view>

namespace vq {

// The date formatter of the program's fixed formats. Format letters (case
// does not matter): y/yy two-digit year, yyy/yyyy four-digit year, m/mm month
// (minute right after an hour), mmm/mmmm the month as "1月", d/dd day,
// ddd/dddd weekday "日".."土", h/hh hour, n/nn minute, s/ss second, z/zzz
// millisecond, am/pm and a/p halves of the day; "/" and ":" print the fixed
// separators; text in single or double quotes is copied; everything else
// (Japanese text too) is copied as it is. An empty format gives the short date,
// followed by the time when there is one. A day outside the years 1..9999
// (or not a number) has no text: empty.
std::string FormatDateTime(std::string_view format, double date);

// Empty for date 0; style 2 "yy/mm/dd", 4 "yyyy/mm/dd", any other
// "yyyy/mm/dd hh:nn".
std::string DateToStrByStyle(int style, double date);
// A text in the short date format (year/month/day, or month/day of this year);
// 0 when it is no date.
double SafeStrToDate(std::string_view text);
// A date, a date and a time, or a time alone, in the fixed formats;
// 0 when it is none of these.
double StrToDateTimeFixed(std::string_view text);
// "%s ～ %s" of the two dates: with era display "R 06/04/01", else "2024/04/01".
std::string PeriodToText(double fromDate, double toDate);

// Era text choice (eraKind) of FormatDateSlash: 0 none (the result is trimmed),
// 1 era name, 2 era letter, 3 era letter with every blank removed from the
// result, 4 or more era name.
std::string FormatDateSlash(std::string_view format, int eraKind, double date);
// Era text choice of FormatDateKanji: 0 none (trimmed), 1 era name, 2 era
// letter, 3 or more era name.
std::string FormatDateKanji(std::string_view format, int eraKind, double date);

} // namespace vq
