#pragma once
// Exact decimals. NUMERIC/DECIMAL columns travel as a 64-bit integer with a
// number of decimals, never as double. Money in this system is a Currency:
// int64 scaled by 10,000 (four decimals), whatever the column's own scale.
#include <cstdint>
#include <string>

namespace vq::db {

// Money: 1 yen == 10,000.
using Currency = std::int64_t;
inline constexpr int kCurrencyScale = 4;
inline constexpr Currency kCurrencyOne = 10000;

struct Numeric {
    std::int64_t value = 0; // unscaled digits
    int scale = 0;          // number of decimals (>= 0): 12345 with scale 2 is 123.45

    // Same number with `decimals` decimals; dropping decimals rounds half
    // away from zero; throws DbError on 64-bit overflow.
    Numeric rescaled(int decimals) const;
    Currency toCurrency() const { return rescaled(kCurrencyScale).value; }
    static Numeric fromCurrency(Currency c) { return {c, kCurrencyScale}; }
    // Rounded half away from zero to a whole number.
    std::int64_t toInt64() const { return rescaled(0).value; }
    double toDouble() const;
    // "-123.45" (always `scale` decimals, '.' as separator).
    std::string toString() const;

    // Exact comparison across scales (1.50 == 1.5).
    friend bool operator==(const Numeric& a, const Numeric& b);
};

} // namespace vq::db
