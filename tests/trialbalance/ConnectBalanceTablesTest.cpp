// The data module switches the front's tables through the connection, and
// names its totals by the front's group codes.
#include <gtest/gtest.h>

#include "foundation/data/BalanceTablesPort.h"
#include "foundation/data/DataModule.h"
#include "trialbalance/BalanceTables.h"
#include "trialbalance/ConnectBalanceTables.h"

using namespace vq;

TEST(ConnectBalanceTables, TheDataModuleSwitchesTheFrontsTables)
{
    const BalanceTablesPort previous = setBalanceTablesPort({});
    EXPECT_EQ(TotalGroupCode(68), "5880");  // not connected: the general codes
    EXPECT_EQ(EditionTotalGroupCode(), "5688");

    ConnectBalanceTables();
    TDM dm;
    EXPECT_TRUE(dm.CheckIryouDataKind(3, 1));
    const auto medicalLines = BalanceLineIndex();
    EXPECT_EQ(TotalGroupCode(68), BalanceGroupCodes()[68]);
    EXPECT_EQ(EditionTotalGroupCode(), EditionGroupCodes()[0]);
    EXPECT_FALSE(dm.CheckIryouDataKind(2, 1));
    EXPECT_NE(BalanceLineIndex(), medicalLines);
    EXPECT_EQ(TotalGroupCode(60), "5580");
    setBalanceTablesPort(previous);
}
