#pragma once
// The rules of the date and time editor, apart from its widgets: which parts
// a style shows, what the era list holds, how typed parts become one value
// (with the editor's messages for every mistake) and how a value is shown in
// the parts again. Dates are day numbers (foundation/DayNumber.h).
#include "foundation/calendar/Gengo.h"

#include <string>
#include <vector>

namespace vq::ui {

enum TVorlenExDateEditStyle {
    desYearMonthDayHMS, desYearMonthDayHM, desYearMonthDayH, desYearMonthDay, desYearMonth, desYear,
    desHourMinuteSecond, desHourMinute, desHour
};
enum TVorlenExYeardigitSet { yddigit2, yddigit4 };
enum TVorlenExRekiSet { rsSeireki, rsWareki, rsBoth };

// The parts in display order; First stands for "the first part shown".
enum class DatePart { Era, Year, Month, Day, Ampm, Hour, Minute, Second, First };

inline constexpr const char* seirekiItem = "西暦";
inline constexpr const char* amItem = "午前";
inline constexpr const char* pmItem = "午後";

// The lowest date the editor takes (1873-01-01) and the marker one day before
// it that means "empty" for the value and "not set" for the bounds.
double dateEntryLowerLimit();
double dateEntryEmptyMarker();

struct ShownParts {
    bool era = false, year = false, month = false, day = false;
    bool ampm = false, hour = false, minute = false, second = false;
    bool dateGroup() const { return year; }
    bool timeGroup() const { return hour; }
};
ShownParts shownParts(TVorlenExDateEditStyle style, bool editGengo, bool editAmpm);

// The era list for a custom table and the bounds: from the era in force at
// maxDate to the era in force at minDate (newest first); the whole table when
// that comes out reversed. A bound counts only when more than a day after 1873.
TGengoArray effectiveEraList(const TGengoArray& table, double minDate, double maxDate);
// The system's eras (the built-in table), at most seven.
TGengoArray systemEraList();
// The era in force on date: the first era (newest first) that has begun by
// then; nullptr when the date lies before every era.
const TGengoRec* eraInForce(const TGengoArray& eras, double date);

struct DateEntryConfig {
    TVorlenExDateEditStyle style = desYearMonthDay;
    bool editGengo = true;
    bool editAmpm = false;
    TVorlenExYeardigitSet yeardigit = yddigit4;
    TVorlenExRekiSet gengo = rsWareki;
    bool canEmpty = true;
    double minDate = 0; // the empty marker (or 0) when not set
    double maxDate = 0;
    TGengoArray eras;   // the eras the combo offers, newest first
};

// The era combo's items: "西暦" first unless the calendar is era-only.
std::vector<std::string> eraItems(const DateEntryConfig& config);
// Maximum length of the year box: 4 for Western years of four digits.
int yearBoxLength(const DateEntryConfig& config);

// The texts of the parts (the era and AM/PM combos by their item text; an
// empty text is no selection).
struct DateEntryParts {
    std::string era, year, month, day, ampm, hour, minute, second;
};

struct DateEntryOutcome {
    bool ok = false;
    bool empty = false;       // the entry was empty (and taken, with canEmpty)
    double value = 0;         // the value, limited to the bounds (ok only)
    std::string message;      // the one message of a failure
    DatePart focus = DatePart::First;
};

// Checks the parts and builds the value. today is the current day number
// (years and dates of hidden parts come from it or from maxDate).
DateEntryOutcome evaluateDateEntry(const DateEntryConfig& config, const DateEntryParts& parts, double today);

// A value kept within the bounds; the empty marker is never moved.
double limitToBounds(double value, double minDate, double maxDate);
bool boundIsSet(double bound);

// The part texts that show value (only what the style shows; a date before
// 1873 leaves the date parts and a midnight time the time parts untouched,
// which is marked by dateShown/timeShown).
struct ShownValue {
    DateEntryParts parts;
    bool dateShown = false;
    bool timeShown = false;
};
ShownValue showValue(const DateEntryConfig& config, double value);

// The part of value the style keeps (date and time, the date, or the time).
double keepStyledPart(TVorlenExDateEditStyle style, double value);

} // namespace vq::ui
