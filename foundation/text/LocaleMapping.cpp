#include "foundation/text/LocaleMapping.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vq {
namespace {

using Codes = std::vector<char32_t>;

// Half-width katakana U+FF61..U+FF9F and their full-width forms.
constexpr char32_t HalfKanaFirst = 0xFF61;
constexpr std::array<char32_t, 63> FullOfHalfKana = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

constexpr char32_t HalfVoiced = 0xFF9E;     // ﾞ
constexpr char32_t HalfSemiVoiced = 0xFF9F; // ﾟ
constexpr char32_t IdeographicSpace = 0x3000;

// Katakana that take the voiced mark: the voiced form is the next code
// (カ -> ガ ... ト -> ド, ハ -> バ ...); ウ -> ヴ is the odd one out.
bool takesVoicedMark(char32_t k)
{
    static constexpr std::array<char32_t, 20> bases = {
        0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,  // カキクケコ
        0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD,  // サシスセソ
        0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8,  // タチツテト
        0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB}; // ハヒフヘホ
    for (char32_t b : bases)
        if (b == k)
            return true;
    return false;
}

bool takesSemiVoicedMark(char32_t k)
{
    return k == 0x30CF || k == 0x30D2 || k == 0x30D5 || k == 0x30D8 || k == 0x30DB;
}

Codes decode(std::string_view s)
{
    Codes out;
    for (std::size_t i = 0; i < s.size();) {
        auto b = static_cast<unsigned char>(s[i]);
        std::size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        if (i + n > s.size())
            n = 1;
        char32_t c = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
        for (std::size_t k = 1; k < n; ++k)
            c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        out.push_back(c);
        i += n;
    }
    return out;
}

std::string encode(const Codes& codes)
{
    std::string out;
    for (char32_t c : codes) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

Codes toFullWidth(const Codes& in)
{
    Codes out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        char32_t c = in[i];
        if (c == 0x20) {
            out.push_back(IdeographicSpace);
        } else if (c >= 0x21 && c <= 0x7E) {
            out.push_back(c - 0x21 + 0xFF01);
        } else if (c >= HalfKanaFirst && c <= HalfSemiVoiced) {
            char32_t full = FullOfHalfKana[c - HalfKanaFirst];
            char32_t next = i + 1 < in.size() ? in[i + 1] : 0;
            if (next == HalfVoiced && full == 0x30A6) {
                full = 0x30F4; // ｳﾞ -> ヴ
                ++i;
            } else if (next == HalfVoiced && takesVoicedMark(full)) {
                full += 1;
                ++i;
            } else if (next == HalfSemiVoiced && takesSemiVoicedMark(full)) {
                full += 2;
                ++i;
            }
            out.push_back(full);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

Codes toHalfWidth(const Codes& in)
{
    Codes out;
    for (char32_t c : in) {
        if (c == IdeographicSpace) {
            out.push_back(0x20);
            continue;
        }
        if (c >= 0xFF01 && c <= 0xFF5E) {
            out.push_back(c - 0xFF01 + 0x21);
            continue;
        }
        char32_t base = 0;
        char32_t mark = 0;
        if (c == 0x30F4) {
            base = 0x30A6;
            mark = HalfVoiced;
        } else if (takesVoicedMark(c - 1)) {
            base = c - 1;
            mark = HalfVoiced;
        } else if (takesSemiVoicedMark(c - 2)) {
            base = c - 2;
            mark = HalfSemiVoiced;
        } else {
            base = c;
        }
        bool mapped = false;
        for (std::size_t k = 0; k < FullOfHalfKana.size(); ++k) {
            if (FullOfHalfKana[k] == base) {
                out.push_back(HalfKanaFirst + static_cast<char32_t>(k));
                if (mark)
                    out.push_back(mark);
                mapped = true;
                break;
            }
        }
        if (!mapped)
            out.push_back(c);
    }
    return out;
}

void toKatakana(Codes& codes)
{
    for (char32_t& c : codes) {
        if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E)
            c += 0x60;
    }
}

void toHiragana(Codes& codes)
{
    for (char32_t& c : codes) {
        if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE)
            c -= 0x60;
    }
}

void toUpper(Codes& codes)
{
    for (char32_t& c : codes) {
        if ((c >= 'a' && c <= 'z') || (c >= 0xFF41 && c <= 0xFF5A))
            c -= 0x20;
    }
}

void toLower(Codes& codes)
{
    for (char32_t& c : codes) {
        if ((c >= 'A' && c <= 'Z') || (c >= 0xFF21 && c <= 0xFF3A))
            c += 0x20;
    }
}

bool both(int flags, int a, int b)
{
    return (flags & a) && (flags & b);
}

} // namespace

std::string LCMapStringUser(int flags, std::string_view text)
{
    if (both(flags, LCMAP_FULLWIDTH, LCMAP_HALFWIDTH) || both(flags, LCMAP_HIRAGANA, LCMAP_KATAKANA) ||
        both(flags, LCMAP_UPPERCASE, LCMAP_LOWERCASE))
        return {};
    if (auto zero = text.find('\0'); zero != std::string_view::npos)
        text = text.substr(0, zero);

    Codes codes = decode(text);
    if (flags & LCMAP_KATAKANA)
        toKatakana(codes);
    if (flags & LCMAP_FULLWIDTH)
        codes = toFullWidth(codes);
    if (flags & LCMAP_HALFWIDTH)
        codes = toHalfWidth(codes);
    if (flags & LCMAP_HIRAGANA)
        toHiragana(codes);
    if (flags & LCMAP_UPPERCASE)
        toUpper(codes);
    if (flags & LCMAP_LOWERCASE)
        toLower(codes);
    return encode(codes);
}

} // namespace vq
