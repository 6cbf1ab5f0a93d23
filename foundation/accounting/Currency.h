#pragma once
// Money values: signed 64-bit integers scaled by 10,000 (1 yen = 10000), the
// representation of every amount in records and database columns. Tax rates
// use the same scale for percentages (8 % = 80000).
#include <cstdint>

namespace vq {

using Currency = std::int64_t;
inline constexpr Currency CurrencyScale = 10000;

// Whole yen as Currency.
constexpr Currency YenToCurrency(std::int64_t yen) { return yen * CurrencyScale; }

} // namespace vq
