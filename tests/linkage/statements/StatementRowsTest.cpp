// The 1-based rows of the statement records refuse a position outside them.
#include <gtest/gtest.h>

#include <stdexcept>

#include "linkage/statements/StatementRows.h"

namespace vq {
namespace {

TEST(StatementRows, HoldRowsOneToNAndRefuseOthers)
{
    StatementRows<int, 3> rows;
    rows[1] = 10;
    rows[3] = 30;
    EXPECT_EQ(rows[1] + rows[2] + rows[3], 40);
    for (const int outside : {0, -1, 4})
        EXPECT_FALSE(decltype(rows)::contains(outside)) << outside;
    EXPECT_THROW(rows[0], std::out_of_range);
    EXPECT_THROW(rows[4], std::out_of_range);
    int sum = 0;
    for (const int v : rows)
        sum += v;
    EXPECT_EQ(sum, 40);
}

} // namespace
} // namespace vq
