#pragma once
// Japanese eras (元号) and the conversions between Western dates and era dates
// (和暦).
//
// The era table in use, GengoTable, is empty at program start. The data module
// replaces it with the rows of the system database's table GENGO after it
// connects, or loads the built-in table when GENGO gives no row. Until then
// DateToWareki yields Western years without an era and WarekiToDate yields
// dates in 1899.
//
// Dates are day numbers (foundation/DayNumber.h).
#include <string>
#include <vector>

namespace vq {

// One era.
struct TGengoRec {
    std::string GNAME;      // era name, "令和"
    std::string GSIGN;      // era letter, "R"
    double STARTDATE = 0;   // first day of the era
    int YEAROFFSET = 0;     // Western year of that first day: era year 1
    friend bool operator==(const TGengoRec&, const TGengoRec&) = default;
};

// An era table, newest era first.
using TGengoArray = std::vector<TGengoRec>;

// A built-in era constant.
struct TGengo2Rec {
    const char* name;
    const char* sign;
    const char* startText;  // "yyyy/mm/dd"
    int year;
};

// An era date. Year is the year within the era, or the Western year when no
// era applies; it is 0 or below for a date before the oldest era's start.
struct TWarekiRec {
    std::string GNAME;
    std::string GSIGN;
    int Year = 0;
    int Month = 0;
    int Day = 0;
    friend bool operator==(const TWarekiRec&, const TWarekiRec&) = default;
};

// The built-in eras in table order: 令和, 平成, 昭和, 大正, 明治.
const std::vector<TGengo2Rec>& BuiltinEras();
// The built-in eras as a table (the global table is not touched).
TGengoArray BuiltinEraTable();

// The era table in use (main thread only).
extern TGengoArray GengoTable;

// GengoTable := the built-in eras.
void LoadBuiltinEraTable();
// GengoTable := rows (newest first); the built-in eras when rows is empty.
void SetEraTable(TGengoArray rows);

// The era date of date. A date of 0 or below gives the Western year alone.
// A date earlier than every era start keeps the oldest era with a year of 0
// or below.
void DateToWareki(TWarekiRec& w, double date);
TWarekiRec DateToWareki(double date);
// The date of an era date; 0 when w names no era, its year is 0, or the day
// does not exist. An era that matches no row of the table gives a date in 1899.
double WarekiToDate(const TWarekiRec& w);

// The date entry limits of the library's date editors: nothing before
// 1873-01-01 (the first day of the Gregorian calendar in Japan) is taken, and
// no date in 2999 or later is turned into an era date.
double EraDateLowerLimit();        // 1873-01-01
constexpr int EraYearUpperLimit = 2999;
// True when date (a day number) lies before 1873-01-01.
bool IsBeforeEraDateLimit(double date);
inline constexpr const char* EraDateLowerLimitMessage =
    "1873年01月01日(明治6年01月01日)より前の日付は処理できません．　　";
inline constexpr const char* EraYearUpperLimitMessage = "2999年以降は元号に変換できません．　　";
// The editors' range check of an entered date: the 1873 message for a date
// before 1873-01-01, the 2999 message for a year of 2999 or later when the date
// is to be shown as an era date; empty when the date is taken.
std::string EraDateRangeError(int year, bool asEraDate);

} // namespace vq
