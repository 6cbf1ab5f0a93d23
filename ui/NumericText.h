#pragma once
// The text rules of the numeric edit: which characters a numeric style
// takes, which texts it may hold, reading a text with thousands separators as
// an amount, and the display pictures ("#,##0") the edit formats with. The
// edit itself works on the text of an amount only, never on a floating-point
// value, so no digit is ever lost or made up.
#include <QString>

namespace vq::ui {

enum TEditStyle { esNone, esNumeric, esFloat, esNumericMinus, esFloatMinus };

// ch when the style allows it, else 0. Backspace, Tab and Esc pass every
// numeric style; digits too; "." the float styles; "-" the minus styles.
QChar FilterChar(QChar ch, TEditStyle style);
// Whether an edit of style with the limit maxDigits (0: none) may hold text:
// for the numeric styles, once "," is removed, at most maxDigits characters
// of digits, a "-" at the start (minus styles) and one "." (float styles),
// a number still being typed ("", "-") included; for esNone the limit only.
// Every way text enters the edit is held to this one rule.
bool AmountTextAllowed(const QString& text, TEditStyle style, int maxDigits);
// The text without "," as an amount (four decimals kept); 0 when it is no number.
double TextToCurr(const QString& text);
bool HasNonZeroValue(const QString& text);
// Empty, or already holding a decimal point.
bool EmptyOrHasPoint(const QString& text);
// Non-overlapping occurrences of sub in text.
int CountOf(const QString& text, const QString& sub);
// An amount as plain text: no separators, no trailing zero decimals ("-1234.5").
QString CurrToStr(double value);
// The amount of text with the other sign, as plain text ("1,234" gives
// "-1234"); a zero stays unsigned, a text that is no number is returned as it is.
QString NegatedAmountText(const QString& amount);
// value formatted by a picture of the FormatFloat kind: "0" a digit always
// shown, "#" a digit shown when significant, "," anywhere in the integer part
// groups thousands, "." the decimal point; other characters are copied. Up to
// three sections "positive;negative;zero" (the negative section prints no sign
// of its own).
QString FormatFloat(const QString& picture, double value);
// The same for an amount given as text (separators allowed), digit for
// digit however long it is; a text that is no number is formatted as 0.
QString FormatAmountText(const QString& picture, const QString& amount);

} // namespace vq::ui
