#include "foundation/text/LocaleMapping.h"
#include "foundation/text/TextUtils.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

using namespace vq;

TEST(TextUtils, FixedWidthFieldsNeverHalveACharacter)
{
    struct Case {
        std::string actual;
        std::string expected;
    };
    const Case cases[] = {
        {PadRightSjis("ab", 5), "ab   "},
        {PadRightSjis("abcdef", 3), "abc"},
        {PadRightSjis("a漢字", 4), "a漢 "},   // byte 4 is the lead byte of 字
        {PadRightSjis("ab", 600), "ab"},       // above 510 no padding
        {PadRightSjis(std::string(100, 'x'), 520), std::string(100, 'x')},
        {PadRightSjis(std::string(600, 'x'), 520), std::string(520, 'x')},
        {PadRightSjis("ab", 510), "ab" + std::string(508, ' ')},
        {PadRightSjis("ab", 0), ""},
        {PadLeftBytes("12345", 3), "345"},
        {PadLeftBytes("12", 5), "   12"},
        {PadLeftBytes("漢字", 3), " 字"},      // the cut character becomes a blank
        {ZeroPadLeft("12", 5), "00012"},
        {ZeroPadLeft("123456", 4), "3456"},
        {MakeSpaces(3), "   "},
        {MakeSpaces(511), ""},
        {MakeSpaces(0), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected);
    EXPECT_EQ(platform::cp932::byteLength(PadRightSjis("a漢字", 4)), 4u);
}

TEST(TextUtils, RawSjisRepairAndLeadByteScan)
{
    const std::string kanji = platform::cp932::fromUtf8("漢"); // 0x8A 0xBF
    EXPECT_EQ(FixCutSjis("ab" + kanji.substr(0, 1)), "ab ");
    EXPECT_EQ(FixCutSjis(kanji.substr(0, 1) + " x"), "  x");
    EXPECT_EQ(FixCutSjis(kanji + "a"), kanji + "a");

    // 0x8A 0x81: the trail byte 0x81 is itself in the lead range.
    const std::string text = "a\x8A\x81" "b";
    EXPECT_FALSE(IsSjisLeadByteAt(text, 1));
    EXPECT_TRUE(IsSjisLeadByteAt(text, 2));
    EXPECT_FALSE(IsSjisLeadByteAt(text, 3));
    EXPECT_FALSE(IsSjisLeadByteAt(text, 99)); // the last byte
    EXPECT_TRUE(IsSjisTrailByte(0x40));
    EXPECT_FALSE(IsSjisTrailByte(0x7F));
}

TEST(TextUtils, BlanksAndControls)
{
    const std::pair<std::string, std::string> trims[] = {
        {"　 word 　", "word"},
        {" 　word　 ", "word"},
        {"\t\r\n word\x01", "word"},
        {"　", ""},
        {"a　b", "a　b"},
    };
    for (const auto& [in, out] : trims)
        EXPECT_EQ(TrimZenSpace(in), out) << in;
    EXPECT_EQ(RemoveAllSpaces(" a　b c "), "abc");
    EXPECT_EQ(RemoveAllSpaces("漢字"), "漢字");
    EXPECT_EQ(RemoveTabCrLf("a\tb\r\nc"), "abc");
}

TEST(TextUtils, PiecesOfTexts)
{
    std::vector<std::string> items{"untouched"};
    EXPECT_EQ(SplitText("", ",", items), 0);
    EXPECT_EQ(items, std::vector<std::string>{"untouched"});
    EXPECT_EQ(SplitText("a,b//c,d", ",", items), 1);
    EXPECT_EQ(items, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitText("a||b|", "|", items), 3);
    EXPECT_EQ(items, (std::vector<std::string>{"a", "", "b", ""}));

    const std::tuple<std::string, int, std::string> items2[] = {
        {"a,b,c", 2, "b"}, {"a,b\r\nc", 3, "c"}, {"a,b,", 3, ""}, {"a,,b", 2, ""}, {"a,,b", 3, "b"}, {"a", 0, ""},
        {"a\r,b", 2, ""}, {"a\r,b", 3, "b"}, // a line break and a separator cut twice
    };
    for (const auto& [text, index, expected] : items2)
        EXPECT_EQ(GetDelimitedItem(text, ",", index), expected) << text << " " << index;

    const std::string lines = "Alpha=1\r\nDATAVER=14.0\r\nbeta=2";
    EXPECT_EQ(GetLineByName(lines, "dataver"), "DATAVER=14.0");
    EXPECT_EQ(GetLineByName(lines, "gamma"), "");
    EXPECT_EQ(GetLineByName(lines, ""), "");
}

TEST(TextUtils, WidthAndKanaMapping)
{
    EXPECT_EQ(ZenAlphaToUpper("ａｂｚＡ漢カなa"), "ＡＢＺＡ漢カなa");

    const std::tuple<int, std::string, std::string> cases[] = {
        {LCMAP_FULLWIDTH, "ｶﾞｷﾞﾊﾟｳﾞｱ abc1", "ガギパヴア　ａｂｃ１"},
        {LCMAP_FULLWIDTH, "ｯｰ｡", "ッー。"},
        {LCMAP_HALFWIDTH, "ガパヴアＡ　１ッ", "ｶﾞﾊﾟｳﾞｱA 1ｯ"},
        {LCMAP_HALFWIDTH, "かヶ", "かヶ"},
        {LCMAP_KATAKANA, "かなゞ", "カナヾ"},
        {LCMAP_HIRAGANA, "カナヴ", "かなゔ"},
        {LCMAP_HIRAGANA | LCMAP_FULLWIDTH, "ｶﾞ", "が"},
        {LCMAP_KATAKANA | LCMAP_HALFWIDTH, "が", "ｶﾞ"},
        {LCMAP_UPPERCASE, "abｃ", "ABＣ"},
        {LCMAP_FULLWIDTH | LCMAP_HALFWIDTH, "a", ""},
    };
    for (const auto& [flags, in, out] : cases)
        EXPECT_EQ(LCMapStringUser(flags, in), out) << in;

    // The data-set search compares names this way.
    auto key = [](const std::string& s) { return ZenAlphaToUpper(LCMapStringUser(LCMAP_FULLWIDTH, s)); };
    EXPECT_EQ(key("abc ｶﾌﾞ"), key("ＡＢＣ　カブ"));
}
