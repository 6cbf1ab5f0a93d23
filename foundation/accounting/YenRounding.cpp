#include "foundation/accounting/YenRounding.h"

#include "foundation/text/NumberUtils.h"

#include <limits>
#include <stdexcept>

namespace vq {

namespace {

using Wide = __int128;

// numerator / denominator to the nearest integer, ties to even.
Wide divideHalfEven(Wide numerator, Wide denominator)
{
    if (denominator == 0)
        throw std::domain_error("division by zero in an amount");
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    Wide q = numerator / denominator; // toward zero
    Wide r = numerator % denominator; // same sign as numerator
    const Wide twice = (r < 0 ? -r : r) * 2;
    if (twice > denominator || (twice == denominator && (q % 2) != 0))
        q += numerator < 0 ? -1 : 1;
    return q;
}

} // namespace

Currency HasuuSyori(int mode, Currency value)
{
    // Tax amounts round by the same modes as money in general.
    return RoundKingaku(mode, value);
}

Currency TaxQuotient(Currency amount, Currency rate, Currency divisor)
{
    const Wide q = divideHalfEven(static_cast<Wide>(amount) * rate, divisor);
    if (q > std::numeric_limits<Currency>::max() || q < std::numeric_limits<Currency>::min())
        throw std::overflow_error("amount out of range");
    return static_cast<Currency>(q);
}

} // namespace vq
