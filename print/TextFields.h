#pragma once
// Text helpers of the engine's saved preview copies: fields of a line with a
// "//" comment, a field by number, and reals that read 0 when they are none.
#include <string>
#include <string_view>
#include <vector>

namespace vq::print {

// The line is cut at its first "//"; an empty remainder gives no field and 0.
// Otherwise the text between delimiters are the fields (empty where two meet)
// and the result is the index of the last one; at most max + 1 are stored.
int SplitFields(std::string_view line, char delimiter, std::vector<std::string>& fields, int max);
// Field n (from 0) of SplitFields with max 100, without blanks at either end;
// empty when the line has fewer fields.
std::string NthField(std::string_view line, char delimiter, int n);
// The text as a real number, 0 when it is not one.
double StrToFloatZero(std::string_view text);

} // namespace vq::print
