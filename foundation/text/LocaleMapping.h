#pragma once
// The Japanese locale's string mapping (katakana and hiragana, half and full
// width, letter case) done with tables of our own, so that searches that
// compare names through it give the same answers on every machine.
#include <string>
#include <string_view>

namespace vq {

// Flag values as the Windows locale mapping numbers them, so that callers and
// stored settings keep their meaning.
enum LCMapFlags : int {
    LCMAP_LOWERCASE = 0x00000100,
    LCMAP_UPPERCASE = 0x00000200,
    LCMAP_HIRAGANA = 0x00100000,
    LCMAP_KATAKANA = 0x00200000,
    LCMAP_HALFWIDTH = 0x00400000,
    LCMAP_FULLWIDTH = 0x00800000,
};

// text mapped by flags (any combination of the above):
// - LCMAP_FULLWIDTH: ASCII to full width, the blank to "　", half-width
//   katakana to full width with a following voiced mark joined (ｶﾞ -> ガ);
// - LCMAP_HALFWIDTH: the reverse (ガ -> ｶﾞ); characters without a half-width
//   form (hiragana, ヰ, ヶ ...) stay;
// - LCMAP_KATAKANA / LCMAP_HIRAGANA: hiragana to katakana and back;
// - LCMAP_UPPERCASE / LCMAP_LOWERCASE: ASCII and full-width Latin letters.
// Contradictory flags (full and half width, both kana, both cases) give an
// empty text, as the system refuses them. The result ends before a zero byte.
std::string LCMapStringUser(int flags, std::string_view text);

} // namespace vq
