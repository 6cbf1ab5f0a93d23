// The general business statement reader on the sample stationery shop and
// on the bakery whose statement was entered by hand.
#include <gtest/gtest.h>

#include <array>

#include "StatementSampleFixture.h"
#include "linkage/statements/IppanKessansyoIO.h"

namespace vq {
namespace {

using test::SampleClient;
using test::yen;

class IppanReaderTest : public test::StatementSampleFixture {
protected:
    bool load(TIppanKessansyoIO& reader, int ignoreHandEntered = 0)
    {
        reader.SetTransaction(dm_.IBTransactionDAT);
        return reader.Load(ignoreHandEntered);
    }

    static void expectBalanced(const TKojinKessansyoRec& r)
    {
        EXPECT_NE(r.SISAN[25].KIMATUZAN, 0);
        EXPECT_EQ(r.SISAN[25].KISHUZAN, r.FUSAI[25].KISHUZAN);
        EXPECT_EQ(r.SISAN[25].KIMATUZAN, r.FUSAI[25].KIMATUZAN);
        EXPECT_EQ(r.FUSAI[24].KIMATUZAN, r.SONEKI[43].KINGAKU);
    }
};

// Sales and purchases of the sample's journal by month of the return (the
// year-end adjustment belongs to December), amounts including tax.
struct Monthly {
    std::array<Currency, 17> sales{}, purchases{};
};

Monthly monthlyOf(const tools::SampleDataSet& set)
{
    Monthly m;
    for (const auto& e : set.entries) {
        const auto month = static_cast<std::size_t>(e.yearEnd ? 12 : e.month);
        if (e.credit == "4110")
            m.sales[month] += yen(e.amount);
        if (e.credit == "4110" && e.tax == tools::TaxKind::Sales8)
            m.sales[16] += yen(e.amount);
        if (e.credit == "4120")
            m.sales[13] += yen(e.amount);
        if (e.credit == "4130")
            m.sales[14] += yen(e.amount);
        if (e.debit == "5210")
            m.purchases[month] += yen(e.amount);
    }
    return m;
}

TEST_F(IppanReaderTest, StationeryShopFromItsBooks)
{
    auto set = sample(SampleClient::General);
    // A sale booked in the year-end adjustment belongs to December.
    set.entries.push_back({12, 31, true, "1210", {}, "4110", {}, 50000, tools::TaxKind::None, "期末売上計上"});
    open(set);
    TIppanKessansyoIO reader;
    ASSERT_TRUE(load(reader));
    const auto& r = reader.Rec;
    const Monthly expected = monthlyOf(set);
    for (int m = 1; m <= 14; ++m) {
        SCOPED_TRACE(m);
        EXPECT_EQ(r.TUKIBETU[m].URIAGE, expected.sales[static_cast<std::size_t>(m)]);
        EXPECT_EQ(r.TUKIBETU[m].SIIRE, expected.purchases[static_cast<std::size_t>(m)]);
    }
    EXPECT_EQ(r.TUKIBETU[16].URIAGE, expected.sales[16]);
    EXPECT_GT(r.TUKIBETU[16].URIAGE, 0);
    EXPECT_EQ(r.TUKIBETU[16].SIIRE, 0);
    EXPECT_EQ(r.K8_KISAI, 1);
    Currency year = 0;
    for (int m = 1; m <= 14; ++m)
        year += r.TUKIBETU[m].URIAGE;
    EXPECT_EQ(r.TUKIBETU[15].URIAGE, year);
    EXPECT_EQ(r.SONEKI[1].KINGAKU, year);

    // Lines carry their statement line and the balances' names.
    EXPECT_EQ(r.SONEKI[2].REC, 23);
    EXPECT_EQ(r.SONEKI[2].KINGAKU, yen(780000));
    EXPECT_EQ(r.SONEKI[5].KINGAKU, yen(826000));  // closing stock, subtracted
    EXPECT_EQ(r.SONEKI[6].KINGAKU, r.SONEKI[2].KINGAKU + r.SONEKI[3].KINGAKU - r.SONEKI[5].KINGAKU);
    EXPECT_EQ(r.SONEKI[3].REC, 24);
    EXPECT_EQ(r.SONEKI[3].KINGAKU, r.TUKIBETU[15].SIIRE);
    EXPECT_EQ(r.SONEKI[20].KNAME, "給料賃金");
    EXPECT_EQ(r.SONEKI[20].KINGAKU, yen(2310000));
    // The books' depreciation is the schedule's necessary expense.
    EXPECT_EQ(r.SONEKI[18].KINGAKU, yen(1036644));
    EXPECT_EQ(r.SONEKI[18].KINGAKU, r.GENKA[12].HITUYOUKEIHI);
    EXPECT_EQ(r.SONEKI[34].KINGAKU, yen(17050));
    EXPECT_EQ(r.SONEKI[38].KINGAKU, yen(1080000));
    EXPECT_EQ(r.SONEKI[43].KINGAKU, r.SONEKI[33].KINGAKU + r.SONEKI[37].KINGAKU - r.SONEKI[42].KINGAKU);
    // The 650,000 yen case with an income above it.
    EXPECT_EQ(r.KOUJOKUBUN, 2);
    EXPECT_EQ(r.KOUJO9, yen(650000));
    EXPECT_EQ(r.SONEKI[44].KINGAKU, yen(650000));
    EXPECT_EQ(r.SONEKI[45].KINGAKU, r.SONEKI[43].KINGAKU - yen(650000));
    expectBalanced(r);
    EXPECT_EQ(r.SISAN[1].KNAME, "現金");
    EXPECT_EQ(r.SISAN[1].KISHUZAN, yen(85000));
    EXPECT_EQ(r.FUSAI[14].KNAME, "貸倒引当金");
    EXPECT_EQ(r.FUSAI[22].KISHUZAN, 0);

    // Breakdowns: salaries with their totals, interest, rents, fees, notes.
    EXPECT_EQ(r.KYUYO[1].GOUKEI, yen(2310000));
    EXPECT_EQ(r.KYUYO[7].TUKISUU, 12);
    EXPECT_EQ(r.SENJYU[1].TUZUKIGARA, "妻");
    EXPECT_EQ(r.SENJYU[6].GOUKEI, yen(1080000));
    EXPECT_EQ(r.RISI[1].RISI, r.SONEKI[22].KINGAKU);
    EXPECT_EQ(r.TIDAI[2].BUKKEN1, "駐車場");
    EXPECT_EQ(r.HOUSHU[1].HOUSHU, yen(330000));
    EXPECT_EQ(r.HOUSHU[1].GENSEN, yen(30630));
    EXPECT_EQ(r.NOTE[3], "令和６年１２月、店舗の空調を修理した。");
    // The bulk allowance: 5.5 % of the receivables, truncated.
    EXPECT_EQ(r.KURIIRE3, r.KURIIRE2 * 55 / 1000 / CurrencyScale * CurrencyScale);
    EXPECT_EQ(r.KURIIRE5, r.KURIIRE1 + r.KURIIRE4);
    // No manufacturing in a shop: the cost lines stay empty.
    EXPECT_EQ(r.SEIZO[26].KINGAKU, 0);
    // The depreciation schedule: the register's nine assets in order, the
    // small-amount asset of the year summed into line 10, the year's totals
    // of the register in the total line.
    EXPECT_EQ(r.GENKA_BESSI, 0);
    EXPECT_EQ(r.GENKA_SYOGAKU, 1);
    EXPECT_EQ(r.GENKA[1].MEISYOU, "店舗内装工事");
    EXPECT_EQ(r.GENKA[10].TEKIYO, "措法28の2");
    EXPECT_EQ(r.GENKA[12].SYOUKINKEI,
              yen(100500 + 260000 + 120000 + 21149 + 77930 + 66000 + 120000 + 5865 + 120000));
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(IppanReaderTest, AmountsWithoutTaxWhenAsked)
{
    open(SampleClient::General);
    TIppanKessansyoIO withTax;
    ASSERT_TRUE(load(withTax));
    TIppanKessansyoIO withoutTax;
    withoutTax.TaxMode = 1;
    ASSERT_TRUE(load(withoutTax));
    EXPECT_LT(withoutTax.Rec.SONEKI[1].KINGAKU, withTax.Rec.SONEKI[1].KINGAKU);
    EXPECT_LT(withoutTax.Rec.TUKIBETU[1].SIIRE, withTax.Rec.TUKIBETU[1].SIIRE);
    // The reduced-rate row follows the data set's own tax treatment.
    EXPECT_EQ(withoutTax.Rec.TUKIBETU[16].URIAGE, withTax.Rec.TUKIBETU[16].URIAGE);
    expectBalanced(withoutTax.Rec);
}

TEST_F(IppanReaderTest, HandEnteredBakeryTakesItsAmountsFromTheStatementAndNamesFromTheBooks)
{
    // Without the May row the month keeps what the books say.
    open(SampleClient::HandEntered, "DELETE FROM AO_URIAGE WHERE REC = 5;");
    TIppanKessansyoIO books;
    ASSERT_TRUE(load(books, 1));
    TIppanKessansyoIO reader;
    ASSERT_TRUE(load(reader));
    const auto& r = reader.Rec;
    EXPECT_EQ(r.TEGAKI, 1);
    EXPECT_EQ(r.TUKIBETU[1].URIAGE, yen(720000));
    EXPECT_EQ(r.TUKIBETU[12].SIIRE, yen(314000));
    EXPECT_EQ(r.TUKIBETU[5].URIAGE, books.Rec.TUKIBETU[5].URIAGE);
    EXPECT_EQ(r.TUKIBETU[16].URIAGE, yen(8200000));
    EXPECT_EQ(r.TUKIBETU[16].SIIRE, yen(2400000));
    EXPECT_EQ(r.SISAN[1].KNAME, "現金");
    EXPECT_EQ(r.SISAN[1].KIMATUZAN, yen(180000));
    EXPECT_EQ(r.SISAN[24].KIMATUZAN, yen(2390000));
    EXPECT_EQ(r.FUSAI[23].KISHUZAN, yen(1290000));
    EXPECT_EQ(r.SONEKI[17].KNAME, "消耗品費");
    EXPECT_EQ(r.SONEKI[17].KINGAKU, yen(230000));
    EXPECT_EQ(books.Rec.SONEKI[17].KINGAKU, yen(228000));
    // Manufacturing cost from the hand-entered lines, and the purchases
    // line computed from the monthly purchases whatever was entered on it.
    EXPECT_EQ(r.SEIZO[2].KINGAKU, yen(2600000));
    EXPECT_EQ(r.SEIZO[8].KNAME, "電力費");
    EXPECT_EQ(r.SEIZO[11].KNAME, "減価償却費");
    EXPECT_EQ(r.SEIZO[21].KINGAKU, yen(360000));
    EXPECT_EQ(r.SEIZO[26].KINGAKU, yen(3550000));
    EXPECT_EQ(r.SONEKI[3].KINGAKU, r.TUKIBETU[15].SIIRE + yen(3550000) - yen(2600000));
    // The 550,000 yen case.
    EXPECT_EQ(r.SONEKI[44].KINGAKU, yen(550000));
    EXPECT_EQ(r.KURIIRE3, yen(3135));  // 95,000 x 3.3 %
    EXPECT_EQ(r.KYUYO[7].KYUUYO, yen(1200000));
    expectBalanced(books.Rec);
}

TEST_F(IppanReaderTest, HandEnteredStatementBalancesAndManufacturingGoesWithoutCostAccounting)
{
    open(SampleClient::HandEntered);
    TIppanKessansyoIO reader;
    ASSERT_TRUE(load(reader));
    expectBalanced(reader.Rec);
    EXPECT_EQ(reader.Rec.SONEKI[43].KINGAKU, yen(2865000));
    EXPECT_EQ(reader.Rec.SONEKI[45].KINGAKU, yen(2315000));

    AccInf.GENKA_USE = 0;
    ASSERT_TRUE(load(reader));
    for (const auto& line : reader.Rec.SEIZO)
        EXPECT_EQ(line.KINGAKU, 0);
    EXPECT_EQ(reader.Rec.SONEKI[3].KINGAKU, reader.Rec.TUKIBETU[15].SIIRE + yen(3550000) - yen(2600000));
}

} // namespace
} // namespace vq
