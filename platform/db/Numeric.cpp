#include "platform/db/Numeric.h"

#include <cstdlib>

#include "platform/db/DbError.h"

namespace vq::db {

namespace {

std::int64_t pow10(int n)
{
    std::int64_t p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

} // namespace

Numeric Numeric::rescaled(int decimals) const
{
    if (decimals < 0 || decimals > 18)
        throw DbError("numeric scale out of range: " + std::to_string(decimals));
    if (decimals == scale)
        return *this;
    if (decimals > scale) {
        const std::int64_t factor = pow10(decimals - scale);
        std::int64_t out = 0;
        if (__builtin_mul_overflow(value, factor, &out))
            throw DbError("numeric overflow rescaling " + toString());
        return {out, decimals};
    }
    const int drop = scale - decimals;
    if (drop > 18)   // every digit falls away
        return {0, decimals};
    const std::int64_t factor = pow10(drop);
    std::int64_t q = value / factor;
    const std::int64_t r = value % factor;
    // Half away from zero, compared without overflow.
    if (std::llabs(r) >= factor - std::llabs(r))
        q += value < 0 ? -1 : 1;
    return {q, decimals};
}

double Numeric::toDouble() const
{
    return static_cast<double>(value) / static_cast<double>(pow10(scale));
}

std::string Numeric::toString() const
{
    const bool negative = value < 0;
    // Unsigned magnitude so that INT64_MIN prints correctly.
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    std::string digits = std::to_string(magnitude);
    if (scale > 0) {
        if (digits.size() <= static_cast<std::size_t>(scale))
            digits.insert(0, static_cast<std::size_t>(scale) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(scale), ".");
    }
    return negative ? "-" + digits : digits;
}

bool operator==(const Numeric& a, const Numeric& b)
{
    if (a.scale == b.scale)
        return a.value == b.value;
    const Numeric& finer = a.scale > b.scale ? a : b;
    const Numeric& coarser = a.scale > b.scale ? b : a;
    std::int64_t widened = 0;
    const std::int64_t factor = pow10(finer.scale - coarser.scale);
    if (__builtin_mul_overflow(coarser.value, factor, &widened))
        return false;
    return widened == finer.value;
}

} // namespace vq::db
