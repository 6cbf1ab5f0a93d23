// The sample clients' fixed-asset registers: every method and regime is
// there, the stored amounts of 2024 are what the depreciation calculator
// computes, the straight-line assets each client starts with open 2024 at
// the book value their earlier years leave, and the books take the assets
// in.
#include "tools/SampleFixedAssets.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "foundation/calendar/DayNumber.h"
#include "linkage/depreciation/GenkaSyokyakuSisanCalc.h"
#include "platform/db/Statement.h"
#include "tests/linkage/depreciation/DepreciationDataSetFixture.h"
#include "tools/SampleBusinesses.h"

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

TEST_F(SampleFixedAssetsTest, OpeningBookValuesFollowFromCostDateAndLife)
{
    // The calculator steps through each year from the acquisition to 2023,
    // every year opening at what the year before left.
    const SampleDataSet sets[] = {generalBusinessSample(1, 0), realEstateSample(2, 0), agricultureSample(3, 0)};
    for (const auto& set : sets) {
        SCOPED_TRACE(set.listName);
        dm_.CloseAccDat("", 0, 0);
        std::filesystem::remove(databaseFile());
        open(dataSetSql(set, 100000010));
        struct Asset {
            int rec, year, month;
            Currency stored;
        };
        std::vector<Asset> assets;
        db::Transaction& tr = dm_.IBTransactionDAT;
        tr.start();
        db::Statement q(dm_.IBDatabaseDAT.attachment(), tr,
                        "SELECT REC, SYUTODATE, KISYUMISYOUKIN FROM KS_SISAN ORDER BY REC");
        q.execute();
        while (q.fetch()) {
            const CivilDate d = decodeDate(q.field("SYUTODATE").asDate());
            assets.push_back({q.field("REC").asInt(), d.year, d.month, q.field("KISYUMISYOUKIN").asCurrency()});
        }
        q.close();
        tr.commit();
        ASSERT_FALSE(assets.empty());

        const TACCINF year2024 = AccInf;
        for (const Asset& a : assets) {
            SCOPED_TRACE(a.rec);
            Currency book = 0;
            for (int year = a.year; year < 2024; ++year) {
                tr.start();
                db::Statement update(dm_.IBDatabaseDAT.attachment(), tr,
                                     "UPDATE KS_SISAN SET KISYUMISYOUKIN = :BOOK, SYOUKIKANSTR = :FROM WHERE REC = :REC");
                update.param("BOOK").setCurrency(book);
                update.param("FROM").setInt(year == a.year ? a.month : 1);
                update.param("REC").setInt(a.rec);
                update.execute();
                tr.commit();
                AccInf.KISHU = encodeDate(year, 1, 1);
                AccInf.KIMATU = encodeDate(year, 12, 31);
                TGenkaSyokyakuSisanCalc calculator;
                TGenkaSyokyakuKeisanRec r;
                calculator.CalcAsset(a.rec, r);
                EXPECT_GT(r.FUTUSYOUKIN, 0) << year;
                book = r.KISYUMISYOUKIN - r.FUTUSYOUKIN;
            }
            AccInf = year2024;
            EXPECT_EQ(book, a.stored);
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
