// The shared rules of data-list rows: status texts, consolidation kinds and
// the operator number taken from an operator code.
#include <gtest/gtest.h>

#include "datasets/DataListRec.h"
#include "datasets/DataSentakuListCtl.h"

using namespace vq;

TEST(DataListRec, StatusTexts)
{
    EXPECT_EQ(GetDataStatusText(0), "－");
    EXPECT_EQ(GetDataStatusText(1), "－");
    EXPECT_EQ(GetDataStatusText(3), "データロック中");
    EXPECT_EQ(GetDataStatusText(10), "破損");
    EXPECT_EQ(GetDataStatusText(11), "状態不明");
    EXPECT_EQ(GetDataStatusText(-1), "状態不明");
}

TEST(DataListRec, ConsolidationKinds)
{
    for (int kind : {0, 1, 2})
        EXPECT_TRUE(IsParentKind(kind)) << kind;
    for (int kind : {10, 16, 255, -1})
        EXPECT_FALSE(IsParentKind(kind)) << kind;
    EXPECT_FALSE(IsConsolidatedKind(0));
    EXPECT_TRUE(IsConsolidatedKind(2));
    EXPECT_FALSE(IsConsolidatedKind(10));
}

TEST(DataListRec, OperatorNumberWithinTheGroup)
{
    EXPECT_EQ(OperatorNumberOf(100000012, 10000), 12);
    EXPECT_EQ(OperatorNumberOf(100001, 10), 1);
    // No group: no modulus, the code as it is (no division by zero).
    EXPECT_EQ(OperatorNumberOf(100000012, 0), 100000012);
    EXPECT_EQ(OperatorNumberOf(15, -3), 15);
}
