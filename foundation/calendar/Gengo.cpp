#include "foundation/calendar/Gengo.h"

#include <cstdio>
#include <utility>

#include "foundation/calendar/DayNumber.h"

namespace vq {

TGengoArray GengoTable;

namespace {

double dateOfText(const char* text)
{
    int y = 0, m = 0, d = 0;
    std::sscanf(text, "%d/%d/%d", &y, &m, &d);
    return encodeDate(y, m, d);
}

} // namespace

const std::vector<TGengo2Rec>& BuiltinEras()
{
    static const std::vector<TGengo2Rec> eras = {
        {"令和", "R", "2019/05/01", 2019},
        {"平成", "H", "1989/01/08", 1989},
        {"昭和", "S", "1926/12/25", 1926},
        {"大正", "T", "1912/07/30", 1912},
        {"明治", "M", "1868/09/08", 1868},
    };
    return eras;
}

TGengoArray BuiltinEraTable()
{
    TGengoArray table;
    for (const TGengo2Rec& era : BuiltinEras()) {
        const double start = dateOfText(era.startText);
        table.push_back({era.name, era.sign, start, decodeDate(start).year});
    }
    return table;
}

void LoadBuiltinEraTable()
{
    GengoTable = BuiltinEraTable();
}

void SetEraTable(TGengoArray rows)
{
    if (rows.empty())
        LoadBuiltinEraTable();
    else
        GengoTable = std::move(rows);
}

void DateToWareki(TWarekiRec& w, double date)
{
    w = TWarekiRec{};
    const CivilDate civil = decodeDate(date);
    // The era is chosen by the value rounded as the shown month and day are: a
    // time in the last half-millisecond before an era's first midnight belongs
    // to the new era, as its date does.
    const double rounded = roundToMillisecond(date);
    // Day 0 means "no date": it keeps its Western year. Every other day number
    // is a real date, those of the Meiji era before 1899-12-30 being negative.
    if (date != 0) {
        for (const TGengoRec& era : GengoTable) {
            if (era.GNAME.empty())
                break;
            w.GNAME = era.GNAME;
            w.GSIGN = era.GSIGN;
            w.Year = civil.year - era.YEAROFFSET + 1;
            if (era.STARTDATE <= rounded)
                break;
        }
    }
    if (w.GNAME.empty())
        w.Year = civil.year;
    w.Month = civil.month;
    w.Day = civil.day;
}

TWarekiRec DateToWareki(double date)
{
    TWarekiRec w;
    DateToWareki(w, date);
    return w;
}

double WarekiToDate(const TWarekiRec& w)
{
    if ((w.GNAME.empty() && w.GSIGN.empty()) || w.Year == 0)
        return 0;
    int year = 1899;
    for (const TGengoRec& era : GengoTable) {
        // An empty name or letter of the era date matches nothing: a table row
        // without a letter must not catch every era date given by name alone.
        const bool byName = !w.GNAME.empty() && era.GNAME == w.GNAME;
        const bool bySign = !w.GSIGN.empty() && era.GSIGN == w.GSIGN;
        if (byName || bySign) {
            year = era.YEAROFFSET + w.Year - 1;
            break;
        }
    }
    return tryEncodeDate(year, w.Month, w.Day).value_or(0);
}

double EraDateLowerLimit()
{
    static const double limit = encodeDate(1873, 1, 1);
    return limit;
}

bool IsBeforeEraDateLimit(double date)
{
    return date < EraDateLowerLimit();
}

std::string EraDateRangeError(int year, bool asEraDate)
{
    if (year < 1873)
        return EraDateLowerLimitMessage;
    if (asEraDate && year >= EraYearUpperLimit)
        return EraYearUpperLimitMessage;
    return {};
}

} // namespace vq
