#pragma once
// A delimited-text parser that, unlike the ordinary rule, keeps blanks inside
// fields (only control characters end a field besides the delimiter) and can
// trim each field.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vq {

class TStringList2 {
public:
    char Delimiter = ',';
    char QuoteChar = '"';
    std::uint8_t TrimFields = 0; // 1 trims controls and blanks at both ends of each field

    std::vector<std::string> Strings;

    // Delimiter "," and quote '"', then SetDelimitedText2(text).
    void SetCommaText2(std::string_view text);
    // Replaces the lines with the fields of text.
    void SetDelimitedText2(std::string_view text);

    int Count() const { return static_cast<int>(Strings.size()); }
};

// Fields of text by the ordinary rule of a string list: blanks and control
// characters separate fields as the delimiter does. Quoted fields lose their
// quotes, a doubled quote inside stands for one; a quoted field without its
// closing quote runs to the end of the text.
std::vector<std::string> ParseDelimitedText(std::string_view text, char delimiter, char quote);
// The same walk with the blank-keeping rule (see TStringList2).
std::vector<std::string> ParseDelimitedTextKeepingBlanks(std::string_view text, char delimiter, char quote, bool trim);

} // namespace vq
