#pragma once
// The value of a typed setting kept as text in a database (ACCREG,
// MSD_HOUKOKU, SYSREG) and the text forms of the seven type names:
//   "文字" text, "論理" Boolean ("TRUE"/"FALSE"), "日付" date "yyyy/mm/dd",
//   "整数" 32-bit integer, "金額" Currency, "実数" double (15 significant
//   digits), "日時" date and time "yyyy/mm/dd hh:nn:ss".
// A text that does not convert reads as the type's zero; nothing raises.
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/accounting/Currency.h"

namespace vq {

inline constexpr std::string_view kTypeText = "文字";
inline constexpr std::string_view kTypeBool = "論理";
inline constexpr std::string_view kTypeDate = "日付";
inline constexpr std::string_view kTypeInteger = "整数";
inline constexpr std::string_view kTypeCurrency = "金額";
inline constexpr std::string_view kTypeReal = "実数";
inline constexpr std::string_view kTypeDateTime = "日時";
// What a read with a type name outside the seven gives.
inline constexpr std::string_view kDataTypeError = "Data Type Error";

class SettingValue {
public:
    enum class Kind { Empty, Text, Boolean, Integer, Currency, Real };

    SettingValue() = default;
    SettingValue(std::string text) : kind_(Kind::Text), text_(std::move(text)) {}
    SettingValue(const char* text) : kind_(Kind::Text), text_(text) {}
    SettingValue(bool b) : kind_(Kind::Boolean), int_(b ? 1 : 0) {}
    SettingValue(std::int32_t i) : kind_(Kind::Integer), int_(i) {}
    // Dates and date-times are day numbers and travel as Real.
    SettingValue(double d) : kind_(Kind::Real), real_(d) {}
    static SettingValue currency(Currency c);

    Kind kind() const { return kind_; }
    bool empty() const { return kind_ == Kind::Empty; }

    // Conversions between the kinds, as a variant converts: a text is parsed
    // (0 / false when it is no number), numbers become decimal text.
    std::string asString() const;
    bool asBool() const;
    std::int32_t asInt() const;
    Currency asCurrency() const;
    double asDouble() const;

    friend bool operator==(const SettingValue&, const SettingValue&) = default;

private:
    Kind kind_ = Kind::Empty;
    std::string text_;
    std::int64_t int_ = 0;   // Boolean, Integer, Currency (scaled by 10,000)
    double real_ = 0;
};

// True when the upper-cased text is "TRUE".
bool IsTrueText(std::string_view text);
// "TRUE" or "FALSE".
std::string BoolToTrueFalse(bool b);

// The written form of value under typeName; false (text untouched) for a
// type name outside the seven.
bool SettingTextOf(std::string_view typeName, const SettingValue& value, std::string& text);
// The value of a stored text under typeName. An empty text reads as " "
// first. A type name outside the seven gives the text "Data Type Error".
SettingValue SettingValueOf(std::string_view typeName, const std::string& stored);

// Currency as decimal text without grouping and without trailing zero decimals.
std::string CurrencyToText(Currency c);
// Decimal text (up to four decimals, more are rounded) as Currency; false when it is no number.
bool TextToCurrency(std::string_view text, Currency& c);

} // namespace vq
