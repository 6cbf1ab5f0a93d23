#include "platform/Cp932.h"

#include "TempDir.h"

#include <gtest/gtest.h>

namespace cp932 = vq::platform::cp932;

namespace {

struct Mapping {
    const char* utf8;
    const char* bytes;
};

// Characters whose CP932 form differs from plain Shift_JIS or that are easy to
// get wrong; each must go both ways unchanged.
const Mapping roundTrips[] = {
    {"\\", "\x5C"},            // ASCII backslash stays 0x5C (never the yen sign)
    {"~", "\x7E"},
    {"～", "\x81\x60"},        // U+FF5E FULLWIDTH TILDE
    {"＼", "\x81\x5F"},        // U+FF3C
    {"－", "\x81\x7C"},        // U+FF0D
    {"￢", "\x81\xCA"},         // U+FFE2 FULLWIDTH NOT SIGN
    {"∥", "\x81\x61"},         // U+2225
    {"①", "\x87\x40"},
    {"Ⅰ", "\x87\x54"},
    {"㈱", "\x87\x8A"},
    {"ｱ", "\xB1"},             // half-width katakana: one byte
    {"ﾟ", "\xDF"},
    {"｡", "\xA1"},
    {"　", "\x81\x40"},        // U+3000
    {"あ", "\x82\xA0"},
    {"表", "\x95\x5C"},        // trail byte 0x5C
    {"ソ", "\x83\x5C"},
    {"髙", "\xFB\xFC"},        // IBM extension
};

TEST(Cp932, RoundTripsTrickyCharacters)
{
    for (const auto& m : roundTrips) {
        SCOPED_TRACE(m.utf8);
        EXPECT_EQ(cp932::fromUtf8(m.utf8, true), m.bytes);
        EXPECT_EQ(cp932::toUtf8(m.bytes, true), m.utf8);
        EXPECT_EQ(cp932::byteLength(m.utf8), std::string(m.bytes).size());
    }
}

TEST(Cp932, OneWayBestFitsAndUnmappable)
{
    // Characters Windows folds onto a CP932 code that decodes to another one.
    EXPECT_EQ(cp932::fromUtf8("〜"), "\x81\x60"); // U+301C WAVE DASH
    EXPECT_EQ(cp932::fromUtf8("−"), "\x81\x7C");  // U+2212 MINUS SIGN
    EXPECT_EQ(cp932::fromUtf8("¬"), "\x81\xCA");  // U+00AC NOT SIGN
    EXPECT_EQ(cp932::fromUtf8("¥"), "\x5C");       // U+00A5, and 0x5C comes back as '\'
    EXPECT_EQ(cp932::toUtf8("\x5C"), "\\");

    EXPECT_EQ(cp932::fromUtf8("a😀b€c"), "a?b?c");
    EXPECT_THROW(cp932::fromUtf8("a😀", true), cp932::EncodingError);
    EXPECT_EQ(cp932::fromUtf8("a\xFF" "b"), "a?b"); // broken UTF-8 input
    EXPECT_EQ(cp932::byteLength("a😀"), 2u);

    EXPECT_EQ(cp932::toUtf8("a\x85\x40" "b"), "a\xEF\xBF\xBD@b"); // a lead byte of an empty row
    EXPECT_EQ(cp932::toUtf8("a\x82"), "a\xEF\xBF\xBD"); // lead byte at the end
    EXPECT_THROW(cp932::toUtf8("\x82", true), cp932::EncodingError);
}

// The single bytes the Windows table gives characters of their own; both
// ways, strict or not.
TEST(Cp932, EdgeBytesAreTheWindowsCharacters)
{
    const Mapping edges[] = {
        {"\u0080", "\x80"},
        {"\uF8F0", "\xA0"},
        {"\uF8F1", "\xFD"},
        {"\uF8F2", "\xFE"},
        {"\uF8F3", "\xFF"},
    };
    for (const auto& m : edges) {
        SCOPED_TRACE(m.bytes);
        EXPECT_EQ(cp932::toUtf8(m.bytes, true), m.utf8);
        EXPECT_EQ(cp932::fromUtf8(m.utf8, true), m.bytes);
        EXPECT_EQ(cp932::byteLength(m.utf8), 1u);
    }
    const std::string all = "a\x80\xA0\x82\xA0\xFD\xFE\xFF" "b";
    EXPECT_EQ(cp932::toUtf8(all), "a\u0080\uF8F0あ\uF8F1\uF8F2\uF8F3b");
    EXPECT_EQ(cp932::fromUtf8(cp932::toUtf8(all)), all);
}

// Tag characters have no CP932 form: like any such character they become '?'
// (or an error when strict), and the byte helpers count what the encoder writes.
TEST(Cp932, TagCharactersAreUnmappableAndCountedAsWritten)
{
    const std::string tagged = "a\U000E0041\U000E007Fb"; // TAG LATIN CAPITAL LETTER A, CANCEL TAG
    EXPECT_EQ(cp932::fromUtf8(tagged), "a??b");
    EXPECT_THROW(cp932::fromUtf8(tagged, true), cp932::EncodingError);
    EXPECT_EQ(cp932::byteLength(tagged), cp932::fromUtf8(tagged).size());
    const std::string field = cp932::padRight("ｱ\U000E0041", 6);
    EXPECT_EQ(cp932::fromUtf8(field).size(), 6u);
    EXPECT_EQ(cp932::byteLength(field), 6u);
}

TEST(Cp932, LeadBytes)
{
    EXPECT_TRUE(cp932::isLeadByte(0x81));
    EXPECT_TRUE(cp932::isLeadByte(0x9F));
    EXPECT_TRUE(cp932::isLeadByte(0xE0));
    EXPECT_TRUE(cp932::isLeadByte(0xFC));
    EXPECT_FALSE(cp932::isLeadByte(0x80));
    EXPECT_FALSE(cp932::isLeadByte(0xA0));
    EXPECT_FALSE(cp932::isLeadByte(0xB1));
    EXPECT_FALSE(cp932::isLeadByte(0xDF));
    EXPECT_FALSE(cp932::isLeadByte('A'));
}

TEST(Cp932, CutNeverSplitsACharacter)
{
    struct Case {
        const char* text;
        std::size_t max;
        const char* expected;
    } cases[] = {
        {"あいう", 4, "あい"},
        {"あいう", 5, "あい"},   // the third would straddle the limit
        {"aあb", 2, "a"},
        {"ｱｲｳ", 2, "ｱｲ"},
        {"①ｱ～", 3, "①ｱ"},
        {"abc", 0, ""},
        {"abc", 10, "abc"},
        {"", 3, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(cp932::cutBytes(c.text, c.max), c.expected);
    }
}

TEST(Cp932, PadFillsToExactWidth)
{
    EXPECT_EQ(cp932::padRight("あ", 4), "あ  ");
    EXPECT_EQ(cp932::padRight("あいう", 5), "あい ");   // cut, then one byte of padding
    EXPECT_EQ(cp932::padRight("ｱ", 3, '0'), "ｱ00");
    EXPECT_EQ(cp932::padRight("", 2), "  ");
    EXPECT_EQ(cp932::byteLength(cp932::padRight("①～＼ab", 7)), 7u);
}

TEST(Cp932, SplitMovesStraddlingCharacters)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(cp932::splitBytes("aあいう", 4), (V{"aあ", "いう"}));
    EXPECT_EQ(cp932::splitBytes("abcde", 2), (V{"ab", "cd", "e"}));
    EXPECT_EQ(cp932::splitBytes("あい", 1), (V{"あ", "い"})); // width < 2 counts as 2
    EXPECT_EQ(cp932::splitBytes("ｱあｲ", 2), (V{"ｱ", "あ", "ｲ"}));
    EXPECT_TRUE(cp932::splitBytes("", 4).empty());
}

TEST(Cp932, CompareIsByteOrderOfCp932)
{
    // Unsigned bytes: 'A' 0x41 < "あ" 0x82A0 < "亜" 0x889F < "ｱ" 0xB1 < "漾" 0xE040,
    // where code point order would put the half-width katakana last.
    EXPECT_LT(cp932::compareBytes("A", "あ"), 0);
    EXPECT_LT(cp932::compareBytes("あ", "亜"), 0);
    EXPECT_LT(cp932::compareBytes("亜", "ｱ"), 0);
    EXPECT_GT(cp932::compareBytes("ｱ", "あ"), 0);
    EXPECT_LT(cp932::compareBytes("ｱ", "漾"), 0);
    EXPECT_LT(cp932::compareBytes("あ", "い"), 0);
    EXPECT_LT(cp932::compareBytes("あ", "あa"), 0);
    EXPECT_EQ(cp932::compareBytes("～", "〜"), 0);  // same CP932 bytes
    EXPECT_GT(cp932::compareBytes("ｱ", "z"), 0);
}

TEST(Cp932, FilesAreWrittenInCp932)
{
    vq::test::TempDir dir;
    auto file = dir / "sub" / "a.txt";
    cp932::writeFile(file, "表①ｱ\r\n");
    EXPECT_EQ(vq::test::readBytes(file), "\x95\x5C\x87\x40\xB1\r\n");
    EXPECT_EQ(cp932::readFile(file), "表①ｱ\r\n");
    EXPECT_THROW(cp932::readFile(dir / "missing.txt"), std::system_error);
}

} // namespace
