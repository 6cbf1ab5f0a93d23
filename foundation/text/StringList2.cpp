#include "foundation/text/StringList2.h"

namespace vq {
namespace {

// UTF-8 never uses bytes below 0x80 inside a multi-byte character, so a byte
// walk meets delimiters, quotes and blanks only where they really stand.
bool isControl(char c)
{
    auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 31;
}

bool isSkipped(char c, bool keepBlanks)
{
    return isControl(c) || (!keepBlanks && c == ' ');
}

bool endsField(char c, char delimiter, bool keepBlanks)
{
    auto b = static_cast<unsigned char>(c);
    return c == delimiter || (keepBlanks ? b < 32 : b <= 32);
}

// The quoted field that starts at text[pos] (a quote); pos ends after the
// closing quote, or at the end of the text when there is none.
std::string quotedField(std::string_view text, std::size_t& pos, char quote)
{
    std::string field;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == quote) {
            if (pos + 1 < text.size() && text[pos + 1] == quote) {
                field += quote;
                pos += 2;
                continue;
            }
            ++pos;
            return field;
        }
        field += text[pos++];
    }
    return field;
}

std::string trimmed(const std::string& s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return s.substr(b, e - b);
}

std::vector<std::string> parse(std::string_view text, char delimiter, char quote, bool keepBlanks, bool trim)
{
    // A zero byte ends the text, as it ends a zero-terminated one.
    if (auto zero = text.find('\0'); zero != std::string_view::npos)
        text = text.substr(0, zero);
    std::vector<std::string> fields;
    std::size_t pos = 0;
    auto skip = [&] {
        while (pos < text.size() && isSkipped(text[pos], keepBlanks))
            ++pos;
    };
    skip();
    while (pos < text.size()) {
        std::string field;
        if (text[pos] == quote) {
            field = quotedField(text, pos, quote);
        } else {
            std::size_t start = pos;
            while (pos < text.size() && !endsField(text[pos], delimiter, keepBlanks))
                ++pos;
            field = std::string(text.substr(start, pos - start));
        }
        fields.push_back(trim ? trimmed(field) : field);
        skip();
        if (pos < text.size() && text[pos] == delimiter) {
            if (pos + 1 == text.size())
                fields.emplace_back();
            ++pos;
            skip();
        }
    }
    return fields;
}

} // namespace

std::vector<std::string> ParseDelimitedText(std::string_view text, char delimiter, char quote)
{
    return parse(text, delimiter, quote, false, false);
}

std::vector<std::string> ParseDelimitedTextKeepingBlanks(std::string_view text, char delimiter, char quote, bool trim)
{
    return parse(text, delimiter, quote, true, trim);
}

void TStringList2::SetCommaText2(std::string_view text)
{
    Delimiter = ',';
    QuoteChar = '"';
    SetDelimitedText2(text);
}

void TStringList2::SetDelimitedText2(std::string_view text)
{
    Strings = ParseDelimitedTextKeepingBlanks(text, Delimiter, QuoteChar, TrimFields == 1);
}

} // namespace vq
