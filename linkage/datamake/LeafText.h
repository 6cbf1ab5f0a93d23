#pragma once
// How a statement value becomes the text of one element of the linkage file.
// The importing application reads whole yen without separators and takes an
// empty element for nothing, so every conversion here gives empty text for
// zero, for no date and for a value it cannot read, and never fails.
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/accounting/Currency.h"

namespace vq::linkage {

// Whole yen, halves rounded away from zero, a leading "-" when negative, no
// separators; an amount that rounds to zero gives empty text.
std::string AmountText(Currency amount);

// Decimal digits of a count (age, months, days); zero gives empty text.
std::string IntOrEmptyText(std::int32_t value);

// "yyyymm" of a date after day 0; empty text otherwise.
std::string DateToYyyymm(double date);

// The area of a rented property as "%6.2f" would print it: two decimals
// rounded half away from zero, right-aligned to at least six characters.
std::string AreaText(Currency area);

// The bulk bad-debt rate choice: the financial-business rate (1) is "2",
// anything else "1".
std::string KuriireRituText(std::int32_t gyoushuKubun);

// The blue-return deduction case: 0 -> "3", 1 -> "2", 2 -> "1", else "0".
std::string AoiroSentakuText(std::int32_t koujoKubun);

// A statement line's name or a note as a field of width CP932 bytes (a
// double-byte character cut in half becomes a blank), then trimmed of
// blanks and control characters at both ends.
std::string CutNameText(std::string_view text, int width);

// An acquisition date kept as three texts: the era letter followed by the
// year in the era ("H20"), the month and the day. The era is chosen by its
// letter alone from the era table in use; an empty text, a text that is not a
// number, an unknown letter or a day that does not exist gives empty text.
// Otherwise "yyyymmdd".
std::string WarekiTextToYyyymmdd(std::string_view yearText, std::string_view monthText,
                                 std::string_view dayText);

} // namespace vq::linkage
