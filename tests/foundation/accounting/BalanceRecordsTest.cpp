#include "foundation/accounting/BalanceRecords.h"

#include <gtest/gtest.h>

#include "platform/Cp932.h"

namespace vq {
namespace {

TEST(BalanceRecords, PeriodArraysAreCheckedAtBothEnds)
{
    TBALANCE row;
    for (int i = -32; i <= 19; ++i)
        EXPECT_EQ(row.KAR[i], 0) << i;
    row.ZAN[-32] = 1;
    row.ZAN[19] = 2;
    row.ZAN[0] = 3;
    EXPECT_EQ(*row.ZAN.begin(), 1);
    EXPECT_EQ(*(row.ZAN.end() - 1), 2);
    EXPECT_EQ(row.ZAN[0], 3);
    EXPECT_EQ(PeriodAmounts::Size, 52u);
    for (int bad : {-33, 20, -1000, 1000}) {
        EXPECT_THROW(row.KAS[bad] = 1, std::out_of_range) << bad;
        const TBALANCE& constRow = row;
        EXPECT_THROW((void)constRow.ZOUGEN[bad], std::out_of_range) << bad;
    }
    THOJOUTIWAKE sub;
    EXPECT_THROW(sub.ZAN[20] = 1, std::out_of_range);
}

TEST(BalanceRecords, HiddenSortKeyIsTheHalfWidthSemiVoicedMark)
{
    EXPECT_EQ(platform::cp932::fromUtf8(HiddenSortKey), "\xDF");
    // It sorts after keys that begin with a digit or a letter.
    for (const char* key : {"0", "9999", "A", "z"})
        EXPECT_GT(platform::cp932::compareBytes(HiddenSortKey, key), 0) << key;
    EXPECT_TRUE((TQSORT{HiddenSortKey, 3}).hidden());
    EXPECT_FALSE((TQSORT{"1100", 3}).hidden());
}

} // namespace
} // namespace vq
