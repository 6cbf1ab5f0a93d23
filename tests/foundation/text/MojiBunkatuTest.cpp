#include "foundation/text/MojiBunkatu.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

using namespace vq;

namespace {

std::vector<std::string> split(const std::string& text, std::uint8_t mode, char delimiter = ',')
{
    TMojiBunkatu s;
    s.Mode = mode;
    s.Delimiter = delimiter;
    s.Split(text);
    EXPECT_EQ(s.Count, static_cast<std::int32_t>(s.Items.size()));
    return s.Items;
}

using Fields = std::vector<std::string>;

} // namespace

TEST(MojiBunkatu, BothFieldRules)
{
    struct Case {
        std::string text;
        Fields ordinary;     // mode 0
        Fields keepBlanks;   // mode 1 (trimmed fields)
    };
    const Case cases[] = {
        {"", {""}, {""}},
        {"a,,b", {"a", "", "b"}, {"a", "", "b"}},
        {"a,", {"a", ""}, {"a", ""}},
        {"x y,z", {"x", "y", "z"}, {"x y", "z"}},
        {"\"a,b\",c", {"a,b", "c"}, {"a,b", "c"}},
        {"\"say \"\"hi\"\"\",2", {"say \"hi\"", "2"}, {"say \"hi\"", "2"}},
        {" a , b ", {"a", "b"}, {"a", "b"}},
        {"a\tb", {"a", "b"}, {"a", "b"}},
        {"\"ab\"cd,e", {"ab", "cd", "e"}, {"ab", "cd", "e"}},
        {"\"open", {"open"}, {"open"}},          // no closing quote: runs to the end
        {"漢字 名,カナ", {"漢字", "名", "カナ"}, {"漢字 名", "カナ"}},
        {"　全角　,x", {"　全角　", "x"}, {"　全角　", "x"}}, // full-width blanks stay
    };
    for (const auto& c : cases) {
        EXPECT_EQ(split(c.text, 0), c.ordinary) << c.text;
        EXPECT_EQ(split(c.text, 1), c.keepBlanks) << c.text;
    }
    EXPECT_EQ(split("1.0.0", 0, '.'), (Fields{"1", "0", "0"}));
    EXPECT_EQ(split("14.1", 0, '.'), (Fields{"14", "1"}));
    EXPECT_EQ(split("C:\\data\\0001", 1, '\\'), (Fields{"C:", "data", "0001"}));
}

TEST(MojiBunkatu, SplitByBytesKeepsDoubleByteCharactersWhole)
{
    struct Case {
        std::string text;
        int width;
        Fields pieces;
    };
    const Case cases[] = {
        {"", 4, {""}},
        {"abc", 22, {"abc"}},
        {"abcdef", 4, {"abcd", "ef"}},
        {"abc漢字", 4, {"abc", "漢字"}},       // byte 4 is a lead byte: one byte shorter
        {"ab漢字c", 4, {"ab漢", "字c"}},
        {"ab漢", 1, {"a", "b", "漢"}},         // below 2: one character a piece, no endless loop
        {"漢字", 0, {"漢", "字"}},
        {"ab", -3, {"a", "b"}},
    };
    for (const auto& c : cases) {
        TMojiBunkatu s;
        s.SplitByBytes(c.text, c.width);
        EXPECT_EQ(s.Items, c.pieces) << c.text << " / " << c.width;
        EXPECT_EQ(s.Count, static_cast<std::int32_t>(c.pieces.size()));
    }
    // An address cut to 22 bytes as the statement reader does.
    TMojiBunkatu s;
    s.SplitByBytes("東京都千代田区丸の内一丁目１番１号ビル", 22);
    for (const auto& piece : s.Items)
        EXPECT_LE(platform::cp932::byteLength(piece), 22u);
}

TEST(MojiBunkatu, GetOutsideTheItemsIsEmpty)
{
    TMojiBunkatu s;
    s.Split("a,b");
    EXPECT_EQ(s.Get(0), "a");
    EXPECT_EQ(s.Get(1), "b");
    EXPECT_EQ(s.Get(2), "");
    EXPECT_EQ(s.Get(-1), "");
    s.Clear();
    EXPECT_EQ(s.Count, 0);
    EXPECT_EQ(s.Get(0), "");
}
