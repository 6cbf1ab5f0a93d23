#include "foundation/accounting/CashFlowItems.h"

#include <gtest/gtest.h>

namespace vq {
namespace {

TEST(CashFlowItems, EachLoadReplacesTheTable)
{
    struct Case {
        std::uint8_t medical;
        std::size_t rows;
        TSikinguriItem item35;
        TSikinguriItem item45;
    };
    const Case cases[] = {
        {0, 39, {"35", "法人税等", ""}, {"45", "定期性預金預入", ""}},
        {1, 38, {"35", "その他の支出", "（設備等収支）"}, {"45", "法人税等", ""}},
        {2, 39, {"35", "法人税等", ""}, {"45", "定期性預金預入", ""}}, // anything but 1 is general
        {1, 38, {"35", "その他の支出", "（設備等収支）"}, {"45", "法人税等", ""}},
    };
    for (const Case& c : cases) {
        LoadSikinguriItems(c.medical);
        ASSERT_EQ(SikinguriItems.size(), c.rows) << int(c.medical);
        EXPECT_EQ(SikinguriItems.front(), (TSikinguriItem{"0", "－", ""}));
        EXPECT_EQ(SikinguriItems.back(), (TSikinguriItem{"99", "流動性現預金", ""}));
        // Codes run 11, 12, ... without gaps between the empty item and 99.
        for (std::size_t i = 1; i + 1 < SikinguriItems.size(); ++i)
            EXPECT_EQ(SikinguriItems[i].Code, std::to_string(10 + i));
        EXPECT_EQ(SikinguriItems[25], c.item35);
        EXPECT_EQ(SikinguriItems[35], c.item45);
    }
}

} // namespace
} // namespace vq
