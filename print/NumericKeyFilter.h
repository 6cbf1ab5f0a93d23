#pragma once
// Which keys a number field of the print dialogs takes: the key when the
// mode's rules admit it, else 0 (the key is dropped). Backspace is 8.
//   0 digits; "0" refused when the text reads as 0
//   1 digits and backspace; "0" as mode 0
//   2 digits, backspace and "."
//   3 digits, backspace and "-" (the margin dialog)
//   4 digits, backspace, "-" and "."
// "-" only starts an empty or wholly selected text, "." comes once and never
// first, and no second leading zero is typed unless the text is selected.
#include <string>

namespace vq::print {

char32_t NumericKeyFilter(const std::string& text, char32_t key, int mode, bool allSelected);

} // namespace vq::print
