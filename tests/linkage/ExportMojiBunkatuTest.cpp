// The export's splitter: version texts and delimited fields.
#include <gtest/gtest.h>

#include "linkage/ExportMojiBunkatu.h"

using vq::linkage::TMojiBunkatu;

namespace {

struct SplitCase {
    const char* text;
    char delimiter;
    std::vector<std::string> items;
};

TEST(ExportMojiBunkatuTest, SplitsByTheOrdinaryRule)
{
    const SplitCase cases[] = {
        {"14.0.0", '.', {"14", "0", "0"}},
        {"14.0.0 beta", '.', {"14", "0", "0", "beta"}},
        {"", ',', {""}},
        {"a,b,", ',', {"a", "b", ""}},
        {"\"x, y\",\"say \"\"hi\"\"\"", ',', {"x, y", "say \"hi\""}},
        {"  lead,trail  ", ',', {"lead", "trail"}},
    };
    for (const auto& c : cases) {
        TMojiBunkatu split;
        split.Delimiter = c.delimiter;
        split.Split(c.text);
        EXPECT_EQ(split.Items, c.items) << c.text;
        EXPECT_EQ(split.Count, static_cast<int>(c.items.size())) << c.text;
    }
}

TEST(ExportMojiBunkatuTest, GetOutsideTheItemsIsEmptyAndClearDropsThem)
{
    TMojiBunkatu split;
    EXPECT_EQ(split.Delimiter, ',');
    split.Split("a,b");
    EXPECT_EQ(split.Get(1), "b");
    EXPECT_EQ(split.Get(split.Count), "");
    EXPECT_EQ(split.Get(-1), "");
    split.Clear();
    EXPECT_EQ(split.Count, 0);
    EXPECT_EQ(split.Get(0), "");
}

} // namespace
