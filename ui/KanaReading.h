#pragma once
// The reading an operator types through the input method is kept as typed
// (hiragana, or letters while the input method is off) and handed out as
// half-width katakana, the form the name-reading fields store.
#include <string>
#include <string_view>

namespace vq::ui {

// Hiragana become katakana; everything else is unchanged (UTF-8 in and out).
std::string toKatakana(std::string_view utf8);

// Full-width katakana, letters, digits, signs and the full-width blank become
// their half-width forms (a voiced katakana becomes two characters).
std::string toHalfWidth(std::string_view utf8);

} // namespace vq::ui
