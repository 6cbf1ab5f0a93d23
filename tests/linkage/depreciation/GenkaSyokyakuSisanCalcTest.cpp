// The depreciation calculator on register rows of a real data set: the worked
// examples of the rules, every method and regime, short years, hand-entered
// values, the share of business use, and its own transaction.
#include "linkage/depreciation/GenkaSyokyakuSisanCalc.h"

#include <gtest/gtest.h>

#include <sstream>

#include "DepreciationDataSetFixture.h"
#include "foundation/data/AccRegSettings.h"

namespace vq::linkage {
namespace {

constexpr Currency yen(std::int64_t y) { return YenToCurrency(y); }

// One register row: the columns the calculator reads that a case sets.
struct Asset {
    int rec;
    int method;
    const char* acquired;      // SYUTODATE
    std::int64_t cost;         // SYUTOKIN, yen
    std::int64_t opening;      // KISYUMISYOUKIN, yen
    int life;                  // TAIYOUYY
    int fromMonth, toMonth;    // SYOUKIKANSTR, SYOUKIKANEND
    const char* more;          // further "COLUMN=value" pairs, comma-separated
};

std::string insertSql(const Asset& a)
{
    std::ostringstream cols, vals;
    cols << "REC, GSHOUHOU, SYUTODATE, SYUTOKIN, KISYUMISYOUKIN, TAIYOUYY, SYOUKIKANSTR, SYOUKIKANEND, "
            "MEISYOU";
    vals << a.rec << ", " << a.method << ", '" << a.acquired << "', " << a.cost << ", " << a.opening << ", "
         << a.life << ", " << a.fromMonth << ", " << a.toMonth << ", 'asset " << a.rec << "'";
    std::string more = a.more ? a.more : "";
    std::istringstream pairs(more);
    std::string pair;
    while (std::getline(pairs, pair, ',')) {
        const auto eq = pair.find('=');
        cols << ", " << pair.substr(0, eq);
        vals << ", " << pair.substr(eq + 1);
    }
    return "INSERT INTO KS_SISAN (" + cols.str() + ") VALUES (" + vals.str() + ");\n";
}

class GenkaSyokyakuSisanCalcTest : public test::DepreciationDataSetFixture {
protected:
    void openWith(std::initializer_list<Asset> assets)
    {
        std::string sql;
        for (const auto& a : assets)
            sql += insertSql(a);
        open(sql);
    }
    TGenkaSyokyakuKeisanRec calc(int rec)
    {
        TGenkaSyokyakuSisanCalc calculator;
        TGenkaSyokyakuKeisanRec r;
        EXPECT_EQ(calculator.CalcAsset(rec, r), 1);
        return r;
    }
};

// Fiscal year 2024 (12 months), individual data, truncating rounding.
TEST_F(GenkaSyokyakuSisanCalcTest, WorkedExamplesAndEveryMethodAndRegime)
{
    struct Case {
        Asset asset;
        std::int64_t amount;   // FUTUSYOUKIN, yen
        int status;            // JYOUTAI
        int seido;             // SEIDO
        const char* what;
    };
    const Case cases[] = {
        {{1, 1, "2024-06-01", 1000000, 0, 10, 6, 12, nullptr}, 58333, 0, 2,
         "200% era straight line, months 6-12"},
        {{2, 2, "2019-01-01", 1000000, 262144, 10, 1, 12, nullptr}, 65536, 5, 2,
         "200% declining balance switching to the revised rate"},
        {{3, 2, "2019-01-01", 1000000, 65536, 10, 1, 12, "KAITEISYUTOKUKAGAKU=262144"}, 65535, 5, 2,
         "a later revised year keeps 1 yen"},
        {{4, 1, "2000-04-01", 1000000, 500000, 10, 1, 12, nullptr}, 90000, 1, 0,
         "old straight line on 90 % of the cost"},
        {{5, 1, "2000-04-01", 1000000, 120000, 10, 1, 12, nullptr}, 70000, 1, 0,
         "old straight line stops at the 5 % value"},
        {{6, 2, "2000-04-01", 1000000, 40000, 10, 1, 12, nullptr}, 9999, 6, 0,
         "five-year depreciation below the 5 % value"},
        {{7, 4, "2024-03-01", 100000, 0, 3, 3, 12, nullptr}, 33333, 0, 2, "lump sum, first year"},
        {{8, 4, "2023-03-01", 100000, 66667, 3, 1, 12, nullptr}, 33333, 1, 2, "lump sum, second year"},
        {{9, 4, "2022-03-01", 100000, 33334, 3, 1, 12, nullptr}, 33334, 1, 2,
         "lump sum, third year takes the 1 yen left"},
        {{10, 3, "2023-01-01", 300000, 200000, 3, 1, 12, nullptr}, 100000, 1, 2, "equal instalments"},
        {{11, 5, "2024-05-10", 250000, 0, 0, 5, 12, nullptr}, 250000, 0, 2, "small asset of the year"},
        {{12, 5, "2023-05-10", 250000, 0, 0, 1, 12, nullptr}, 0, 2, 2, "small asset of an earlier year"},
        {{13, 6, "2023-01-01", 700000, 580000, 60, 1, 12, "ZANKAHOSYOUGAKU=100000"}, 120000, 1, 2,
         "lease period over 60 months less the guarantee"},
        {{14, 2, "2010-05-01", 1000000, 400000, 8, 1, 12, nullptr}, 125200, 1, 1, "250% era declining"},
        {{15, 2, "2010-05-01", 1000000, 400000, 8, 1, 12, "TEIRITU200=1"}, 100000, 1, 2,
         "250% era asset electing the 200% rates"},
        {{16, 2, "2013-05-01", 1000000, 400000, 8, 1, 12, "TEIRITU250=1"}, 125200, 1, 1,
         "200% era asset electing the 250% rates"},
        {{17, 1, "2025-02-01", 1200000, 0, 10, 1, 12, nullptr}, 120000, 0, 2,
         "dated after the year end: counts as acquired at its start"},
        {{18, 1, "2019-01-01", 1000000, 500000, 120, 1, 12, nullptr}, 0, 1, 2,
         "a life above 100 has no rate"},
        {{19, 1, "2019-01-01", 1000000, 1, 10, 1, 12, nullptr}, 0, 2, 2,
         "1 yen left: nothing more, depreciated"},
        {{20, 1, "2019-01-01", 1000000, 500000, 10, 1, 12, "JYOBAI=1,GENSYODATE='2024-06-30'"}, 100000, 3, 2,
         "scrapped"},
    };
    std::string sql;
    for (const auto& c : cases)
        sql += insertSql(c.asset);
    open(sql);
    TGenkaSyokyakuSisanCalc calculator;
    for (const auto& c : cases) {
        TGenkaSyokyakuKeisanRec r;
        ASSERT_EQ(calculator.CalcAsset(c.asset.rec, r), 1);
        EXPECT_EQ(r.FUTUSYOUKIN, yen(c.amount)) << c.what;
        EXPECT_EQ(r.JYOUTAI, c.status) << c.what;
        EXPECT_EQ(r.SEIDO, c.seido) << c.what;
    }
}

TEST_F(GenkaSyokyakuSisanCalcTest, TheRevisedRateExampleInDetail)
{
    openWith({{2, 2, "2019-01-01", 1000000, 262144, 10, 1, 12, nullptr}});
    const auto r = calc(2);
    EXPECT_EQ(r.SYOURITU, 2000);
    EXPECT_EQ(r.KISOKIN, yen(262144));
    EXPECT_DOUBLE_EQ(r.HOSYOURITU, 0.06552);
    EXPECT_DOUBLE_EQ(r.HOSYOUGAKU, 65520);
    EXPECT_DOUBLE_EQ(r.KAITEIRITU, 0.25);
    EXPECT_EQ(r.KAITEISYUTOKUKAGAKU, yen(262144));
    EXPECT_EQ(r.KAITEI_FLG, 1);
    EXPECT_EQ(r.TOUKISYUTOKU, 0);
}

TEST_F(GenkaSyokyakuSisanCalcTest, OldStraightLineBaseAndAcquisitionAfterTheYear)
{
    openWith({{4, 1, "2000-04-01", 1000000, 500000, 10, 1, 12, nullptr},
              {17, 1, "2025-02-01", 1200000, 0, 10, 1, 12, nullptr}});
    EXPECT_EQ(calc(4).KISOKIN, yen(900000));
    const auto later = calc(17);
    EXPECT_EQ(later.SYUTODATE, encodeDate(2024, 1, 1));
    EXPECT_EQ(later.TOUKISYUTOKU, 1);
    EXPECT_EQ(later.KISYUMISYOUKIN, yen(1200000));
}

TEST_F(GenkaSyokyakuSisanCalcTest, ShortFiscalYearAdjustsTheRates)
{
    openWith({{1, 1, "2019-04-01", 1000000, 500000, 10, 4, 12, nullptr},
              {2, 2, "2000-04-01", 1000000, 400000, 10, 4, 12, nullptr},
              {3, 2, "2000-04-01", 1000000, 400000, 90, 4, 12, nullptr},
              {4, 2, "2019-04-01", 1000000, 400000, 10, 4, 12, nullptr}});
    AccInf.KISHU = encodeDate(2024, 4, 1);   // a nine-month year
    const auto straight = calc(1);
    EXPECT_EQ(straight.SYOURITU, 750);        // 0.1 x 9 / 12
    EXPECT_EQ(straight.FUTUSYOUKIN, yen(75000));
    const auto oldDeclining = calc(2);        // life 10 x 12 / 9 = 13 years
    EXPECT_EQ(oldDeclining.SYOURITU, 1620);
    EXPECT_EQ(oldDeclining.TANKI_FLG, 0);
    EXPECT_EQ(oldDeclining.FUTUSYOUKIN, yen(64800));
    const auto longLife = calc(3);            // 90 x 12 / 9 = 120: the rate of 90 over 12 months
    EXPECT_EQ(longLife.TANKI_FLG, 1);
    EXPECT_EQ(longLife.SYOURITU, 250);
    EXPECT_EQ(longLife.FUTUSYOUKIN, yen(7500));
    const auto declining = calc(4);           // 0.2 x 9 / 12 = 0.15; revised 0.25 x 9 / 12 = 0.1875 -> 0.188
    EXPECT_EQ(declining.SYOURITU, 1500);
    EXPECT_DOUBLE_EQ(declining.KAITEIRITU, 0.188);
    EXPECT_EQ(declining.FUTUSYOUKIN, yen(60000));
}

TEST_F(GenkaSyokyakuSisanCalcTest, HandEnteredValuesStand)
{
    openWith({{1, 1, "2019-01-01", 1000000, 500000, 10, 2, 12,
               "ISINPSYOURITU=1,SYOURITU=0.15,ISINPKISOKIN=1,KISOKIN=800000,"
               "ISINPFUTUSYOUKIN=1,FUTUSYOUKIN=12345"},
              {2, 1, "2019-01-01", 1000000, 500000, 10, 1, 12, "ISINPSYOURITU=1,SYOURITU=0.15"}});
    const auto all = calc(1);
    EXPECT_EQ(all.SYOURITU, 1500);
    EXPECT_EQ(all.KISOKIN, yen(800000));
    EXPECT_EQ(all.FUTUSYOUKIN, yen(12345));
    EXPECT_EQ(all.SYOUKIKANSTR, 2);
    EXPECT_EQ(all.TAIYOUYY, 10);   // the register's life is listed although nothing was computed from it
    EXPECT_EQ(calc(2).FUTUSYOUKIN, yen(150000));   // the hand-entered rate on the computed base
}

TEST_F(GenkaSyokyakuSisanCalcTest, BusinessShareAndStoredTotals)
{
    openWith({{1, 1, "2019-01-01", 1000000, 500000, 10, 1, 12,
               "SYOUKINKEI=100001,WARISYOUKIN=1,MATUMISYOUKIN=399999,JIGYOUWARIAI_NEW=60"}});
    auto r = calc(1);
    EXPECT_EQ(r.SYOUKINKEI, yen(100001));
    EXPECT_EQ(r.WARISYOUKIN, yen(1));
    EXPECT_EQ(r.MATUMISYOUKIN, yen(399999));
    EXPECT_EQ(r.JIGYOUWARIAI, yen(60));
    EXPECT_EQ(r.HITUYOUKEIHI, yen(60000));     // 60,000.6 truncated
    AccInf.SDAI_HASUU3 = 1;                    // read live, not from the creation copy
    EXPECT_EQ(calc(1).HITUYOUKEIHI, yen(60001));
}

TEST_F(GenkaSyokyakuSisanCalcTest, AMissingRowGivesTheInitialValues)
{
    openWith({});
    TGenkaSyokyakuSisanCalc calculator;
    TGenkaSyokyakuKeisanRec r;
    r.FUTUSYOUKIN = 99;
    EXPECT_EQ(calculator.CalcAsset(42, r), 1);
    EXPECT_EQ(r.SEIDO, 2);
    EXPECT_EQ(r.FUTUSYOUKIN, 0);
    EXPECT_EQ(r.JIGYOUWARIAI, yen(100));
    EXPECT_EQ(r.YOBI1, yen(100));
}

TEST_F(GenkaSyokyakuSisanCalcTest, KeepsTheTransitionalSettingsAndCommitsOnlyItsOwnTransaction)
{
    openWith({{1, 1, "2024-06-01", 1000000, 0, 10, 6, 12, nullptr}});
    TGenkaSyokyakuSisanCalc calculator;
    EXPECT_EQ(GetAccRegText("減価償却設定", "250%定率法で償却する経過措置", "x"), "0");
    EXPECT_EQ(GetAccRegText("減価償却設定", "200%定率法で償却する経過措置", "x"), "0");

    TGenkaSyokyakuKeisanRec r;
    ASSERT_FALSE(dm_.IBTransactionDAT.active());
    calculator.CalcAsset(1, r);
    EXPECT_FALSE(dm_.IBTransactionDAT.active());

    db::Transaction own(dm_.IBDatabaseDAT.attachment());
    own.start();
    calculator.SetTransaction(own);
    calculator.CalcAsset(1, r);
    EXPECT_TRUE(own.active());
    EXPECT_EQ(r.FUTUSYOUKIN, yen(58333));
    own.commit();
}

TEST_F(GenkaSyokyakuSisanCalcTest, TablesGivenToTheCalculatorAreTheOnesItReads)
{
    openWith({{1, 1, "2024-01-01", 1000000, 0, 10, 1, 12, nullptr}});
    GenkaRateTable doubled = GenkaRateTable200();
    doubled[10].rates[RateStraightLine] = 0.2;
    TGenkaSyokyakuSisanCalc own({&GenkaRateTable250(), &doubled});
    TGenkaSyokyakuSisanCalc statutory;
    TGenkaSyokyakuKeisanRec a, b;
    own.CalcAsset(1, a);
    statutory.CalcAsset(1, b);
    EXPECT_EQ(a.FUTUSYOUKIN, yen(200000));
    EXPECT_EQ(b.FUTUSYOUKIN, yen(100000));
}

} // namespace
} // namespace vq::linkage
