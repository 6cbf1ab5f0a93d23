// The real-estate statement reader on the sample apartment owner: the
// rental list with its cut lines, lease months and the separate sheet, the
// deduction rule of this statement and the balance sheet.
#include <gtest/gtest.h>

#include "StatementSampleFixture.h"
#include "foundation/calendar/DayNumber.h"
#include "linkage/statements/FudosanKessansyoIO.h"

namespace vq {
namespace {

using test::SampleClient;
using test::yen;

class FudosanReaderTest : public test::StatementSampleFixture {
protected:
    bool load(TFudosanKessansyoIO& reader)
    {
        reader.SetTransaction(dm_.IBTransactionDAT);
        return reader.Load(0);
    }
};

TEST_F(FudosanReaderTest, ApartmentOwnerFromItsBooks)
{
    open(SampleClient::RealEstate);
    TFudosanKessansyoIO reader;
    ASSERT_TRUE(load(reader));
    const auto& r = reader.Rec;
    ASSERT_EQ(reader.FudosanList.size(), 7u);
    EXPECT_EQ(r.FUDOSAN_BESSI, 0);
    // The location is cut at 22 bytes, the tenant at 24, never inside a
    // double-byte character.
    const auto& room = r.FUDOSAN[1];
    EXPECT_EQ(room.SHOZAITI1, "埼玉県川口市本町四丁目");
    EXPECT_EQ(room.SHOZAITI2, "５番６号メゾン佐藤101");
    EXPECT_EQ(room.TINSYAKU1, "川口市本町4-5-6-101 高橋");
    EXPECT_EQ(room.TINSYAKU2, " 健");
    EXPECT_EQ(room.MENSEKI, yen(40) + 5000);
    // A lease kept as a date stays as it is; one kept as year in the era
    // and month counts in the era of today (Reiwa): 5/10 is 2023-10-01.
    EXPECT_EQ(room.FTINSYAKU_KAISI, encodeDate(2021, 4, 1));
    EXPECT_EQ(r.FUDOSAN[2].FTINSYAKU_KAISI, encodeDate(2023, 10, 1));
    EXPECT_EQ(r.FUDOSAN[2].KAISI_YY, 5);
    EXPECT_EQ(r.FUDOSAN[2].FTINSYAKU_SHUURYOU, encodeDate(2025, 9, 1));
    EXPECT_EQ(r.FUDOSAN[7].FTINSYAKU_SHUURYOU, 0);
    EXPECT_EQ(r.FUDOSAN[8].NUMBER, 0);
    EXPECT_EQ(r.FUDOSAN[16].NENGAKU, yen(5816000));
    EXPECT_EQ(r.FUDOSAN[16].SIKIKIN, yen(816000));
    EXPECT_EQ(r.FUDOSAN[16].REIKIN, yen(68000));

    EXPECT_EQ(r.SONEKI[1].KNAME, "賃貸料");
    EXPECT_EQ(r.SONEKI[4].KINGAKU, r.SONEKI[1].KINGAKU + r.SONEKI[2].KINGAKU + r.SONEKI[3].KINGAKU);
    // The books' depreciation is the schedule's necessary expense.
    EXPECT_EQ(r.SONEKI[8].KINGAKU, yen(1189055));
    EXPECT_EQ(r.SONEKI[8].KINGAKU, r.GENKA[13].HITUYOUKEIHI);
    EXPECT_EQ(r.SONEKI[20].KINGAKU, yen(600000));
    EXPECT_EQ(r.SONEKI[21].KINGAKU, r.SONEKI[19].KINGAKU - r.SONEKI[20].KINGAKU);
    EXPECT_EQ(r.KOUJOKUBUN, 1);
    EXPECT_EQ(r.SONEKI[22].KINGAKU, yen(100000));
    EXPECT_EQ(r.SONEKI[23].KINGAKU, r.SONEKI[21].KINGAKU - yen(100000));
    EXPECT_EQ(r.SISAN[25].KISHUZAN, r.FUSAI[25].KISHUZAN);
    EXPECT_EQ(r.SISAN[25].KIMATUZAN, r.FUSAI[25].KIMATUZAN);
    EXPECT_EQ(r.FUSAI[24].KIMATUZAN, r.SONEKI[21].KINGAKU);
    EXPECT_EQ(r.SENJYU[1].GOUKEI, yen(600000));
    EXPECT_EQ(r.RISI[1].RISI, r.SONEKI[9].KINGAKU);
    EXPECT_EQ(r.HOUSHU[1].HOUSHU, yen(110000));
    EXPECT_EQ(r.NOTE[2], "令和６年４月、退去後の原状回復工事を行った。");
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(FudosanReaderTest, SixteenPropertiesGoToASeparateSheet)
{
    std::string rows;
    for (int i = 8; i <= 16; ++i)
        rows += "INSERT INTO AO_FUDOUSAN (REC, NUMBER, KUBUN, YOUTO, SHOZAITI, NENGAKU, KAISI_YY, KAISI_MM) VALUES (" +
                std::to_string(i) + ", " + std::to_string(i) + ", '土地', '駐車場', '川口市本町', 10000, 6, " +
                std::to_string(i) + ");\n";
    open(SampleClient::RealEstate, rows);
    TFudosanKessansyoIO reader;
    ASSERT_TRUE(load(reader));
    const auto& r = reader.Rec;
    EXPECT_EQ(r.FUDOSAN_BESSI, 1);
    EXPECT_EQ(r.FUDOSAN[1].SHOZAITI1, "別紙参照");
    EXPECT_EQ(r.FUDOSAN[1].NUMBER, 0);
    EXPECT_EQ(r.FUDOSAN[15].SHOZAITI1, "");
    ASSERT_EQ(reader.FudosanList.size(), 16u);
    EXPECT_EQ(reader.FudosanList[15].NUMBER, 16);
    // A lease month that names no day keeps what was stored and no date.
    EXPECT_EQ(reader.FudosanList[8].FTINSYAKU_KAISI, encodeDate(2024, 9, 1));
    EXPECT_EQ(reader.FudosanList[12].KAISI_MM, 13);
    EXPECT_EQ(reader.FudosanList[12].KAISI_YY, 6);
    EXPECT_EQ(reader.FudosanList[12].FTINSYAKU_KAISI, 0);
    EXPECT_EQ(r.FUDOSAN[16].NENGAKU, yen(5816000 + 9 * 10000));
}

TEST_F(FudosanReaderTest, DeductionUpToTheIncomeAndTheDebtInterestOfALoss)
{
    open(SampleClient::RealEstate);
    TFudosanKessansyoIO reader;
    struct Case {
        int kubun;
        std::int64_t income, entered, deduction, fusairisi;
    };
    const Case cases[] = {
        {0, 300000, 0, 300000, 0},      // the income is below the limit
        {0, 900000, 0, 550000, 0},
        {2, 900000, 0, 650000, 0},
        {0, -200000, 0, 0, 5000},       // a loss keeps the interest on land debts
        {9, 900000, 70000, 70000, 0},   // another case keeps the line as read
        {9, 900000, -5, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kubun);
        reader.InitRec();
        auto& r = reader.Rec;
        r.KOUJOKUBUN = c.kubun;
        r.FUSAIRISI = yen(5000);
        r.SONEKI[1].KINGAKU = yen(c.income);
        r.SONEKI[22].KINGAKU = yen(c.entered);
        reader.CalcTotals();
        EXPECT_EQ(r.SONEKI[21].KINGAKU, yen(c.income));
        EXPECT_EQ(r.SONEKI[22].KINGAKU, yen(c.deduction));
        EXPECT_EQ(r.SONEKI[23].KINGAKU, yen(c.income - c.deduction));
        EXPECT_EQ(r.FUSAIRISI, yen(c.fusairisi));
    }
}

} // namespace
} // namespace vq
