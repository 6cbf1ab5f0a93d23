#include "foundation/text/NumberUtils.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace vq {
namespace {

constexpr long double Tolerance = 0.000001L;

long double stepScale(std::int16_t digits)
{
    return std::pow(10.0L, static_cast<long double>(digits - 1));
}

} // namespace

Currency RoundKingaku(int mode, Currency value)
{
    Currency yen = value / CurrencyScale; // toward zero
    Currency fraction = value % CurrencyScale;
    if (mode == 2) {
        if (fraction > 0)
            ++yen;
        else if (fraction < 0)
            --yen;
    } else if (mode != 0) {
        if (fraction >= CurrencyScale / 2)
            ++yen;
        else if (fraction <= -CurrencyScale / 2)
            --yen;
    }
    // The extreme ends of the range have no whole yen beyond them; stay inside.
    constexpr Currency maxYen = std::numeric_limits<Currency>::max() / CurrencyScale;
    if (yen > maxYen)
        yen = maxYen;
    if (yen < -maxYen)
        yen = -maxYen;
    return yen * CurrencyScale;
}

std::int32_t RoundInt(double x)
{
    return static_cast<std::int32_t>(std::nearbyint(x));
}

long double RoundUpDigits(std::int16_t digits, long double x)
{
    long double scale = stepScale(digits);
    long double s = x * scale;
    long double steps = 0;
    if (s > 0)
        steps = std::trunc(s - Tolerance) + 1;
    else if (s < 0)
        steps = std::trunc(s - Tolerance);
    return steps / scale;
}

long double RoundDownDigits(std::int16_t digits, long double x)
{
    long double scale = stepScale(digits);
    long double s = x * scale;
    long double steps = 0;
    if (s > 0)
        steps = std::trunc(s + Tolerance);
    else if (s < 0)
        steps = std::trunc(s + Tolerance) - 1;
    return steps / scale;
}

long double PowerOf(long double exponent, long double base)
{
    if (base == 0)
        return 0;
    if (base < 0)
        throw std::domain_error("PowerOf: negative base");
    return std::exp(exponent * std::log(base));
}

std::string FormatComma(std::int64_t n)
{
    std::string digits = std::to_string(n);
    std::size_t first = (n < 0) ? 1 : 0;
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        out += digits[i];
        if (i < first)
            continue;
        std::size_t remaining = digits.size() - i - 1;
        if (remaining > 0 && remaining % 3 == 0)
            out += ',';
    }
    return out;
}

Currency SafeStrToCurr(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);

    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';

    // Significant digits kept exactly up to a bound; beyond it only whether
    // something non-zero was dropped matters (for rounding).
    constexpr int MaxKept = 30;
    __int128 mantissa = 0;
    int kept = 0;
    long long exponent = 0; // value = mantissa * 10^exponent
    bool dropped = false;
    bool anyDigit = false;
    bool afterPoint = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        anyDigit = true;
        if (kept < MaxKept && (mantissa != 0 || c != '0')) {
            mantissa = mantissa * 10 + (c - '0');
            ++kept;
            if (afterPoint)
                --exponent;
        } else if (mantissa == 0 && c == '0') {
            if (afterPoint)
                --exponent;
        } else {
            dropped = dropped || c != '0';
            if (!afterPoint)
                ++exponent;
        }
    }
    if (!anyDigit)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            expNegative = text[i++] == '-';
        if (i >= text.size())
            return 0;
        long long e = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
            e = std::min(e * 10 + (text[i] - '0'), 100000LL);
        exponent += expNegative ? -e : e;
    }
    if (i != text.size())
        return 0;

    constexpr __int128 limit = std::numeric_limits<Currency>::max();
    long long shift = exponent + 4; // to the scale of Currency
    __int128 scaled = mantissa;
    if (mantissa == 0) {
        scaled = 0;
    } else if (shift >= 0) {
        for (long long k = 0; k < shift; ++k) {
            scaled *= 10;
            if (scaled > limit)
                return 0;
        }
    } else if (-shift > kept) {
        scaled = 0; // below a tenth of the smallest unit
    } else {
        // Divide, rounding half to even as the floating-point conversion does.
        __int128 divisor = 1;
        for (long long k = 0; k < -shift; ++k)
            divisor *= 10;
        __int128 rest = mantissa % divisor;
        scaled = mantissa / divisor;
        if (2 * rest > divisor || (2 * rest == divisor && (dropped || scaled % 2 != 0)))
            ++scaled;
    }
    if (scaled > limit)
        return 0;
    auto result = static_cast<Currency>(scaled);
    return negative ? -result : result;
}

void CombineCode(std::uint16_t& out, std::int16_t high, std::int16_t low, std::int32_t factor)
{
    std::int64_t value = static_cast<std::int64_t>(low) + static_cast<std::int64_t>(high) * factor;
    out = static_cast<std::uint16_t>(value & 0xFFFF);
}

void SetFlagBit(std::int32_t& flags, std::int32_t index)
{
    if (index < 1 || index > 24)
        return;
    flags = static_cast<std::int32_t>(static_cast<std::uint32_t>(flags) | (1u << (index - 1)));
}

std::int32_t GetFlagBit(std::uint32_t flags, std::uint8_t index)
{
    unsigned bit = static_cast<unsigned>(static_cast<int>(index) - 1) & 31u;
    return static_cast<std::int32_t>((flags >> bit) & 1u);
}

} // namespace vq
