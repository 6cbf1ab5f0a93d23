// The sample clients' fixed-asset registers: every method and regime is
// there, the stored amounts of 2024 are what the depreciation calculator
// computes, and the books take the assets in.
#include "tools/SampleFixedAssets.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "linkage/depreciation/GenkaSyokyakuSisanCalc.h"
#include "tests/linkage/depreciation/DepreciationDataSetFixture.h"

namespace vq::tools {
namespace {

using linkage::TGenkaSyokyakuKeisanRec;
using linkage::TGenkaSyokyakuSisanCalc;

constexpr Currency yen(std::int64_t y) { return YenToCurrency(y); }

class SampleFixedAssetsTest : public test::DepreciationDataSetFixture {};

TEST_F(SampleFixedAssetsTest, StoredAmountsAreWhatTheCalculatorComputes)
{
    for (int codeType : {1, 2, 4}) {
        SCOPED_TRACE(codeType);
        const auto assets = sampleFixedAssets(codeType);
        std::string sql;
        for (const auto& a : assets)
            sql += sampleFixedAssetSql(a) + "\n";
        dm_.CloseAccDat("", 0, 0);
        std::filesystem::remove(databaseFile());
        open(sql);

        std::set<int> methods, regimes;
        TGenkaSyokyakuSisanCalc calculator;
        for (const auto& a : assets) {
            TGenkaSyokyakuKeisanRec r;
            calculator.CalcAsset(a.rec, r);
            SCOPED_TRACE(a.name);
            EXPECT_EQ(r.FUTUSYOUKIN, yen(a.amount));
            EXPECT_EQ(r.KISOKIN, yen(a.base));
            EXPECT_EQ(r.SYOURITU, a.rate);
            EXPECT_EQ(r.KISYUMISYOUKIN - r.FUTUSYOUKIN, yen(a.closing));
            EXPECT_EQ(r.HITUYOUKEIHI, yen(a.amount * a.share / 100));
            EXPECT_GE(r.KISYUMISYOUKIN, r.FUTUSYOUKIN);
            methods.insert(r.GSHOUHOU);
            regimes.insert(r.SEIDO);
        }
        EXPECT_EQ(methods, (std::set<int>{1, 2, 3, 4, 5, 6}));
        if (codeType != 1) {
            EXPECT_EQ(regimes, (std::set<int>{0, 1, 2}));
        }
    }
}

TEST_F(SampleFixedAssetsTest, BooksTakeInTheAssetsOfTheSampleClientsOnly)
{
    const auto assets = sampleFixedAssets(2);
    SampleDataSet set;
    set.dataCode = "0002";
    set.codeType = 2;
    set.accounts = {{"1510", "建物", "1510", 1, 4, 1000}};
    addSampleFixedAssets(set);

    std::int64_t opening = 1000, bought = 0, depreciated = 0;
    for (const auto& a : assets) {
        if (std::string(a.acquired).starts_with("2024-"))
            bought += a.cost;
        else
            opening += a.opening;
        depreciated += a.amount;
    }
    EXPECT_EQ(set.accounts[0].opening, opening);
    std::int64_t debit = 0, credit = 0;
    for (const auto& e : set.entries) {
        if (e.debit == "1510") debit += e.amount;
        if (e.credit == "1510") credit += e.amount;
    }
    EXPECT_EQ(debit, bought);
    EXPECT_EQ(credit, depreciated);
    EXPECT_EQ(set.extraSql.size(), assets.size() + 1);   // the rows and the generator

    SampleDataSet other;
    other.dataCode = "0005";
    other.codeType = 2;
    addSampleFixedAssets(other);
    EXPECT_TRUE(other.extraSql.empty());
    EXPECT_TRUE(other.entries.empty());
}

} // namespace
} // namespace vq::tools
