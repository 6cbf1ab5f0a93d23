#pragma once
// Rounding of money to whole yen (端数処理) by the data set's rounding mode,
// and the exact quotients that tax and allocation amounts are taken from.
#include "foundation/accounting/Currency.h"

namespace vq {

// Rounding modes of the data set (TAXU_HASUU, TAXH_HASUU, SDAI_HASUU1..3):
// 0 truncates toward zero, 2 rounds away from zero when a fraction of a yen
// remains, any other value rounds half away from zero.
enum HasuuMode : int { HasuuTruncate = 0, HasuuHalfUp = 1, HasuuRoundUp = 2 };

// value rounded to a whole yen (a multiple of 10,000) by mode.
// 1.2 -> 2 and -1.2 -> -2 in mode 2; 1.5 -> 2, -1.5 -> -2, 1.4999 -> 1 otherwise.
Currency HasuuSyori(int mode, Currency value);

// amount * rate / divisor taken to 1/10,000 yen, ties to even, as Currency
// arithmetic rounds a product or quotient. rate and
// divisor are Currency-scaled (8 % = 80000, 108 % = 1080000): the tax in an
// amount including tax is TaxQuotient(amount, rate, 100 % + rate).
// A divisor of 0 throws std::domain_error; a result beyond the range of
// Currency throws std::overflow_error.
Currency TaxQuotient(Currency amount, Currency rate, Currency divisor);

} // namespace vq
