// What the three statement readers do alike, seen through the general
// reader on the sample stationery shop: the return header, lines and rows
// the form has no place for, the deduction block, the bulk allowance, and a
// reading error that fails the load instead of leaving a partial statement.
#include <gtest/gtest.h>

#include "StatementSampleFixture.h"
#include "linkage/statements/FudosanKessansyoIO.h"
#include "linkage/statements/IppanKessansyoIO.h"

namespace vq {
namespace {

using test::SampleClient;
using test::yen;

// The shared rules, reachable for the tests.
struct Probe : TIppanKessansyoIO {
    using TKojinKessansyoIO::ApplyDeduction;
    using TKojinKessansyoIO::BulkAllowanceLimit;
    using TKojinKessansyoIO::DeductionBlock;
};

class KojinReaderTest : public test::StatementSampleFixture {
protected:
    bool load(TIppanKessansyoIO& reader, int ignoreHandEntered = 0)
    {
        reader.SetTransaction(dm_.IBTransactionDAT);
        return reader.Load(ignoreHandEntered);
    }
};

TEST_F(KojinReaderTest, SignRuleTurnsBalancesBySideAndMode)
{
    struct Case {
        int mode, kind;
        Currency expected;
    };
    const Case cases[] = {{0, 1, 5}, {0, 2, -5}, {0, 3, 5}, {0, 4, -5}, {1, 1, -5},
                          {1, 2, 5}, {1, 3, -5}, {1, 4, 5}, {0, 0, 5},  {2, 1, 5}};
    for (const auto& c : cases)
        EXPECT_EQ(TKojinKessansyoIO::SignBySide(c.mode, c.kind, 5), c.expected) << c.mode << "/" << c.kind;
}

TEST_F(KojinReaderTest, DeductionBlockByCase)
{
    struct Case {
        int kubun;
        std::int64_t koujo6, income, presetDeduction;
        std::int64_t k7, k8, k9, k10, k11, deduction, net;
    };
    const Case cases[] = {
        {0, 0, 800000, 0, 800000, 0, 550000, 0, 0, 550000, 250000},
        {0, 0, -100000, 0, 0, 0, 0, 0, 0, 0, -100000},
        {0, 300000, 800000, 0, 800000, 300000, 250000, 0, 0, 250000, 550000},
        {2, 700000, 800000, 0, 800000, 650000, 0, 0, 0, 0, 800000},
        {2, 0, 400000, 0, 400000, 0, 400000, 0, 0, 400000, 0},
        {1, 0, 80000, 0, 80000, 0, 0, 0, 80000, 80000, 0},
        {9, 0, 800000, 120000, 800000, 0, 0, 0, 0, 120000, 680000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kubun);
        Probe::DeductionBlock b{c.kubun, yen(c.koujo6)};
        Currency deduction = yen(c.presetDeduction), net = 0;
        Probe::ApplyDeduction(b, yen(c.income), deduction, net);
        EXPECT_EQ(b.KOUJO7, yen(c.k7));
        EXPECT_EQ(b.KOUJO8, yen(c.k8));
        EXPECT_EQ(b.KOUJO9, yen(c.k9));
        EXPECT_EQ(b.KOUJO10, yen(c.k10));
        EXPECT_EQ(b.KOUJO11, yen(c.k11));
        EXPECT_EQ(deduction, yen(c.deduction));
        EXPECT_EQ(net, yen(c.net));
    }
}

TEST_F(KojinReaderTest, BulkAllowanceLimitByRateAndRounding)
{
    // 1,234,567 x 5.5 % = 67,901.185 yen.
    EXPECT_EQ(Probe::BulkAllowanceLimit(0, 0, yen(1234567), 0), yen(67901));
    EXPECT_EQ(Probe::BulkAllowanceLimit(0, 2, yen(1234567), 0), yen(67902));
    // 1,234,567 x 3.3 % = 40,740.711 yen.
    EXPECT_EQ(Probe::BulkAllowanceLimit(1, 1, yen(1234567), 0), yen(40741));
    EXPECT_EQ(Probe::BulkAllowanceLimit(7, 0, yen(1234567), yen(12)), yen(12));
}

TEST_F(KojinReaderTest, WithoutReturnHeaderTheStatementDatesFromNowAndTheFiscalYear)
{
    open(SampleClient::General, "DELETE FROM AO_SINKOKU;");
    TIppanKessansyoIO reader;
    ASSERT_TRUE(load(reader));
    const auto& r = reader.Rec;
    EXPECT_EQ(r.TEGAKI, 0);
    EXPECT_EQ(r.HIZUKE_FLG, 0);
    EXPECT_EQ(r.HIZUKE, seam_->clock);
    EXPECT_EQ(r.ZEIRISI_SIMEI1, "");
    EXPECT_EQ(r.KISHU, AccInf.KISHU);
    EXPECT_EQ(r.KIMATU, AccInf.KIMATU);
    EXPECT_EQ(r.NENDO_KIMATU, AccInf.KIMATU);
    EXPECT_EQ(r.SHOUGOU, "さくら文具店");
    EXPECT_EQ(r.AO_SIMEI, "山田 太郎");
    EXPECT_TRUE(seam_->messages.empty());
}

TEST_F(KojinReaderTest, PrintPeriodReplacesTheYearAboveEachStatementsThreshold)
{
    open(SampleClient::General);
    AccInf.PrintKikanUse = 1;
    AccInf.PrintKikanFrom = AccInf.KISHU + 31;
    AccInf.PrintKikanTo = AccInf.KIMATU - 31;
    TIppanKessansyoIO general;
    ASSERT_TRUE(load(general));
    EXPECT_EQ(general.Rec.KISHU, AccInf.PrintKikanFrom);
    EXPECT_EQ(general.Rec.KIMATU, AccInf.PrintKikanTo);
    EXPECT_EQ(general.Rec.HIZUKE_FLG, 1);
    EXPECT_EQ(general.Rec.ZEIRISI_SIMEI1, "鈴木 一郎");

    // The real-estate and agriculture statements take it only above 1.
    dm_.CloseAccDat("", 0, 0);
    std::filesystem::remove(std::filesystem::path(SystemDef.DataDir) / DataDbFileName);
    const TACCINF printPeriod = AccInf;
    open(SampleClient::RealEstate);
    AccInf.PrintKikanUse = 1;
    AccInf.PrintKikanFrom = printPeriod.PrintKikanFrom;
    AccInf.PrintKikanTo = printPeriod.PrintKikanTo;
    TFudosanKessansyoIO estate;
    estate.SetTransaction(dm_.IBTransactionDAT);
    ASSERT_TRUE(estate.Load(0));
    EXPECT_EQ(estate.Rec.KISHU, AccInf.KISHU);
    AccInf.PrintKikanUse = 2;
    ASSERT_TRUE(estate.Load(0));
    EXPECT_EQ(estate.Rec.KISHU, AccInf.PrintKikanFrom);
}

TEST_F(KojinReaderTest, WhatTheFormHasNoPlaceForFailsTheLoadAndIsNamed)
{
    open(SampleClient::General,
         "INSERT INTO AO_KYUUYO (REC, NUMBER, SENJYU, SIMEI, KYUUYO) VALUES (10, 0, 0, 'ゼロ', 1);\n"
         "INSERT INTO AO_KYUUYO (REC, NUMBER, SENJYU, SIMEI, KYUUYO) VALUES (11, 8, 0, '八番', 1);\n"
         "INSERT INTO AO_KYUUYO (REC, NUMBER, SENJYU, SIMEI, KYUUYO) VALUES (12, -3, 1, '負', 1);\n"
         "INSERT INTO AO_KYUUYO (REC, NUMBER, SENJYU, SIMEI, KYUUYO) VALUES (13, 7, 1, '七番', 1);\n"
         // The form's own total row is computed anew, a stored one is no loss.
         "INSERT INTO AO_KYUUYO (REC, NUMBER, SENJYU, SIMEI, KYUUYO) VALUES (14, 7, 0, '', 99);\n"
         "INSERT INTO AO_RISI (REC, SIHARAISAKI1, RISI) VALUES (3, '三番', 1);\n"
         "INSERT INTO AO_RISI (REC, SIHARAISAKI1, RISI) VALUES (0, 'ゼロ', 1);\n"
         "INSERT INTO AO_TIDAI (REC, SIHARAISAKI1, TINRYOU) VALUES (-1, '負', 1);\n"
         "INSERT INTO AO_HOUSHU (REC, SIHARAISAKI1, HOUSHU) VALUES (9, '', 5000);\n"
         // A blank row beyond the form loses nothing.
         "INSERT INTO AO_HOUSHU (REC, SIHARAISAKI1, HOUSHU) VALUES (8, '  ', 0);\n"
         // Notes stop at the first line beyond the fifth, as ever.
         "INSERT INTO AO_NOTE (REC, NOTE) VALUES (5, '五行目');\n"
         "INSERT INTO AO_NOTE (REC, NOTE) VALUES (6, '六行目');\n"
         // Statement lines beyond the paper form: one with an account that
         // holds amounts, one whose account holds none, one without accounts.
         "INSERT INTO EXTERKS (REC, KUBUN, KGROUP, SUBREC, KNAME1) VALUES (201, 0, '1100', 30, '枠外資産');\n"
         "INSERT INTO EXTERKS (REC, KUBUN, KGROUP, SUBREC, KNAME1) VALUES (96, 0, '6100', 25, '枠外経費');\n"
         "INSERT INTO EXTERKS (REC, KUBUN, KGROUP, SUBREC, KNAME1) VALUES (203, 0, '7200', 0, '');\n"
         "INSERT INTO EXTERKS (REC, KUBUN, KGROUP, SUBREC, KNAME1) VALUES (204, 0, '2100', 25, '負債合計');\n"
         "UPDATE KAMOKUMST SET EXT1_KS = 201 WHERE KCODE = '1710';\n"
         "UPDATE KAMOKUMST SET EXT1_KS = 96 WHERE KCODE = '6290';\n"
         "UPDATE KAMOKUMST SET EXT1_KS = 204, GROUPM1 = '2100' WHERE KCODE = '1410';\n");
    TIppanKessansyoIO reader;
    EXPECT_FALSE(load(reader));
    const char* form = "は青色申告決算書（一般用）の様式にありません。";
    const std::vector<std::string> expected = {
        std::string("給料賃金の内訳 0行目「ゼロ」") + form,
        std::string("給料賃金の内訳 8行目「八番」") + form,
        std::string("専従者給与の内訳 -3行目「負」") + form,
        std::string("専従者給与の内訳 7行目「七番」") + form,
        std::string("利子割引料の内訳 0行目「ゼロ」") + form,
        std::string("利子割引料の内訳 3行目「三番」") + form,
        std::string("地代家賃の内訳 -1行目「負」") + form,
        std::string("税理士・弁護士等の報酬・料金の内訳 9行目") + form,
        std::string("科目 1710 敷金：決算書行 1100-30「枠外資産」") + form,
        std::string("科目 6290 雑費：決算書行 6100-25「枠外経費」") + form,
    };
    EXPECT_EQ(reader.OutsideForm, expected);
    // The caller tells the operator; the reader shows nothing.
    EXPECT_TRUE(seam_->messages.empty());
    EXPECT_FALSE(dm_.IBTransactionDAT.active());
    // A second load lists them once.
    EXPECT_FALSE(load(reader));
    EXPECT_EQ(reader.OutsideForm.size(), expected.size());
}

TEST_F(KojinReaderTest, AReadingErrorFailsTheLoadAndIsReportedWhenTheReaderStartedTheTransaction)
{
    // A data set whose return header lacks a column the reader needs.
    open(SampleClient::General, "ALTER TABLE AO_SINKOKU DROP K8_KISAI;");
    {
        TIppanKessansyoIO reader;
        EXPECT_FALSE(load(reader));
        ASSERT_EQ(seam_->messages.size(), 1u);
        EXPECT_NE(seam_->messages[0].text.find(KessansyoReadErrorMessage), std::string::npos);
        EXPECT_FALSE(dm_.IBTransactionDAT.active());
    }
    seam_->messages.clear();
    {
        // Inside a transaction the caller holds the error is not shown, but
        // the load still fails and the caller's transaction stays open.
        dm_.IBTransactionDAT.start();
        TIppanKessansyoIO reader;
        EXPECT_FALSE(load(reader));
        EXPECT_TRUE(seam_->messages.empty());
        EXPECT_TRUE(dm_.IBTransactionDAT.active());
        dm_.IBTransactionDAT.rollback();
    }
}

} // namespace
} // namespace vq
