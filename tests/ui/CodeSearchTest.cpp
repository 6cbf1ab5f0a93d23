#include "ui/CodeSearch.h"

#include <gtest/gtest.h>

using namespace vq::ui;

TEST(CodeSearch, KeyStopsAtTheSeparatorOrTheCodeLength)
{
    struct Case {
        const char* text;
        const char* key;
        bool name;
    } cases[] = {
        {"002", "002", false}, {"0021", "002", false}, {"00:", "00", false},
        {" 2 ", "2", false},   {"2", "2", false},      {"本店", "本", true}, // 3 bytes cut before the second kanji
        {"", "", false},
    };
    for (const auto& c : cases) {
        const TypedCode code = typedCodeOf(c.text, 3, ":");
        EXPECT_EQ(code.key, c.key) << c.text;
        EXPECT_EQ(code.typedName, c.name) << c.text;
    }
    // A separator beyond the code length does not count.
    EXPECT_EQ(typedCodeOf("0012:", 3, ":").key, "001");
}

TEST(CodeSearch, PrefixSearchStartsAfterTheGivenItemAndWraps)
{
    const std::vector<std::string> items{"001:本店", "002:支店", "A01:営業所", "001:重複"};
    EXPECT_EQ(findItemByPrefix(items, "002", -1), 1);
    EXPECT_EQ(findItemByPrefix(items, "001", 0), 3);
    EXPECT_EQ(findItemByPrefix(items, "001", 3), 0); // wraps to the top
    EXPECT_EQ(findItemByPrefix(items, "a01", -1), 2); // case is ignored
    EXPECT_EQ(findItemByPrefix(items, "2", -1), -1);
    EXPECT_EQ(findItemByPrefix({}, "001", -1), -1);
}
