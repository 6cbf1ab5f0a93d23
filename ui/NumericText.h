#pragma once
// The text rules of the numeric edit: which characters a numeric style
// takes, reading a text with thousands separators as an amount, and the
// display pictures ("#,##0") the edit formats with.
#include <QString>

namespace vq::ui {

enum TEditStyle { esNone, esNumeric, esFloat, esNumericMinus, esFloatMinus };

// ch when the style allows it, else 0. Backspace, Tab and Esc pass every
// numeric style; digits too; "." the float styles; "-" the minus styles.
QChar FilterChar(QChar ch, TEditStyle style);
// The text without "," as an amount (four decimals kept); 0 when it is no number.
double TextToCurr(const QString& text);
bool HasNonZeroValue(const QString& text);
// Empty, or already holding a decimal point.
bool EmptyOrHasPoint(const QString& text);
// Non-overlapping occurrences of sub in text.
int CountOf(const QString& text, const QString& sub);
// An amount as plain text: no separators, no trailing zero decimals ("-1234.5").
QString CurrToStr(double value);
// value formatted by a picture of the FormatFloat kind: "0" a digit always
// shown, "#" a digit shown when significant, "," anywhere in the integer part
// groups thousands, "." the decimal point; other characters are copied. Up to
// three sections "positive;negative;zero" (the negative section prints no sign
// of its own).
QString FormatFloat(const QString& picture, double value);

} // namespace vq::ui
