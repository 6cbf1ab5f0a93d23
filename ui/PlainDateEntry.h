#pragma once
// The rules of the plain date editor (one masked field), apart from its
// widget: the edit mask and text layout of each style, where typing starts,
// the era year of a date and how far the range may reach in era mode.
// Dates are day numbers (foundation/DayNumber.h).
#include "foundation/calendar/Gengo.h"

#include <string>
#include <string_view>

namespace vq::ui {

// Styles: 0 year/month/day, 1 year/month, 2 year, 3 month/day, 4 month, 5 day.
inline constexpr int pdsYearMonthDay = 0, pdsYearMonth = 1, pdsYear = 2, pdsMonthDay = 3, pdsMonth = 4,
                     pdsDay = 5;
// Input positions: the part where typing starts.
inline constexpr int pdpYear = 0, pdpMonth = 1, pdpDay = 2;

inline constexpr const char* plainDateStyleMessage = "現在、年月日・年月スタイルの入力形式のみ対応しています。";

struct PlainDateConfig {
    int style = pdsYearMonthDay;
    bool era = false;            // era years (always two digits)
    bool twoDigitYear = false;
    bool useWarekiTable = false; // eras from table instead of the system's
    TGengoArray table;
};

// Era mode forces the two-digit year.
bool plainDateTwoDigit(const PlainDateConfig& config);
// The styles the editor takes (the others keep the style it had).
bool plainDateStyleAccepted(int style);
// The edit mask in the toolkit's notation: "0000/99/99;1; " and so on
// ('0' a digit that must be typed, '9' one that may be, the literals kept,
// blank shown as ' ').
std::string plainDateEditMask(int style, bool twoDigit);
// The same mask in Qt's input-mask notation.
std::string qtInputMask(std::string_view editMask);
// The program's short date format that goes with the year width.
std::string plainDateShortFormat(bool twoDigit);
// position moved to the nearest part the style shows.
int plainDateInputPosition(int style, int position);
// Character offset in the text where the part at position begins.
int plainDateCaretOffset(int style, bool twoDigit, int position);
// The year shown for date: the era year by the custom table (when in use
// and not empty) or the system's eras; the Western year outside every era.
int plainDateEraYear(const PlainDateConfig& config, double date);
// The editor's text of date: "%4.4d/%2.2d/%2.2d", "%2.2d/%2.2d/%2.2d" ...
std::string plainDateText(const PlainDateConfig& config, double date);
// In era mode a style without a year cannot tell years apart, so the end is
// held within a year of the start (start + 12 months - 1 day at most).
double plainDateHeldEnd(const PlainDateConfig& config, double start, double end);

} // namespace vq::ui
