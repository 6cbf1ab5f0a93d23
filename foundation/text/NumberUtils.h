#pragma once
// Rounding of money and decimals, number texts and bit flags.
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/accounting/Currency.h"

namespace vq {

// value rounded to whole yen by mode: 0 truncates toward zero, 2 rounds away
// from zero when any fraction of a yen remains, any other mode rounds half
// away from zero. Exact on the scaled integer.
Currency RoundKingaku(int mode, Currency value);

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4).
std::int32_t RoundInt(double x);

// x rounded toward plus (Up) or minus (Down) infinity at the step
// 10^-(digits-1) (1 whole numbers, 2 tenths, 3 hundredths); a value within
// 0.000001 of a step (in steps) counts as that step.
long double RoundUpDigits(std::int16_t digits, long double x);
long double RoundDownDigits(std::int16_t digits, long double x);

// base to the power exponent for base above 0, 0 for base 0; a negative base
// throws std::domain_error.
long double PowerOf(long double exponent, long double base);

// "#,##0": 1234567 -> "1,234,567", -1234 -> "-1,234".
std::string FormatComma(std::int64_t n);

// A money text ("1234.5", " -12 ", "1e3") as Currency; 0 when it is not one.
// The decimal separator is the Japanese locale's ".".
Currency SafeStrToCurr(std::string_view text);

inline std::int32_t BoolToInt(bool b) { return b ? 1 : 0; }
inline bool HasText(std::string_view text) { return !text.empty(); }

// out = low + high * factor, kept to 16 bits.
void CombineCode(std::uint16_t& out, std::int16_t high, std::int16_t low, std::int32_t factor);

// Sets bit index-1 for index 1..24; any other index changes nothing.
void SetFlagBit(std::int32_t& flags, std::int32_t index);
// Bit ((index - 1) and 31) of flags: 0 or 1.
std::int32_t GetFlagBit(std::uint32_t flags, std::uint8_t index);

} // namespace vq
