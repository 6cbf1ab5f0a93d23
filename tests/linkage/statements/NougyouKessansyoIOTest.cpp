// The agriculture statement reader on the sample farm: the breakdown tables
// read in row order or by position, their totals, the growing costs and the
// allowance at 5.5 % whatever the business kind.
#include <gtest/gtest.h>

#include "StatementSampleFixture.h"
#include "linkage/statements/NougyouKessansyoIO.h"

namespace vq {
namespace {

using test::SampleClient;
using test::yen;

class NougyouReaderTest : public test::StatementSampleFixture {
protected:
    bool load(TNougyouKessansyoIO& reader)
    {
        reader.SetTransaction(dm_.IBTransactionDAT);
        return reader.Load(0);
    }
};

TEST_F(NougyouReaderTest, FarmFromItsBooks)
{
    open(SampleClient::Agriculture, "UPDATE AO_SINKOKU SET GYOUSHUKUBUN = 1;");
    TNougyouKessansyoIO reader;
    EXPECT_EQ(reader.TaxMode, AccInf.TAXDEFUH);
    ASSERT_TRUE(load(reader));
    const auto& r = reader.Rec;
    // Crops: three field crops, their subtotal with the area as entered,
    // and the eggs added into the income total.
    EXPECT_EQ(r.TAHATA[1].KUBUN1, "米");
    EXPECT_EQ(r.TAHATA[3].HANBAIGAKU, yen(360000));
    EXPECT_EQ(r.TAHATA[4].KUBUN1, "");
    EXPECT_EQ(r.NOUSANKEI[1].MENSEKI, yen(165));
    EXPECT_EQ(r.NOUSANKEI[1].HANBAIGAKU, yen(2550000 + 3350000 + 360000));
    EXPECT_EQ(r.NOUSANKEI[1].KISHU_KINGAKU, yen(350000));
    EXPECT_EQ(r.TIKUSAN[1].KUBUN2, "（平飼い）");
    EXPECT_EQ(r.SYUNYUKEI[1].HANBAIGAKU, yen(2550000 + 3350000 + 360000 + 120000));
    EXPECT_EQ(r.SYUNYUKEI[1].KAJISYOHIGAKU, yen(65000));
    EXPECT_EQ(r.ZATU[2].KINGAKU, yen(60000));
    EXPECT_EQ(r.ZATU[4].KINGAKU, yen(240000));
    // Stock other than crops: units as entered, quantities simply added.
    EXPECT_EQ(r.MISYUKAKU[1].KIMATU_TANI, "a");
    EXPECT_EQ(r.SYUBYOU[2].KUBUN, "農薬");
    EXPECT_EQ(r.IGAIKEI[1].KIMATU_KINGAKU, yen(48000 + 39600 + 24000 + 18000));
    EXPECT_EQ(r.IGAIKEI[1].KISHU_SURYO, yen(30 + 12 + 1));
    // Hired labour, its total row, and the wife as family employee.
    EXPECT_EQ(r.YATOININ[2].SIKYU_GOKEI, yen(50000));
    EXPECT_EQ(r.YATOININ[5].NISUU, 52);
    EXPECT_EQ(r.YATOININ[5].SIKYU_GOKEI, yen(530000));
    EXPECT_EQ(r.SENJYU[1].SIMEI, "鈴木 恵子");
    EXPECT_EQ(r.SENJYU[5].GOUKEI, yen(840000));
    // Growing costs: the young vines carried on, the pear trees matured.
    EXPECT_EQ(r.KAJYU[1].SYUTOKUHIZUKE_YY, "R04");
    EXPECT_EQ(r.KAJYU[1].IKUSEI_SYOKEI, yen(50000));
    EXPECT_EQ(r.KAJYU[1].YOKUNENKURIKOSIGAKU, yen(230000));
    EXPECT_EQ(r.KAJYU[2].IKUSEI_KASANGAKU, yen(20000));
    EXPECT_EQ(r.KAJYU[2].YOKUNENKURIKOSIGAKU, 0);
    EXPECT_EQ(r.KAJYU[3].ZENNENKURIKOSIGAKU, yen(600000));
    EXPECT_EQ(r.KAJYU[3].SYUTOKUGAKU, yen(440000));
    EXPECT_EQ(r.KEISANHOUHOU[2], "梨は令和６年に成熟し、取得価額に振り替えた。");
    EXPECT_EQ(r.TIDAI_CHIN[1].KOSAKURYO, "小作料");
    EXPECT_EQ(r.TIDAI_CHIN[1].SHIHARAIGAKU, yen(150000));
    EXPECT_EQ(r.RISI[1].RISI, r.SONEKI[23].KINGAKU);
    EXPECT_EQ(r.HOUSHU[1].GENSEN, yen(10210));
    // The bulk limit is 5.5 % here even for the business kind 1.
    EXPECT_EQ(r.GYOUSHUKUBUN, 1);
    EXPECT_EQ(r.KURIIRE3, yen(23100));

    EXPECT_EQ(r.SONEKI[5].KINGAKU, yen(350000));
    EXPECT_EQ(r.SONEKI[6].KINGAKU, yen(410000));
    EXPECT_EQ(r.SONEKI[7].KINGAKU, r.SONEKI[4].KINGAKU - r.SONEKI[5].KINGAKU + r.SONEKI[6].KINGAKU);
    // The books' depreciation is the schedule's necessary expense.
    EXPECT_EQ(r.SONEKI[20].KINGAKU, yen(1780485));
    EXPECT_EQ(r.SONEKI[20].KINGAKU, r.GENKA[12].HITUYOUKEIHI);
    EXPECT_EQ(r.SONEKI[41].KINGAKU, yen(840000));
    EXPECT_EQ(r.SONEKI[46].KINGAKU, r.SONEKI[36].KINGAKU + r.SONEKI[40].KINGAKU - r.SONEKI[45].KINGAKU);
    EXPECT_EQ(r.SONEKI[47].KINGAKU, yen(650000));
    EXPECT_EQ(r.SONEKI[48].KINGAKU, r.SONEKI[46].KINGAKU - yen(650000));
    EXPECT_EQ(r.SISAN[25].KISHUZAN, r.FUSAI[25].KISHUZAN);
    EXPECT_EQ(r.SISAN[25].KIMATUZAN, r.FUSAI[25].KIMATUZAN);
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(NougyouReaderTest, RowsBeyondThePaperFormFailTheLoadAndAreNamed)
{
    std::string rows;
    for (int i = 10; i < 16; ++i)
        rows += "INSERT INTO AO_SYUNYU (REC, ITEM, KUBUN1, HANBAIGAKU) VALUES (" + std::to_string(i) +
                ", 'TAHATA', '野菜" + std::to_string(i) + "', 1000);\n";
    for (int i = 3; i <= 5; ++i)
        rows += "INSERT INTO AO_SYUNYU_ZASHUU (REC, KUBUN, KINGAKU) VALUES (" + std::to_string(i) + ", '雑" +
                std::to_string(i) + "', 12345);\n";
    rows += "INSERT INTO AO_YATOININHI (REC, SIMEI, NISUU) VALUES (6, '六番', 9);\n"
            "INSERT INTO AO_KAJYU (REC, MEISHOU1) VALUES (4, '四番');\n"
            "INSERT INTO AO_TIDAI_CHINSHAKU (REC, JYUSHO1) VALUES (0, 'ゼロ');\n"
            // A blank row beyond the form loses nothing.
            "INSERT INTO AO_KAJYU_KEISAN (REC, KEISANHOUHOU) VALUES (9, '');\n";
    open(SampleClient::Agriculture, rows);
    TNougyouKessansyoIO reader;
    EXPECT_FALSE(load(reader));
    const char* form = "は青色申告決算書（農業所得用）の様式にありません。";
    // Nine field crops on six rows; five miscellaneous lines on three.
    const std::vector<std::string> expected = {
        std::string("収入金額の内訳（田畑） 7行目「野菜13」") + form,
        std::string("収入金額の内訳（田畑） 8行目「野菜14」") + form,
        std::string("収入金額の内訳（田畑） 9行目「野菜15」") + form,
        std::string("雑収入の内訳 4行目「雑4」") + form,
        std::string("雑収入の内訳 5行目「雑5」") + form,
        std::string("雇人費の内訳 6行目「六番」") + form,
        std::string("果樹・牛馬等の育成費用の計算 4行目「四番」") + form,
        std::string("地代・賃借料の内訳 0行目「ゼロ」") + form,
    };
    EXPECT_EQ(reader.OutsideForm, expected);
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(NougyouReaderTest, DeductionOfTheHundredThousandYenCase)
{
    open(SampleClient::Agriculture);
    TNougyouKessansyoIO reader;
    auto& r = reader.Rec;
    r.KOUJOKUBUN = 1;
    r.SONEKI[1].KINGAKU = yen(80000);
    reader.CalcTotals();
    EXPECT_EQ(r.SONEKI[46].KINGAKU, yen(80000));
    EXPECT_EQ(r.KOUJO10, 0);
    EXPECT_EQ(r.KOUJO11, yen(80000));
    EXPECT_EQ(r.SONEKI[47].KINGAKU, yen(80000));
    EXPECT_EQ(r.SONEKI[48].KINGAKU, 0);
    EXPECT_EQ(r.FUSAI[24].KIMATUZAN, yen(80000));
}

} // namespace
} // namespace vq
