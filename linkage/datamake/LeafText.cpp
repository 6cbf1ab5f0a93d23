#include "linkage/datamake/LeafText.h"

#include <cstdio>
#include <optional>

#include "foundation/calendar/DayNumber.h"
#include "foundation/calendar/Gengo.h"
#include "foundation/text/TextUtils.h"

namespace vq::linkage {

namespace {

// |value| / 10^decimals rounded half away from zero, as an unsigned magnitude
// (the negative end of the range has no positive counterpart).
std::uint64_t roundedMagnitude(Currency value, std::uint64_t unit)
{
    const std::uint64_t magnitude =
        value < 0 ? std::uint64_t(0) - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return magnitude / unit + (magnitude % unit >= unit / 2 ? 1 : 0);
}

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlankOrControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

// A whole number written in ASCII digits, blanks around it allowed.
std::optional<int> parseNumber(std::string_view text)
{
    text = trimBlanks(text);
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The first character of UTF-8 text (its bytes).
std::string_view firstCharacter(std::string_view text)
{
    if (text.empty())
        return text;
    const auto lead = static_cast<unsigned char>(text.front());
    std::size_t length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    return text.substr(0, std::min(length, text.size()));
}

// Characters 2 and 3 of UTF-8 text, after its first character.
std::string_view yearDigits(std::string_view yearText)
{
    const std::string_view rest = yearText.substr(firstCharacter(yearText).size());
    std::size_t end = 0;
    for (int n = 0; n < 2 && end < rest.size(); ++n)
        end += firstCharacter(rest.substr(end)).size();
    return rest.substr(0, end);
}

// The era letter as the table holds it, or empty when no era has it.
std::string knownEraLetter(std::string_view letter)
{
    std::string sign(letter);
    if (sign.size() == 1 && sign[0] >= 'a' && sign[0] <= 'z')
        sign[0] = static_cast<char>(sign[0] - 'a' + 'A');
    for (const TGengoRec& era : GengoTable)
        if (!era.GSIGN.empty() && era.GSIGN == sign)
            return sign;
    return {};
}

} // namespace

std::string AmountText(Currency amount)
{
    const std::uint64_t yen = roundedMagnitude(amount, static_cast<std::uint64_t>(CurrencyScale));
    if (yen == 0)
        return {};
    return (amount < 0 ? "-" : "") + std::to_string(yen);
}

std::string IntOrEmptyText(std::int32_t value)
{
    return value == 0 ? std::string() : std::to_string(value);
}

std::string DateToYyyymm(double date)
{
    if (!(date > 0))
        return {};
    const CivilDate d = decodeDate(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d", d.year, d.month);
    return text;
}

std::string AreaText(Currency area)
{
    const std::uint64_t hundredths = roundedMagnitude(area, static_cast<std::uint64_t>(CurrencyScale / 100));
    const bool negative = area < 0 && hundredths != 0;
    char text[40];
    std::snprintf(text, sizeof text, "%s%llu.%02llu", negative ? "-" : "",
                  static_cast<unsigned long long>(hundredths / 100), static_cast<unsigned long long>(hundredths % 100));
    std::string result(text);
    if (result.size() < 6)
        result.insert(0, 6 - result.size(), ' ');
    return result;
}

std::string KuriireRituText(std::int32_t gyoushuKubun)
{
    return gyoushuKubun == 1 ? "2" : "1";
}

std::string AoiroSentakuText(std::int32_t koujoKubun)
{
    switch (koujoKubun) {
    case 0: return "3";
    case 1: return "2";
    case 2: return "1";
    default: return "0";
    }
}

std::string CutNameText(std::string_view text, int width)
{
    return std::string(trimBlanks(PadRightSjis(text, width)));
}

std::string WarekiTextToYyyymmdd(std::string_view yearText, std::string_view monthText, std::string_view dayText)
{
    if (yearText.empty() || monthText.empty() || dayText.empty())
        return {};
    // Only the letter names the era: an era name left in the record would
    // win over the letter and date every text in the era of some other day.
    TWarekiRec wareki;
    wareki.GSIGN = knownEraLetter(firstCharacter(yearText));
    const std::optional<int> year = parseNumber(yearDigits(yearText));
    const std::optional<int> month = parseNumber(monthText);
    const std::optional<int> day = parseNumber(dayText);
    if (wareki.GSIGN.empty() || !year || !month || !day || *year < 1)
        return {};
    wareki.Year = *year;
    wareki.Month = *month;
    wareki.Day = *day;
    const double date = WarekiToDate(wareki);
    if (date == 0)
        return {};
    const CivilDate d = decodeDate(date);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", d.year, d.month, d.day);
    return text;
}

} // namespace vq::linkage
