#include "foundation/data/SettingValue.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "foundation/calendar/DateText.h"

namespace vq {

namespace {

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool parseInt(std::string_view text, std::int32_t& out)
{
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Stored texts are written and read the same way whatever the process's C
// locale says (a host may switch it to the user's locale): '.' is the
// decimal separator.
bool parseDouble(std::string_view text, double& out)
{
    text = trimBlanks(text);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

std::string realToText(double d)
{
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, 15);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

} // namespace

SettingValue SettingValue::currency(Currency c)
{
    SettingValue v;
    v.kind_ = Kind::Currency;
    v.int_ = c;
    return v;
}

std::string SettingValue::asString() const
{
    switch (kind_) {
    case Kind::Empty:
        return {};
    case Kind::Text:
        return text_;
    case Kind::Boolean:
        return int_ ? "True" : "False";
    case Kind::Integer:
        return std::to_string(int_);
    case Kind::Currency:
        return CurrencyToText(int_);
    case Kind::Real:
        return realToText(real_);
    }
    return {};
}

bool SettingValue::asBool() const
{
    switch (kind_) {
    case Kind::Text: {
        if (IsTrueText(trimBlanks(text_)))
            return true;
        double d = 0;
        return parseDouble(text_, d) && d != 0;
    }
    case Kind::Real:
        return real_ != 0;
    default:
        return int_ != 0;
    }
}

std::int32_t SettingValue::asInt() const
{
    switch (kind_) {
    case Kind::Text: {
        std::int32_t i = 0;
        return parseInt(text_, i) ? i : 0;
    }
    case Kind::Currency:
        return static_cast<std::int32_t>(std::llround(static_cast<double>(int_) / CurrencyScale));
    case Kind::Real:
        return std::isfinite(real_) ? static_cast<std::int32_t>(std::llround(real_)) : 0;
    default:
        return static_cast<std::int32_t>(int_);
    }
}

Currency SettingValue::asCurrency() const
{
    switch (kind_) {
    case Kind::Text: {
        Currency c = 0;
        return TextToCurrency(text_, c) ? c : 0;
    }
    case Kind::Currency:
        return int_;
    case Kind::Real:
        return std::isfinite(real_) ? std::llround(real_ * CurrencyScale) : 0;
    default:
        return int_ * CurrencyScale;
    }
}

double SettingValue::asDouble() const
{
    switch (kind_) {
    case Kind::Text: {
        double d = 0;
        return parseDouble(text_, d) ? d : 0;
    }
    case Kind::Currency:
        return static_cast<double>(int_) / CurrencyScale;
    case Kind::Real:
        return real_;
    default:
        return static_cast<double>(int_);
    }
}

bool IsTrueText(std::string_view text)
{
    if (text.size() != 4)
        return false;
    for (std::size_t i = 0; i < 4; ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != "TRUE"[i])
            return false;
    }
    return true;
}

std::string BoolToTrueFalse(bool b)
{
    return b ? "TRUE" : "FALSE";
}

std::string CurrencyToText(Currency c)
{
    const bool negative = c < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(c) : static_cast<std::uint64_t>(c);
    std::string text = std::to_string(magnitude / CurrencyScale);
    std::uint64_t fraction = magnitude % CurrencyScale;
    if (fraction != 0) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04llu", static_cast<unsigned long long>(fraction));
        std::string decimals(digits);
        while (!decimals.empty() && decimals.back() == '0')
            decimals.pop_back();
        text += "." + decimals;
    }
    return negative ? "-" + text : text;
}

bool TextToCurrency(std::string_view text, Currency& c)
{
    text = trimBlanks(text);
    double d = 0;
    if (!parseDouble(text, d))
        return false;
    // Whole part and decimals are taken apart so that large amounts stay exact.
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view decimals = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    auto allDigits = [](std::string_view s) {
        for (char ch : s)
            if (!std::isdigit(static_cast<unsigned char>(ch)))
                return false;
        return true;
    };
    if (!allDigits(whole) || !allDigits(decimals) || (whole.empty() && decimals.empty())) {
        // Exponent forms and the like: through double.
        c = std::llround(d * CurrencyScale);
        return true;
    }
    std::int64_t value = 0;
    for (char ch : whole)
        value = value * 10 + (ch - '0');
    std::int64_t fraction = 0;
    for (std::size_t i = 0; i < 4; ++i)
        fraction = fraction * 10 + (i < decimals.size() ? decimals[i] - '0' : 0);
    value = value * CurrencyScale + fraction;
    if (decimals.size() > 4 && decimals[4] >= '5')
        ++value;
    c = negative ? -value : value;
    return true;
}

bool SettingTextOf(std::string_view typeName, const SettingValue& value, std::string& text)
{
    if (typeName == kTypeText) {
        text = value.asString();
    } else if (typeName == kTypeBool) {
        text = BoolToTrueFalse(value.asBool());
    } else if (typeName == kTypeDate) {
        const double d = value.kind() == SettingValue::Kind::Text ? SafeStrToDate(value.asString()) : value.asDouble();
        text = d == 0 ? std::string() : FormatDateTime("yyyy/mm/dd", d);
    } else if (typeName == kTypeInteger) {
        text = std::to_string(value.asInt());
    } else if (typeName == kTypeCurrency) {
        text = CurrencyToText(value.asCurrency());
    } else if (typeName == kTypeReal) {
        text = realToText(value.asDouble());
    } else if (typeName == kTypeDateTime) {
        const double d =
            value.kind() == SettingValue::Kind::Text ? StrToDateTimeFixed(value.asString()) : value.asDouble();
        text = FormatDateTime("yyyy/mm/dd hh:nn:ss", d);
    } else {
        return false;
    }
    return true;
}

SettingValue SettingValueOf(std::string_view typeName, const std::string& stored)
{
    const std::string text = stored.empty() ? std::string(" ") : stored;
    if (typeName == kTypeText)
        return SettingValue(text);
    if (typeName == kTypeBool)
        return SettingValue(IsTrueText(text));
    if (typeName == kTypeDate)
        return SettingValue(SafeStrToDate(text));
    if (typeName == kTypeInteger) {
        std::int32_t i = 0;
        return SettingValue(parseInt(text, i) ? i : 0);
    }
    if (typeName == kTypeCurrency) {
        Currency c = 0;
        return SettingValue::currency(TextToCurrency(text, c) ? c : 0);
    }
    if (typeName == kTypeReal) {
        double d = 0;
        return SettingValue(parseDouble(text, d) ? d : 0.0);
    }
    if (typeName == kTypeDateTime)
        return SettingValue(StrToDateTimeFixed(text));
    return SettingValue(std::string(kDataTypeError));
}

} // namespace vq
