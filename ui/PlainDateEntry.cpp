#include "ui/PlainDateEntry.h"

#include "foundation/calendar/DayNumber.h"
#include "ui/DateEntry.h"

#include <cstdio>

namespace vq::ui {

namespace {

bool hasYear(int style)
{
    return style == pdsYearMonthDay || style == pdsYearMonth || style == pdsYear;
}

std::string format(const char* fmt, int a, int b = 0, int c = 0)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, fmt, a, b, c);
    return buf;
}

} // namespace

bool plainDateTwoDigit(const PlainDateConfig& config)
{
    return config.era || config.twoDigitYear;
}

bool plainDateStyleAccepted(int style)
{
    return style == pdsYearMonthDay || style == pdsMonthDay;
}

std::string plainDateEditMask(int style, bool twoDigit)
{
    const std::string year = twoDigit ? "00" : "0000";
    switch (style) {
    case pdsYearMonthDay: return year + "/99/99;1; ";
    case pdsYearMonth: return year + "/99;1; ";
    case pdsYear: return year + ";1; ";
    case pdsMonthDay: return "99/99;1; ";
    default: return "99;1; ";
    }
}

std::string qtInputMask(std::string_view editMask)
{
    // The toolkit's '0' (required digit) is Qt's '9' and its '9' (optional
    // digit) Qt's '0'; the second field (literals kept) has no Qt counterpart.
    const std::size_t semi = editMask.find(';');
    const std::string_view body = editMask.substr(0, semi);
    std::string blank = " ";
    if (semi != std::string_view::npos) {
        const std::size_t second = editMask.find(';', semi + 1);
        if (second != std::string_view::npos && second + 1 < editMask.size())
            blank = std::string(editMask.substr(second + 1, 1));
    }
    std::string out;
    for (char ch : body)
        out += ch == '0' ? '9' : ch == '9' ? '0' : ch;
    return out + ";" + blank;
}

std::string plainDateShortFormat(bool twoDigit)
{
    return twoDigit ? "YY/MM/DD" : "YYYY/MM/DD";
}

int plainDateInputPosition(int style, int position)
{
    switch (style) {
    case pdsYearMonth: return position > pdpMonth ? pdpMonth : position;
    case pdsYear: return pdpYear;
    case pdsMonthDay: return position < pdpMonth ? pdpMonth : position;
    case pdsMonth: return pdpMonth;
    case pdsDay: return pdpDay;
    default: return position < pdpYear || position > pdpDay ? pdpYear : position;
    }
}

int plainDateCaretOffset(int style, bool twoDigit, int position)
{
    position = plainDateInputPosition(style, position);
    if (!hasYear(style) || position == pdpYear)
        return position == pdpDay && style == pdsMonthDay ? 3 : 0;
    const int yearWidth = twoDigit ? 3 : 5; // digits and the separator
    return yearWidth + (position == pdpDay ? 3 : 0);
}

int plainDateEraYear(const PlainDateConfig& config, double date)
{
    static const TGengoArray system = systemEraList();
    const TGengoArray& eras = config.useWarekiTable && !config.table.empty() ? config.table : system;
    const int year = decodeDate(date).year;
    const TGengoRec* era = eraInForce(eras, date);
    return era ? year - era->YEAROFFSET + 1 : year;
}

std::string plainDateText(const PlainDateConfig& config, double date)
{
    const CivilDate d = decodeDate(date);
    const bool twoDigit = plainDateTwoDigit(config);
    const int year = config.era ? plainDateEraYear(config, date) : twoDigit ? d.year % 100 : d.year;
    switch (config.style) {
    case pdsYearMonthDay: return format(twoDigit ? "%2.2d/%2.2d/%2.2d" : "%4.4d/%2.2d/%2.2d", year, d.month, d.day);
    case pdsYearMonth: return format(twoDigit ? "%2.2d/%2.2d" : "%4.4d/%2.2d", year, d.month);
    case pdsYear: return format(twoDigit ? "%2.2d" : "%4.4d", year);
    case pdsMonthDay: return format("%2.2d/%2.2d", d.month, d.day);
    case pdsMonth: return format("%2.2d", d.month);
    default: return format("%2.2d", d.day);
    }
}

double plainDateHeldEnd(const PlainDateConfig& config, double start, double end)
{
    if (!config.era || hasYear(config.style) || start <= 0 || end <= 0)
        return end;
    const double last = incMonth(start, 12) - 1;
    return end > last ? last : end;
}

} // namespace vq::ui
