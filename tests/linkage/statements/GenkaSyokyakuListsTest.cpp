// The depreciation schedules of the three statements on register rows of a
// real data set: lines that fit, lines that do not ("別紙参照"), the summary
// line of the small-amount assets, the total line, and the lists growing as
// the rows come.
#include <gtest/gtest.h>

#include <string>

#include "linkage/statements/FudosanKessansyoIO.h"
#include "linkage/statements/IppanKessansyoIO.h"
#include "linkage/statements/NougyouKessansyoIO.h"
#include "platform/db/DbError.h"
#include "tests/linkage/depreciation/DepreciationDataSetFixture.h"

namespace vq {
namespace {

constexpr Currency yen(std::int64_t y) { return YenToCurrency(y); }

// ordinary assets of 1,200,000 yen (straight line, life 10: 120,000 a year,
// 80 % business use) and small-amount assets of the year of 200,000 yen each;
// an asset's KANRI orders the register.
std::string registerSql(int ordinary, int small, const std::string& more = {})
{
    std::string sql;
    int rec = 0;
    for (int i = 0; i < ordinary; ++i) {
        ++rec;
        sql += "INSERT INTO KS_SISAN (REC, KANRI, MEISYOU, SURYO, GSHOUHOU, SYUTODATE, SYUTOKIN, KISYUMISYOUKIN, "
               "TAIYOUYY, SYOUKIKANSTR, SYOUKIKANEND, SYOUKINKEI, MATUMISYOUKIN, JIGYOUWARIAI_NEW, TEKIYO) VALUES (" +
               std::to_string(rec) + ", 'A" + std::to_string(100 + rec) + "', '設備" + std::to_string(rec) +
               "', 1, 1, '2020-01-01', 1200000, 600000, 10, 1, 12, 120000, 480000, 80, '');\n";
    }
    for (int i = 0; i < small; ++i) {
        ++rec;
        sql += "INSERT INTO KS_SISAN (REC, KANRI, MEISYOU, SURYO, GSHOUHOU, SYUTODATE, SYUTOKIN, TAIYOUYY, "
               "SYOUKIKANSTR, SYOUKIKANEND, SYOUKINKEI, MATUMISYOUKIN, TEKIYO) VALUES (" +
               std::to_string(rec) + ", 'B" + std::to_string(100 + rec) + "', '少額" + std::to_string(i + 1) +
               "', 1, 5, '2024-0" + std::to_string(i + 2) + "-10', 200000, 0, 1, 12, 200000, 0, '');\n";
    }
    return sql + more;
}

class GenkaSyokyakuListsTest : public test::DepreciationDataSetFixture {
protected:
    template <class Reader>
    void read(Reader& reader)
    {
        reader.SetTransaction(dm_.IBTransactionDAT);
        db::TransactionScope scope(dm_.IBTransactionDAT);
        reader.SelectGenkaSyokyaku();
        scope.commit();
    }
};

TEST_F(GenkaSyokyakuListsTest, ElevenAssetsFillTheGeneralSchedule)
{
    open(registerSql(11, 0));
    TIppanKessansyoIO reader;
    read(reader);
    const auto& r = reader.Rec;
    EXPECT_EQ(r.GENKA_BESSI, 0);
    EXPECT_EQ(r.GENKA_SYOGAKU, 0);
    EXPECT_EQ(reader.GenkaList.size(), 11u);
    for (int line = 1; line <= 11; ++line)
        EXPECT_EQ(r.GENKA[line].MEISYOU, "設備" + std::to_string(line)) << line;

    const auto& g = r.GENKA[1];
    EXPECT_EQ(g.SEIDO, 2);
    EXPECT_EQ(g.GSHOUHOU, 1);
    EXPECT_EQ(g.SYUTOKIN, yen(1200000));
    EXPECT_EQ(g.KISOKIN, yen(1200000));
    EXPECT_DOUBLE_EQ(g.SYOURITU, 0.1);
    EXPECT_EQ(g.SYOUKIKAN, 12);
    EXPECT_EQ(g.FUTUSYOUKIN, yen(120000));
    EXPECT_EQ(g.SYOUKINKEI, yen(120000));
    EXPECT_DOUBLE_EQ(g.JIGYOUWARIAI, 80);
    EXPECT_EQ(g.HITUYOUKEIHI, yen(96000));
    EXPECT_EQ(g.KISYUMISYOUKIN, yen(600000));
    EXPECT_EQ(g.MATUMISYOUKIN, yen(480000));
    EXPECT_DOUBLE_EQ(g.SURYO, 1);

    reader.CalcTotals();
    EXPECT_EQ(r.GENKA[12].FUTUSYOUKIN, yen(11 * 120000));
    EXPECT_EQ(r.GENKA[12].HITUYOUKEIHI, yen(11 * 96000));
}

TEST_F(GenkaSyokyakuListsTest, ElevenAssetsAndASmallOneGoToASeparateSheet)
{
    open(registerSql(11, 1));
    TIppanKessansyoIO reader;
    read(reader);
    const auto& r = reader.Rec;
    EXPECT_EQ(r.GENKA_BESSI, 1);
    EXPECT_EQ(r.GENKA_SYOGAKU, 1);
    EXPECT_EQ(r.GENKA[1].MEISYOU, "別紙参照");
    EXPECT_EQ(r.GENKA[1].SYUTOKIN, 0);
    EXPECT_EQ(r.GENKA[2].MEISYOU, "");
    ASSERT_EQ(reader.GenkaList.size(), 12u);
    const auto& summary = reader.GenkaList.back();
    EXPECT_EQ(summary.SYOGAKU_FLG, 1);
    EXPECT_EQ(summary.TEKIYO, "措法28の2");
    EXPECT_EQ(summary.MEISYOU, "少額1");

    reader.CalcTotals();   // the eleven assets, and the small asset's expense once
    EXPECT_EQ(r.GENKA[12].FUTUSYOUKIN, yen(11 * 120000));
    EXPECT_EQ(r.GENKA[12].HITUYOUKEIHI, yen(11 * 96000 + 200000));
}

TEST_F(GenkaSyokyakuListsTest, TenAssetsAndTwoSmallOnesEndWithTheSummaryLine)
{
    // A small asset of an earlier year is in no list and no total.
    open(registerSql(10, 2,
                     "INSERT INTO KS_SISAN (REC, KANRI, MEISYOU, GSHOUHOU, SYUTODATE, SYUTOKIN, SYOUKIKANSTR, "
                     "SYOUKIKANEND, SYOUKINKEI) VALUES (99, 'C1', '旧少額', 5, '2022-05-01', 250000, 1, 12, 0);\n"));
    TIppanKessansyoIO reader;
    read(reader);
    const auto& r = reader.Rec;
    EXPECT_EQ(r.GENKA_BESSI, 0);
    EXPECT_EQ(r.GENKA_SYOGAKU, 1);
    EXPECT_EQ(r.GENKA[10].MEISYOU, "設備10");
    const auto& summary = r.GENKA[11];
    EXPECT_EQ(summary.MEISYOU, "少額1");
    EXPECT_EQ(summary.SEIDO, 0);
    EXPECT_EQ(summary.GSHOUHOU, 5);
    EXPECT_EQ(summary.SYUTODATE, encodeDate(2024, 12, 31));
    EXPECT_EQ(summary.SYUTOKIN, yen(400000));
    EXPECT_EQ(summary.HITUYOUKEIHI, yen(400000));
    EXPECT_EQ(summary.TEKIYO, "措法28の2");
    EXPECT_EQ(summary.SYOGAKU_FLG, 1);
    EXPECT_EQ(reader.GenkaList.size(), 10u);
    EXPECT_EQ(reader.SyogakuList.size(), 2u);

    reader.CalcTotals();
    EXPECT_EQ(r.GENKA[12].HITUYOUKEIHI, yen(10 * 96000 + 400000));
}

TEST_F(GenkaSyokyakuListsTest, TwelveAssetsFitTheRealEstateScheduleButNotTheAgricultureOne)
{
    open(registerSql(12, 0));
    TFudosanKessansyoIO realEstate;
    read(realEstate);
    EXPECT_EQ(realEstate.Rec.GENKA_BESSI, 0);
    EXPECT_EQ(realEstate.Rec.GENKA[12].MEISYOU, "設備12");
    realEstate.CalcTotals();
    EXPECT_EQ(realEstate.Rec.GENKA[13].FUTUSYOUKIN, yen(12 * 120000));

    TNougyouKessansyoIO agriculture;
    read(agriculture);
    EXPECT_EQ(agriculture.Rec.GENKA_BESSI, 1);
    EXPECT_EQ(agriculture.Rec.GENKA[1].MEISYOU, "別紙参照");
}

TEST_F(GenkaSyokyakuListsTest, OnlyTheGeneralStatementShowsTheRegistersTotalAndElections)
{
    open("INSERT INTO KS_SISAN (REC, KANRI, MEISYOU, GSHOUHOU, SYUTODATE, SYUTOKIN, KISYUMISYOUKIN, TAIYOUYY, "
         "SYOUKIKANSTR, SYOUKIKANEND, SYOUKINKEI, TEIRITU250, SYUTOKUKAGAKUCHOSEI) VALUES "
         "(1, 'A1', '倉庫', 2, '2012-06-01', 1000000, 300000, 10, 1, 12, 77777, 1, 5000);\n");
    TIppanKessansyoIO general;
    read(general);
    EXPECT_EQ(general.Rec.GENKA[1].SYOUKINKEI, yen(77777));
    EXPECT_EQ(general.Rec.GENKA[1].TEIRITU250, 1);
    EXPECT_EQ(general.Rec.GENKA[1].SYUTOKUKAGAKUCHOSEI, yen(5000));
    EXPECT_EQ(general.Rec.GENKA[1].SEIDO, 1);

    TFudosanKessansyoIO realEstate;
    read(realEstate);
    EXPECT_EQ(realEstate.Rec.GENKA[1].SYOUKINKEI, yen(77777));   // the calculator's, which is the stored one
    EXPECT_EQ(realEstate.Rec.GENKA[1].TEIRITU250, 0);
    EXPECT_EQ(realEstate.Rec.GENKA[1].SYUTOKUKAGAKUCHOSEI, 0);
}

TEST_F(GenkaSyokyakuListsTest, ASmallAssetDatedAfterTheYearIsListedAndFlagged)
{
    // The calculator counts a date after the year's end as the year's start,
    // so the asset belongs to the small-amount list although a count of the
    // register by date would leave it out.
    open("INSERT INTO KS_SISAN (REC, KANRI, MEISYOU, GSHOUHOU, SYUTODATE, SYUTOKIN, SYOUKIKANSTR, SYOUKIKANEND, "
         "SYOUKINKEI) VALUES (1, 'A1', '翌年少額', 5, '2025-02-01', 180000, 1, 12, 180000);\n");
    TNougyouKessansyoIO reader;
    read(reader);
    ASSERT_EQ(reader.SyogakuList.size(), 1u);
    EXPECT_EQ(reader.Rec.GENKA_SYOGAKU, 1);
    EXPECT_EQ(reader.Rec.GENKA_BESSI, 0);
    EXPECT_EQ(reader.Rec.GENKA[1].MEISYOU, "翌年少額");
    EXPECT_EQ(reader.Rec.GENKA[1].SYUTOKIN, yen(180000));
}

TEST_F(GenkaSyokyakuListsTest, ASecondReadingStartsAfresh)
{
    open(registerSql(3, 1));
    TFudosanKessansyoIO reader;
    read(reader);
    read(reader);
    EXPECT_EQ(reader.GenkaList.size(), 3u);
    EXPECT_EQ(reader.SyogakuList.size(), 1u);
}

TEST_F(GenkaSyokyakuListsTest, ARegisterThatCannotBeReadStopsTheReading)
{
    // A register the calculator cannot read: the error reaches the reader,
    // which turns it into a failed reading instead of a schedule with holes.
    open(registerSql(2, 0, "ALTER TABLE KS_SISAN DROP JIGYOUWARIAI_NEW;\n"));
    TFudosanKessansyoIO reader;
    reader.SetTransaction(dm_.IBTransactionDAT);
    db::TransactionScope scope(dm_.IBTransactionDAT);
    EXPECT_THROW(reader.SelectGenkaSyokyaku(), db::DbError);
    EXPECT_TRUE(dm_.IBTransactionDAT.active());
}

} // namespace
} // namespace vq
